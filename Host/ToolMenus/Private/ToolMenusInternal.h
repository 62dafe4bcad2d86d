// Copyright Vantle contributors. All Rights Reserved.
// Shared by the ToolMenus stand-in's own files: the pieces of the registry its host controls and
// the menu builder reach, which the engine keeps private.
#pragma once

#include "CoreMinimal.h"
#include "ToolMenus.h"

#include <memory>

DECLARE_LOG_CATEGORY_EXTERN(LogToolMenus, Log, All);

// A section as shown: its entries in display order.
struct FGeneratedToolMenuSection
{
	FName Name;
	TAttribute<FText> Label;
	FToolMenuInsert InsertPosition;
	TArray<FToolMenuEntry> Blocks;
};

struct FToolMenusHostAccess
{
	static std::unique_ptr<UToolMenus> CreateRegistry();
	// The menus in creation order, registered or only extended.
	static TArray<UToolMenu*> GetMenus(UToolMenus& ToolMenus);
	// Marks the end of engine start-up: queued startup callbacks run once, later ones run at once.
	static void RunStartupCallbacks();
	// Back to the state before engine start-up, with no callbacks queued.
	static void ResetStartupCallbacks();
	static int32 GetPendingStartupCallbackCount();

	static const FUIAction* GetAction(const FToolMenuEntry& Entry) { return Entry.Action.GetUIAction(); }
	static bool IsAddedDuringRegister(const FToolMenuEntry& Entry) { return Entry.bAddedDuringRegister; }

	// The menu as it would be shown now: its parents' sections and entries, then its own, ordered by
	// insert position. False when the menu is not registered.
	static bool GenerateMenu(UToolMenus& ToolMenus, const FName MenuName, TArray<FGeneratedToolMenuSection>& OutSections);
};
