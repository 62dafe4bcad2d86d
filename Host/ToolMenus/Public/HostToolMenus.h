// Copyright Vantle contributors. All Rights Reserved.
// Host-only controls and probes of the ToolMenus stand-in, for the headless editor and the tests.
// The plugin never includes this header.
#pragma once

#include "CoreMinimal.h"
#include "ToolMenuOwner.h"

class SWidget;

namespace UE::Host
{
	// Loads the ToolMenus module and registers the level editor's menus the plugin extends:
	// "MainFrame.MainMenu.Tools" with its child "LevelEditor.MainMenu.Tools", the toolbar
	// "LevelEditor.LevelEditorToolBar.User", and "Sequencer.MainToolBar" (section "BaseCommands"
	// with the entry "Actions", section "CurveEditor").
	TOOLMENUS_API void InitToolMenus();
	// The end of engine start-up: queued startup callbacks run once; later ones run at once.
	TOOLMENUS_API void RunToolMenusStartupCallbacks();
	// Unloads the ToolMenus module and forgets startup callbacks, back to the state before Init.
	TOOLMENUS_API void ShutdownToolMenus();

	// The menu as shown now, one line per entry in display order:
	// <Section> <Entry> label="..." tooltip="..." icon=<StyleSet>/<Style> enabled=true|false style=<override>
	// Every attribute is evaluated at the call; '\\', '"', line feeds, carriage returns and tabs in
	// texts are escaped as \\, \", \n, \r and \t; an unset icon or style override prints "-";
	// enabled is the action's can-execute (true without one). Empty for a menu that is not registered.
	TOOLMENUS_API TArray<FString> DescribeMenu(const FString& MenuName);
	// Runs the entry's action when it can execute. False with a message when the menu is not
	// registered, has no such entry, the entry is disabled or has nothing to run.
	TOOLMENUS_API bool RunMenuEntry(const FString& MenuName, const FString& EntryName, FString& OutError);

	// Widgets drawing the menu as it is shown now, for pictures: a tool bar the host registers
	// ("LevelEditor.LevelEditorToolBar.User", "Sequencer.MainToolBar") as one row of buttons, any other
	// menu as a drop-down list under its section headings. Each entry shows its icon and label and
	// is disabled when its action cannot execute; every attribute is read at the call. The look is
	// the host's, close to the editor's. Null for a menu that is not registered.
	TOOLMENUS_API TSharedPtr<SWidget> BuildMenuWidget(const FString& MenuName);

	// "<Menu> <Section> <Entry>" for every entry of the owner in every menu, registered or only
	// extended, in registry order.
	TOOLMENUS_API TArray<FString> GetToolMenuEntriesOfOwner(const FToolMenuOwner& Owner);
	// Shows a tool bar as the editor does while the window or tab holding it is open: built from the
	// registered menu, its entries' label, tool tip, icon, enabled and visible state are evaluated in
	// every Slate frame (FSlateApplication::Tick). Changes to the menus reach a shown tool bar at the
	// end of the frame, as the editor rebuilds its menu widgets on the next tick: until then it shows
	// the entries it was built with, even those of an owner that has unregistered.
	TOOLMENUS_API void ShowToolBar(const FName MenuName);
	TOOLMENUS_API void HideToolBar(const FName MenuName);
	TOOLMENUS_API bool IsToolBarShown(const FName MenuName);
	// Bound getters the Slate frames called for that entry of that tool bar since ToolMenus started.
	TOOLMENUS_API long long GetToolBarGetterCalls(const FName MenuName, const FName EntryName);
	// Whether the last Slate frame painted that entry of that tool bar; if so, OutEnabled is the
	// enabled state it painted (the action's can-execute, true without one).
	TOOLMENUS_API bool GetToolBarEntryPainted(const FName MenuName, const FName EntryName, bool& bOutEnabled);

	// Startup callbacks waiting for the end of engine start-up.
	TOOLMENUS_API int32 GetPendingToolMenusStartupCallbackCount();
}
