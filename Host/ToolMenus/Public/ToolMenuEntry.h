// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "Framework/Commands/UICommandInfo.h"
#include "Framework/Commands/UIAction.h"
#include "Misc/Attribute.h"
#include "Textures/SlateIcon.h"
#include "ToolMenuDelegates.h"
#include "ToolMenuMisc.h"
#include "ToolMenuOwner.h"

// One entry of a menu or toolbar section: its name, texts, icon, action and placement.
struct FToolMenuEntry
{
	// An unnamed, unowned entry without an action.
	FToolMenuEntry() = default;

	// A toolbar button owned by the current owner of UToolMenus (the action comes second).
	static TOOLMENUS_API FToolMenuEntry InitToolBarButton(const FName InName, const FToolUIActionChoice& InAction,
		const TAttribute<FText>& InLabel = TAttribute<FText>(), const TAttribute<FText>& InToolTip = TAttribute<FText>(),
		const TAttribute<FSlateIcon>& InIcon = TAttribute<FSlateIcon>(),
		const EUserInterfaceActionType UserInterfaceActionType = EUserInterfaceActionType::Button, FName InTutorialHighlightName = NAME_None);

	// A menu entry owned by the current owner of UToolMenus (the action comes fifth).
	static TOOLMENUS_API FToolMenuEntry InitMenuEntry(const FName InName, const TAttribute<FText>& InLabel, const TAttribute<FText>& InToolTip,
		const TAttribute<FSlateIcon>& InIcon, const FToolUIActionChoice& InAction,
		const EUserInterfaceActionType UserInterfaceActionType = EUserInterfaceActionType::Button, const FName InTutorialHighlightName = NAME_None);

	FName Name;
	FToolMenuOwner Owner;
	EUserInterfaceActionType UserInterfaceActionType = EUserInterfaceActionType::Button;
	FName TutorialHighlightName;
	// Where the entry goes inside its section when the menu is built.
	FToolMenuInsert InsertPosition;
	// Style of the entry's widget in place of the toolbar's own.
	FName StyleNameOverride;
	// Read each time the menu is shown.
	TAttribute<FText> Label;
	TAttribute<FText> ToolTip;
	TAttribute<FSlateIcon> Icon;

private:
	friend struct FToolMenuSection;
	friend class UToolMenus;
	friend struct FToolMenusHostAccess;

	FToolUIActionChoice Action;
	// Set for entries added while their menu was being registered, which the engine places first.
	bool bAddedDuringRegister = false;
};
