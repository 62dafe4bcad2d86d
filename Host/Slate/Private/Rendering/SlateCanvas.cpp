// Copyright Vantle contributors. All Rights Reserved.
#include "SlateCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace UE::Host::Rendering
{
	FCanvasColor ToCanvasColor(const FLinearColor& Color)
	{
		return ToCanvasColor(Color.ToFColor(true));
	}

	FCanvasColor ToCanvasColor(const FColor& Color)
	{
		return FCanvasColor{Color.R / 255.0, Color.G / 255.0, Color.B / 255.0, Color.A / 255.0};
	}

	FCanvasColor ApplyDisabledEffect(const FCanvasColor& Color)
	{
		const double Lum = std::min(1.0, 0.5843 * Color.R + 0.7921 * Color.G + 0.3647 * Color.B);
		const double Grayish = 0.349;
		auto Lerp = [](double From, double To, double Alpha) { return From + (To - From) * Alpha; };
		double R = Lerp(Color.R, Lum, 0.8);
		double G = Lerp(Color.G, Lum, 0.8);
		double B = Lerp(Color.B, Lum, 0.8);
		const double Distance = std::sqrt((R - Grayish) * (R - Grayish) + (G - Grayish) * (G - Grayish) + (B - Grayish) * (B - Grayish));
		const double Pull = std::clamp(Distance, 0.0, 0.8);
		R = Lerp(R, Grayish, Pull);
		G = Lerp(G, Grayish, Pull);
		B = Lerp(B, Grayish, Pull);
		return FCanvasColor{R, G, B, Color.A};
	}

	FCanvas::FCanvas(const FIntRect& InArea) : Area(InArea)
	{
		const int32 Width = Area.Width();
		const int32 Height = Area.Height();
		if (Width <= 0 || Height <= 0 || Width > MaxRenderSide || Height > MaxRenderSide || int64(Width) * Height > MaxRenderPixels)
		{
			return;
		}
		Surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, Width, Height);
		if (cairo_surface_status(Surface) != CAIRO_STATUS_SUCCESS)
		{
			cairo_surface_destroy(Surface);
			Surface = nullptr;
			return;
		}
		Context = cairo_create(Surface);
		cairo_set_antialias(Context, CAIRO_ANTIALIAS_GRAY);
		const FCanvasColor Background = ToCanvasColor(WindowBackgroundColor);
		cairo_set_source_rgb(Context, Background.R, Background.G, Background.B);
		cairo_paint(Context);
		// Layout coordinates from here on.
		cairo_translate(Context, -Area.Min.X, -Area.Min.Y);
	}

	FCanvas::~FCanvas()
	{
		if (Context)
		{
			cairo_destroy(Context);
		}
		if (Surface)
		{
			cairo_surface_destroy(Surface);
		}
	}

	FSlateRect FCanvas::Snap(const FSlateRect& Rect)
	{
		return FSlateRect(std::round(Rect.Left), std::round(Rect.Top), std::round(Rect.Right), std::round(Rect.Bottom));
	}

	void FCanvas::PushClip(const FSlateRect& Rect)
	{
		const FSlateRect Snapped = Snap(Rect);
		cairo_save(Context);
		cairo_rectangle(Context, Snapped.Left, Snapped.Top, std::max(0.0f, Snapped.Right - Snapped.Left), std::max(0.0f, Snapped.Bottom - Snapped.Top));
		cairo_clip(Context);
	}

	void FCanvas::PopClip()
	{
		cairo_restore(Context);
	}

	void FCanvas::FillRect(const FSlateRect& Rect, const FCanvasColor& Color)
	{
		const FSlateRect Snapped = Snap(Rect);
		if (!Color.IsVisible() || Snapped.Right <= Snapped.Left || Snapped.Bottom <= Snapped.Top)
		{
			return;
		}
		cairo_set_source_rgba(Context, Color.R, Color.G, Color.B, Color.A);
		cairo_rectangle(Context, Snapped.Left, Snapped.Top, Snapped.Right - Snapped.Left, Snapped.Bottom - Snapped.Top);
		cairo_fill(Context);
	}

	namespace
	{
		void AddRoundedRect(cairo_t* Context, double X, double Y, double Width, double Height, const double Radii[4])
		{
			const double Degrees = M_PI / 180.0;
			cairo_new_sub_path(Context);
			cairo_arc(Context, X + Width - Radii[1], Y + Radii[1], Radii[1], -90 * Degrees, 0);
			cairo_arc(Context, X + Width - Radii[2], Y + Height - Radii[2], Radii[2], 0, 90 * Degrees);
			cairo_arc(Context, X + Radii[3], Y + Height - Radii[3], Radii[3], 90 * Degrees, 180 * Degrees);
			cairo_arc(Context, X + Radii[0], Y + Radii[0], Radii[0], 180 * Degrees, 270 * Degrees);
			cairo_close_path(Context);
		}
	}

	void FCanvas::DrawRoundedBox(const FSlateRect& Rect, const FVector4& Radii, const FCanvasColor& Fill, const FCanvasColor& Outline, double OutlineWidth)
	{
		const FSlateRect Snapped = Snap(Rect);
		const double Width = Snapped.Right - Snapped.Left;
		const double Height = Snapped.Bottom - Snapped.Top;
		if (Width <= 0.0 || Height <= 0.0)
		{
			return;
		}
		// A radius never exceeds half the shorter side, as the shader clamps it.
		const double Limit = std::min(Width, Height) * 0.5;
		const double Outer[4] = {std::clamp(Radii.X, 0.0, Limit), std::clamp(Radii.Y, 0.0, Limit), std::clamp(Radii.Z, 0.0, Limit), std::clamp(Radii.W, 0.0, Limit)};
		const double Band = std::clamp(OutlineWidth, 0.0, Limit);
		const bool bOutline = Band > 0.0 && Outline.IsVisible();
		const double Inset = bOutline ? Band : 0.0;
		const double Inner[4] = {std::max(0.0, Outer[0] - Inset), std::max(0.0, Outer[1] - Inset), std::max(0.0, Outer[2] - Inset), std::max(0.0, Outer[3] - Inset)};

		if (Fill.IsVisible())
		{
			cairo_set_source_rgba(Context, Fill.R, Fill.G, Fill.B, Fill.A);
			AddRoundedRect(Context, Snapped.Left + Inset, Snapped.Top + Inset, Width - 2 * Inset, Height - 2 * Inset, Inner);
			cairo_fill(Context);
		}
		if (bOutline)
		{
			cairo_save(Context);
			cairo_set_fill_rule(Context, CAIRO_FILL_RULE_EVEN_ODD);
			cairo_set_source_rgba(Context, Outline.R, Outline.G, Outline.B, Outline.A);
			AddRoundedRect(Context, Snapped.Left, Snapped.Top, Width, Height, Outer);
			AddRoundedRect(Context, Snapped.Left + Inset, Snapped.Top + Inset, Width - 2 * Inset, Height - 2 * Inset, Inner);
			cairo_fill(Context);
			cairo_restore(Context);
		}
	}

	void FCanvas::PaintSurface(cairo_surface_t* Image, const FSlateRect& SnappedRect)
	{
		cairo_save(Context);
		cairo_set_source_surface(Context, Image, SnappedRect.Left, SnappedRect.Top);
		cairo_rectangle(Context, SnappedRect.Left, SnappedRect.Top, SnappedRect.Right - SnappedRect.Left, SnappedRect.Bottom - SnappedRect.Top);
		cairo_fill(Context);
		cairo_restore(Context);
	}

	void FCanvas::ReadPixels(FRenderedImage& OutImage) const
	{
		OutImage.Pixels.Reset();
		OutImage.Size = FIntPoint(0, 0);
		if (!Surface)
		{
			return;
		}
		cairo_surface_flush(Surface);
		const int32 Width = cairo_image_surface_get_width(Surface);
		const int32 Height = cairo_image_surface_get_height(Surface);
		const int32 Stride = cairo_image_surface_get_stride(Surface);
		const unsigned char* Data = cairo_image_surface_get_data(Surface);
		OutImage.Pixels.SetNum(Width * Height);
		for (int32 Y = 0; Y < Height; ++Y)
		{
			// cairo's ARGB32 is a native-endian 32-bit word: B, G, R, A in memory here, as FColor.
			const uint32* Row = reinterpret_cast<const uint32*>(Data + static_cast<size_t>(Y) * Stride);
			FColor* Out = OutImage.Pixels.GetData() + static_cast<size_t>(Y) * Width;
			for (int32 X = 0; X < Width; ++X)
			{
				const uint32 Pixel = Row[X];
				Out[X] = FColor(uint8((Pixel >> 16) & 0xFF), uint8((Pixel >> 8) & 0xFF), uint8(Pixel & 0xFF), 255);
			}
		}
		OutImage.Size = FIntPoint(Width, Height);
	}
}
