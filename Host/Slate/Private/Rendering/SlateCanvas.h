// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HostSlateRenderer.h"
#include "Layout/SlateRect.h"
#include "Math/Color.h"
#include "Math/Vector4.h"

#include <cairo.h>

namespace UE::Host::Rendering
{
	// A colour as cairo takes it: the 8-bit sRGB values the screenshot stores, scaled to 0..1.
	struct FCanvasColor
	{
		double R = 0.0;
		double G = 0.0;
		double B = 0.0;
		double A = 0.0;

		bool IsVisible() const { return A > 0.0; }
	};

	// Linear colour to the bytes the engine would store (ToFColor with sRGB), then to cairo's range.
	FCanvasColor ToCanvasColor(const FLinearColor& Color);
	FCanvasColor ToCanvasColor(const FColor& Color);
	// Slate's look for a disabled widget: desaturated and pulled towards grey (sRGB constants of
	// the engine's element shader).
	FCanvasColor ApplyDisabledEffect(const FCanvasColor& Color);

	// One picture being drawn: an ARGB32 cairo surface covering Area of the layout (layout units are
	// pixels at application scale 1). Everything starts as the window background, so the result is opaque.
	class FCanvas
	{
	public:
		explicit FCanvas(const FIntRect& InArea);
		~FCanvas();
		FCanvas(const FCanvas&) = delete;
		FCanvas& operator=(const FCanvas&) = delete;

		bool IsValid() const { return Context != nullptr; }
		cairo_t* GetContext() const { return Context; }

		// Slate snaps element edges to whole pixels; so does the canvas.
		static FSlateRect Snap(const FSlateRect& Rect);

		void PushClip(const FSlateRect& Rect);
		void PopClip();

		void FillRect(const FSlateRect& Rect, const FCanvasColor& Color);
		// Fill inside the outline band, outline band over what lies behind (as Slate's rounded box).
		// Radii: top-left, top-right, bottom-right, bottom-left.
		void DrawRoundedBox(const FSlateRect& Rect, const FVector4& Radii, const FCanvasColor& Fill, const FCanvasColor& Outline, double OutlineWidth);
		// Paints an image surface of exactly the snapped rectangle's pixel size at its top left.
		void PaintSurface(cairo_surface_t* Surface, const FSlateRect& SnappedRect);

		// The picture as 8-bit BGRA with alpha 255.
		void ReadPixels(FRenderedImage& OutImage) const;

	private:
		FIntRect Area;
		cairo_surface_t* Surface = nullptr;
		cairo_t* Context = nullptr;
	};
}
