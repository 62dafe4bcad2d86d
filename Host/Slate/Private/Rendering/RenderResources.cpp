// Copyright Vantle contributors. All Rights Reserved.
#include "RenderResources.h"

#include "Fonts/CompositeFont.h"
#include "HostTextLayout.h"
#include "Logging/LogMacros.h"
#include "Misc/Paths.h"
#include "Styling/CoreStyle.h"

#include <fontconfig/fontconfig.h>
#include <librsvg/rsvg.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <string>
#include <unordered_map>

DEFINE_LOG_CATEGORY_STATIC(LogSlateRenderer, Log, All);

namespace
{
	using UE::Host::Rendering::FCanvasColor;

	struct FFace
	{
		std::string Family;
		int Weight = FC_WEIGHT_REGULAR;
		int Slant = FC_SLANT_ROMAN;
	};

	// An image file as loaded once: an SVG document or a bitmap.
	struct FImageFile
	{
		RsvgHandle* Svg = nullptr;
		cairo_surface_t* Bitmap = nullptr;
	};

	// The drawing counterpart of the host's text measurement: a font map of its own fed with the
	// same files and options (no system fonts), plus the image files brushes name.
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
			g_object_unref(Context);
			pango_fc_font_map_shutdown(PANGO_FC_FONT_MAP(FontMap));
			g_object_unref(FontMap);
			// The measuring side (built before this object, so released after it) resets the libraries.
			FcConfigDestroy(Config);
		}

		std::mutex Mutex;

		PangoLayout* CreateLayout(const FString& Text, const FSlateFontInfo& Font, double WrapWidth)
		{
			const FFace& Face = ResolveFace(Font);
			const std::string Utf8 = UE::Host::ToUtf8(Text);
			PangoLayout* Layout = pango_layout_new(Context);
			PangoFontDescription* Description = pango_font_description_new();
			pango_font_description_set_family(Description, Face.Family.empty() ? "Roboto" : Face.Family.c_str());
			pango_font_description_set_weight(Description, static_cast<PangoWeight>(static_cast<int>(FcWeightToOpenTypeDouble(Face.Weight))));
			pango_font_description_set_style(Description, Face.Slant == FC_SLANT_ROMAN ? PANGO_STYLE_NORMAL : PANGO_STYLE_ITALIC);
			pango_font_description_set_absolute_size(Description, Font.Size * FontConstants::RenderDPI / 72.0 * PANGO_SCALE);
			pango_layout_set_font_description(Layout, Description);
			pango_font_description_free(Description);
			if (WrapWidth > 0.0)
			{
				// Same slack as the measurement: a text exactly as wide as its slot stays on one line.
				pango_layout_set_width(Layout, static_cast<int>(std::ceil(WrapWidth * PANGO_SCALE)) + 1);
				pango_layout_set_wrap(Layout, PANGO_WRAP_WORD);
			}
			pango_layout_set_text(Layout, Utf8.data(), static_cast<int>(Utf8.size()));
			return Layout;
		}

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
		FRenderResources()
		{
			// The measuring font service first, so that it outlives this one at exit.
			UE::Host::GetLoadedFontFiles();
			Config = FcConfigCreate();
			FontMap = pango_cairo_font_map_new_for_font_type(CAIRO_FONT_TYPE_FT);
			pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(FontMap), Config);
			pango_cairo_font_map_set_resolution(PANGO_CAIRO_FONT_MAP(FontMap), FontConstants::RenderDPI);
			Context = pango_font_map_create_context(FontMap);
			cairo_font_options_t* Options = cairo_font_options_create();
			cairo_font_options_set_hint_style(Options, CAIRO_HINT_STYLE_NONE);
			cairo_font_options_set_hint_metrics(Options, CAIRO_HINT_METRICS_OFF);
			cairo_font_options_set_antialias(Options, CAIRO_ANTIALIAS_GRAY);
			pango_cairo_context_set_font_options(Context, Options);
			cairo_font_options_destroy(Options);
			pango_context_set_round_glyph_positions(Context, FALSE);
			pango_context_set_language(Context, pango_language_from_string("en"));

			const FCompositeFont& DefaultFont = FCoreStyle::GetDefaultFont().Get();
			for (const FTypefaceEntry& Entry : DefaultFont.DefaultTypeface.Fonts)
			{
				LoadFace(UE::Host::ToUtf8(Entry.Font.GetFontFilename()));
			}
		}

		const FFace& LoadFace(const std::string& File)
		{
			auto Existing = Faces.find(File);
			if (Existing != Faces.end())
			{
				return Existing->second;
			}
			FFace Face;
			int Count = 0;
			FcPattern* Pattern = FcFreeTypeQuery(reinterpret_cast<const FcChar8*>(File.c_str()), 0, nullptr, &Count);
			if (Pattern && FcConfigAppFontAddFile(Config, reinterpret_cast<const FcChar8*>(File.c_str())))
			{
				FcChar8* Family = nullptr;
				if (FcPatternGetString(Pattern, FC_FAMILY, 0, &Family) == FcResultMatch)
				{
					Face.Family = reinterpret_cast<const char*>(Family);
				}
				FcPatternGetInteger(Pattern, FC_WEIGHT, 0, &Face.Weight);
				FcPatternGetInteger(Pattern, FC_SLANT, 0, &Face.Slant);
				pango_fc_font_map_config_changed(PANGO_FC_FONT_MAP(FontMap));
			}
			// A missing file is reported by the measuring side; text then draws with what is loaded.
			if (Pattern)
			{
				FcPatternDestroy(Pattern);
			}
			return Faces.emplace(File, Face).first->second;
		}

		// The typeface the font names, else the family's first, as the measurement resolves it.
		const FFace& ResolveFace(const FSlateFontInfo& Font)
		{
			const FCompositeFont* Composite = Font.GetCompositeFont();
			if (!Composite || Composite->DefaultTypeface.Fonts.IsEmpty())
			{
				Composite = &FCoreStyle::GetDefaultFont().Get();
			}
			const TArray<FTypefaceEntry>& Entries = Composite->DefaultTypeface.Fonts;
			const FTypefaceEntry* Entry = Entries.FindByPredicate([&Font](const FTypefaceEntry& Candidate) { return Candidate.Name == Font.TypefaceFontName; });
			return LoadFace(UE::Host::ToUtf8((Entry ? *Entry : Entries[0]).Font.GetFontFilename()));
		}

		FcConfig* Config = nullptr;
		PangoFontMap* FontMap = nullptr;
		PangoContext* Context = nullptr;
		std::unordered_map<std::string, FFace> Faces;
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
	FRenderResources& Resources = FRenderResources::Get();
	std::lock_guard<std::mutex> Guard(Resources.Mutex);
	PangoLayout* Layout = Resources.CreateLayout(Text, Font, WrapWidth);
	cairo_t* Context = Canvas.GetContext();
	cairo_save(Context);
	cairo_set_source_rgba(Context, Color.R, Color.G, Color.B, Color.A);
	// The block starts on a whole pixel, as Slate places its text; glyphs keep their fractional advances.
	cairo_move_to(Context, std::round(Position.X), std::round(Position.Y));
	pango_cairo_show_layout(Context, Layout);
	cairo_restore(Context);
	g_object_unref(Layout);
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
