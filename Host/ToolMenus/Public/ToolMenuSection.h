// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "Misc/Attribute.h"
#include "ToolMenuDelegates.h"
#include "ToolMenuEntry.h"
#include "ToolMenuMisc.h"
#include "ToolMenuOwner.h"

// A named group of entries inside a menu.
struct FToolMenuSection
{
	// Adds the entry, or replaces in place the entry of the same (non-None) name.
	TOOLMENUS_API FToolMenuEntry& AddEntry(const FToolMenuEntry& Args);

	// Builds a menu entry owned by the current owner (the action comes fifth) and adds it.
	TOOLMENUS_API FToolMenuEntry& AddMenuEntry(const FName InName, const TAttribute<FText>& InLabel, const TAttribute<FText>& InToolTip,
		const TAttribute<FSlateIcon>& InIcon, const FToolUIActionChoice& InAction,
		const EUserInterfaceActionType UserInterfaceActionType = EUserInterfaceActionType::Button, const FName InTutorialHighlightName = NAME_None);

	// The entry of that name, or null.
	TOOLMENUS_API FToolMenuEntry* FindEntry(const FName InName);
	TOOLMENUS_API const FToolMenuEntry* FindEntry(const FName InName) const;

	FName Name;
	FToolMenuOwner Owner;
	// Entries in the order they were added; the menu orders them by insert position when built.
	TArray<FToolMenuEntry> Blocks;
	FToolMenuInsert InsertPosition;
	TAttribute<FText> Label;

private:
	friend class UToolMenu;
	friend class UToolMenus;
	friend struct FToolMenusHostAccess;

	int32 IndexOfBlock(const FName InName) const;
	int32 RemoveEntry(const FName InName);
	int32 RemoveEntriesByOwner(const FToolMenuOwner InOwner);

	bool bIsRegistering = false;
	bool bAddedDuringRegister = false;
};
