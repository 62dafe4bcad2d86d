// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/Array.h"
#include "Math/Color.h"
#include "Math/IntVector.h"
#include "Templates/SharedPointer.h"
#include "Widgets/SWindow.h"

class SWidget;

// The application: its top-level windows and the per-frame update. The headless editor starts
// and stops it (UE::Host::InitSlateApplication / ShutdownSlateApplication).
class FSlateApplication
{
public:
	static bool IsInitialized();
	// The application; only valid while initialized (check IsInitialized first).
	static FSlateApplication& Get();

	// One frame: every window (those asked to close included) is laid out and has what painting
	// reads evaluated, bound attributes included; then the windows asked to close are destroyed.
	void Tick();
	// Whether the application runs normally (not stopped in a debugger); always in the host.
	bool IsNormalExecution() const { return true; }

	// Adds a top-level window in front of the others.
	TSharedRef<SWindow> AddWindow(TSharedRef<SWindow> InSlateWindow, const bool bShowImmediately = true);
	// Queues the window for destruction at the end of the next Tick; until then it stays a top-level window.
	void RequestDestroyWindow(TSharedRef<SWindow> WindowToDestroy);
	// Removes the window now, queued or not.
	void DestroyWindowImmediately(TSharedRef<SWindow> WindowToDestroy);
	// Destroys the windows queued for destruction.
	void DestroyWindowsImmediately();
	// The top-level windows, back to front.
	const TArray<TSharedRef<SWindow>> GetTopLevelWindows() const { return SlateWindows; }
	TSharedPtr<SWindow> GetActiveTopLevelWindow() const;
	// Moves the window in front of the others.
	void BringWindowToFront(const TSharedRef<SWindow>& Window);

	// The window whose widget tree contains the widget, or null.
	TSharedPtr<SWindow> FindWidgetWindow(TSharedRef<const SWidget> InWidget) const;

	// Renders the widget's window and reads back the widget's area as 8-bit BGRA sRGB pixels.
	// A window is drawn with a frame around its client area; false when nothing can be drawn.
	bool TakeScreenshot(const TSharedRef<SWidget>& Widget, TArray<FColor>& OutColorData, FIntVector& OutSize);
	bool TakeScreenshot(const TSharedRef<SWidget>& Widget, const FIntRect& InnerWidgetArea, TArray<FColor>& OutColorData, FIntVector& OutSize);

private:
	friend struct FSlateApplicationHostAccess;

	FSlateApplication() = default;

	TArray<TSharedRef<SWindow>> SlateWindows;
	TArray<TSharedRef<SWindow>> WindowDestroyQueue;
};
