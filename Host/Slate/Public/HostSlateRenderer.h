// Copyright Vantle contributors. All Rights Reserved.
// Host-only drawing of laid-out widgets into pixels, for FSlateApplication::TakeScreenshot and the
// tests that look at the pictures. cairo, pango and librsvg with the layout's own font files,
// hinting off, 96 DPI, grey antialiasing: the same state gives the same bytes on every machine.
// The plugin never includes this header.
#pragma once

#include "Containers/Array.h"
#include "HostSlateCore.h"
#include "Math/Color.h"
#include "Math/IntVector.h"
#include "Templates/SharedPointer.h"

class SWidget;
class SWindow;

namespace UE::Host
{
	// The frame drawn around a window's client area: a title bar on top and a thin border around.
	inline constexpr int32 WindowTitleBarHeight = 30;
	inline constexpr int32 WindowBorderWidth = 1;
	// Neutral dark frame colours, close to the editor's (sRGB).
	inline constexpr FColor WindowFrameColor = FColor(0x15, 0x15, 0x15);
	inline constexpr FColor WindowBorderColor = FColor(0x05, 0x05, 0x05);
	inline constexpr FColor WindowTitleColor = FColor(0xC0, 0xC0, 0xC0);
	// What shows where no widget draws: the editor's panel background.
	inline constexpr FColor WindowBackgroundColor = FColor(0x1A, 0x1A, 0x1A);
	// The tab well behind the tab headers.
	inline constexpr FColor TabWellColor = FColor(0x10, 0x10, 0x10);

	// The largest picture drawn, per side and in total (the PNG writer's limits); larger requests
	// fail instead of allocating without bound.
	inline constexpr int32 MaxRenderSide = 16384;
	inline constexpr int64 MaxRenderPixels = int64(8192) * 8192;

	// Pixels as a screenshot returns them: 8-bit BGRA, sRGB, rows from the top, alpha 255.
	struct FRenderedImage
	{
		TArray<FColor> Pixels;
		FIntPoint Size = FIntPoint(0, 0);
	};

	// The size of a window's picture: the client area plus the frame.
	SLATE_API FIntPoint GetWindowImageSize(const FVector2D& ClientSize);

	// Draws widgets as ArrangeWidgetTree placed them (layout coordinates); Area is the part of the
	// layout that becomes the picture. Every widget is drawn at its geometry and clipped to its
	// clip rectangle, parents before children. False for an empty or oversized area.
	SLATE_API bool RenderArrangedWidgets(const TArray<FArrangedWidgetRecord>& Records, const FIntRect& Area, FRenderedImage& OutImage);

	// A window: laid out at its client size, drawn inside its frame (title bar with the window's
	// title). False when the client area is empty or the picture would be too large.
	SLATE_API bool RenderWindow(const TSharedRef<SWindow>& Window, FRenderedImage& OutImage);
	// A widget inside a window: the window's client area is laid out and drawn, then the widget's
	// area is read back. False when the widget is not arranged there (hidden) or has no area.
	SLATE_API bool RenderWidgetInWindow(const TSharedRef<SWidget>& Widget, const TSharedRef<SWindow>& Window, FRenderedImage& OutImage);
	// A widget in no window, laid out and drawn at its desired size: for host pictures of menus,
	// which the host never shows. The engine-shaped capture never takes this road.
	SLATE_API bool RenderWidgetAlone(const TSharedRef<SWidget>& Widget, FRenderedImage& OutImage);

	// Keeps only Area (pixels, relative to the picture); an empty Area keeps everything. False when
	// Area lies outside the picture.
	SLATE_API bool CropImage(FRenderedImage& Image, const FIntRect& Area);
}
