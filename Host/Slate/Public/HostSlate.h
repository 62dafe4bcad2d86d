// Copyright Vantle contributors. All Rights Reserved.
// Host-only controls and probes of the Slate stand-in, for the headless editor and the tests.
// The plugin never includes this header.
#pragma once

#include "Containers/Array.h"
#include "Containers/UnrealString.h"
#include "Delegates/Delegate.h"
#include "Framework/Docking/TabManager.h"
#include "HostSlateCore.h"
#include "Math/Vector2D.h"
#include "Templates/SharedPointer.h"
#include "UObject/NameTypes.h"

class SDockTab;
class SWidget;
class SWindow;

namespace UE::Host
{
	// Starts the Slate application (and registers the core and editor styles); the headless editor
	// calls it before loading plugins. Starting twice does nothing.
	SLATE_API void InitSlateApplication();
	// Destroys every window (and so every tab) and stops the application.
	SLATE_API void ShutdownSlateApplication();
	// Broadcast by every FSlateApplication::Tick after the windows are evaluated and before the windows
	// asked to close are destroyed: shown tool bars evaluate their entries here.
	SLATE_API FSimpleMulticastDelegate& OnSlateFrame();
	// Whether the window was asked to close and waits for the end of the next frame.
	SLATE_API bool IsWindowClosing(const TSharedRef<SWindow>& Window);

	// The widget tree, one widget a line, two spaces of indent per depth:
	//   <WidgetType>[ text="..."][ color=#RRGGBBAA][ enabled=true|false][ tooltip="..."]
	// text and colour are the attributes read now (a text block's colour as sRGB bytes); enabled
	// is given for buttons and for any widget that is disabled; in quoted values a line feed is
	// written \n (also \r, \t, \" and \\).
	SLATE_API TArray<FString> DumpWidgets(const TSharedRef<SWidget>& Root);
	// A tab: its own line (text = its label), then its content one level deeper.
	SLATE_API TArray<FString> DumpTab(const TSharedRef<SDockTab>& Tab);
	// Every open tab, front window last; or the open tab with that id (empty when it is not open).
	SLATE_API TArray<FString> DumpWidgets();
	SLATE_API TArray<FString> DumpWidgets(const FName TabId);

	enum class EClickResult : uint8
	{
		Clicked,
		Disabled,
		NotFound,
	};
	// Clicks the enabled, visible button in an open tab whose label text (its first text block,
	// read now) equals LabelText exactly. Disabled when only disabled buttons carry that label.
	SLATE_API EClickResult ClickButton(const FString& LabelText);
	SLATE_API const TCHAR* LexToString(EClickResult Result);

	// Asks the open tab with that id to close; false when none is open or it refused.
	SLATE_API bool CloseTab(const FName TabId);
	// Open tabs and their ids, back window first. A closed tab whose window waits for the end of the
	// frame is not open.
	SLATE_API TArray<TSharedRef<SDockTab>> GetOpenTabs();
	SLATE_API TArray<FName> GetOpenTabIds();

	// Registrations the plugin makes and must undo.
	SLATE_API TArray<FName> GetNomadTabSpawnerNames();
	// The nomad spawner of that id (display name, icon, tool tip through FWorkspaceItem), or null.
	SLATE_API const FTabSpawnerEntry* FindNomadTabSpawner(const FName TabId);
	struct FDefaultTabWindowSizeEntry
	{
		FTabId TabId;
		FVector2D Size;
	};
	SLATE_API TArray<FDefaultTabWindowSizeEntry> GetDefaultTabWindowSizes();
	// The size a tab of that id opens with: its registered default or the fallback 1000 x 600.
	SLATE_API FVector2D GetDefaultTabWindowSize(const FTabId& TabId);

	// The layout of the window that shows the open tab, at the window's client size: the tab's header,
	// then its content (window coordinates). Empty when the tab is not open.
	SLATE_API TArray<FArrangedWidgetRecord> ArrangeTab(const FName TabId);
	SLATE_API TArray<FArrangedWidgetRecord> ArrangeWindow(const TSharedRef<SWindow>& Window);

	// Gives the window of the open tab with that id a new client size, as a user dragging its
	// border would; the tab's registered default size stays. False when the tab is not open or a
	// side is outside 1..MaxResizeSide.
	inline constexpr int32 MaxResizeSide = 8192;
	SLATE_API bool ResizeTab(const FName TabId, const FVector2D& ClientSize);
}
