// Copyright Vantle contributors. All Rights Reserved.
#include "RenderResources.h"

#include "HostTextLayout.h"
#include "Logging/LogMacros.h"
#include "Misc/Paths.h"

#include <librsvg/rsvg.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <string>
#include <unordered_map>

DEFINE_LOG_CATEGORY_STATIC(LogSlateRenderer, Log, All);

namespace
{
	using UE::Host::Rendering::FCanvasColor;

	// An image file as loaded once: an SVG document or a bitmap.
	struct FImageFile
	{
		RsvgHandle* Svg = nullptr;
		cairo_surface_t* Bitmap = nullptr;
	};

	// The image files brushes name, each loaded once.
	class FRenderResources
	{
	public:
		static FRenderResources& Get()
		{
			static FRenderResources Instance;
			return Instance;
		}

		~FRenderResources()
		{
			for (auto& Pair : Images)
			{
				if (Pair.second.Svg)
				{
					g_object_unref(Pair.second.Svg);
				}
				if (Pair.second.Bitmap)
				{
					cairo_surface_destroy(Pair.second.Bitmap);
				}
			}
			Images.clear();
		}

		std::mutex Mutex;

		const FImageFile* FindImage(const FString& Path)
		{
			const std::string Key = UE::Host::ToUtf8(Path);
			auto Existing = Images.find(Key);
			if (Existing != Images.end())
			{
				return Existing->second.Svg || Existing->second.Bitmap ? &Existing->second : nullptr;
			}
			FImageFile File;
			const FString Extension = FPaths::GetExtension(Path);
			if (Extension.Equals(TEXT("svg"), ESearchCase::IgnoreCase))
			{
				GError* Error = nullptr;
				File.Svg = rsvg_handle_new_from_file(Key.c_str(), &Error);
				if (Error)
				{
					g_error_free(Error);
				}
			}
			else if (Extension.Equals(TEXT("png"), ESearchCase::IgnoreCase))
			{
				File.Bitmap = cairo_image_surface_create_from_png(Key.c_str());
				if (cairo_surface_status(File.Bitmap) != CAIRO_STATUS_SUCCESS)
				{
					cairo_surface_destroy(File.Bitmap);
					File.Bitmap = nullptr;
				}
			}
			if (!File.Svg && !File.Bitmap)
			{
				UE_LOG(LogSlateRenderer, Warning, TEXT("Cannot draw the image '%s': the file is missing or not an SVG or PNG image."), *Path);
			}
			const FImageFile& Stored = Images.emplace(Key, File).first->second;
			return Stored.Svg || Stored.Bitmap ? &Stored : nullptr;
		}

	private:
		FRenderResources() = default;

		std::unordered_map<std::string, FImageFile> Images;
	};

	// Multiplies a premultiplied ARGB32 surface by a straight colour, optionally with the disabled look.
	void TintSurface(cairo_surface_t* Surface, const FCanvasColor& Tint, bool bDisabled)
	{
		cairo_surface_flush(Surface);
		const int Width = cairo_image_surface_get_width(Surface);
		const int Height = cairo_image_surface_get_height(Surface);
		const int Stride = cairo_image_surface_get_stride(Surface);
		unsigned char* Data = cairo_image_surface_get_data(Surface);
		for (int Y = 0; Y < Height; ++Y)
		{
			uint32* Row = reinterpret_cast<uint32*>(Data + static_cast<size_t>(Y) * Stride);
			for (int X = 0; X < Width; ++X)
			{
				const uint32 Pixel = Row[X];
				const double A = ((Pixel >> 24) & 0xFF) / 255.0;
				if (A <= 0.0)
				{
					continue;
				}
				FCanvasColor Color{((Pixel >> 16) & 0xFF) / 255.0 / A, ((Pixel >> 8) & 0xFF) / 255.0 / A, (Pixel & 0xFF) / 255.0 / A, A};
				Color = FCanvasColor{Color.R * Tint.R, Color.G * Tint.G, Color.B * Tint.B, Color.A * Tint.A};
				if (bDisabled)
				{
					Color = UE::Host::Rendering::ApplyDisabledEffect(Color);
				}
				auto Byte = [](double Value) { return static_cast<uint32>(std::lround(std::clamp(Value, 0.0, 1.0) * 255.0)); };
				Row[X] = (Byte(Color.A) << 24) | (Byte(Color.R * Color.A) << 16) | (Byte(Color.G * Color.A) << 8) | Byte(Color.B * Color.A);
			}
		}
		cairo_surface_mark_dirty(Surface);
	}
}

void UE::Host::Rendering::DrawText(FCanvas& Canvas, const FString& Text, const FSlateFontInfo& Font, double WrapWidth, const FVector2D& Position,
								   const FCanvasColor& InColor, bool bDisabled)
{
	const FCanvasColor Color = bDisabled ? ApplyDisabledEffect(InColor) : InColor;
	if (Text.IsEmpty() || !Color.IsVisible())
	{
		return;
	}
	cairo_t* Context = Canvas.GetContext();
	cairo_save(Context);
	cairo_set_source_rgba(Context, Color.R, Color.G, Color.B, Color.A);
	// The block starts on a whole pixel, as Slate places its text; glyphs keep their fractional advances.
	cairo_move_to(Context, std::round(Position.X), std::round(Position.Y));
	UE::Host::DrawText(Context, Text, Font, WrapWidth);
	cairo_restore(Context);
}

void UE::Host::Rendering::DrawImageFile(FCanvas& Canvas, const FString& Path, const FSlateRect& Rect, const FCanvasColor& Tint, bool bDisabled)
{
	const FSlateRect Snapped = FCanvas::Snap(Rect);
	const int Width = static_cast<int>(Snapped.Right - Snapped.Left);
	const int Height = static_cast<int>(Snapped.Bottom - Snapped.Top);
	if (Width <= 0 || Height <= 0 || Width > MaxRenderSide || Height > MaxRenderSide || !Tint.IsVisible())
	{
		return;
	}
	FRenderResources& Resources = FRenderResources::Get();
	std::lock_guard<std::mutex> Guard(Resources.Mutex);
	const FImageFile* File = Resources.FindImage(Path);
	if (!File)
	{
		return;
	}
	// Drawn apart at the target size, then tinted, then laid onto the canvas.
	cairo_surface_t* Layer = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, Width, Height);
	cairo_t* LayerContext = cairo_create(Layer);
	if (File->Svg)
	{
		const RsvgRectangle Viewport{0.0, 0.0, static_cast<double>(Width), static_cast<double>(Height)};
		GError* Error = nullptr;
		rsvg_handle_render_document(File->Svg, LayerContext, &Viewport, &Error);
		if (Error)
		{
			g_error_free(Error);
		}
	}
	else
	{
		const int SourceWidth = cairo_image_surface_get_width(File->Bitmap);
		const int SourceHeight = cairo_image_surface_get_height(File->Bitmap);
		if (SourceWidth > 0 && SourceHeight > 0)
		{
			cairo_scale(LayerContext, static_cast<double>(Width) / SourceWidth, static_cast<double>(Height) / SourceHeight);
			cairo_set_source_surface(LayerContext, File->Bitmap, 0, 0);
			cairo_pattern_set_filter(cairo_get_source(LayerContext), CAIRO_FILTER_GOOD);
			cairo_paint(LayerContext);
		}
	}
	cairo_destroy(LayerContext);
	TintSurface(Layer, Tint, bDisabled);
	Canvas.PaintSurface(Layer, Snapped);
	cairo_surface_destroy(Layer);
}
