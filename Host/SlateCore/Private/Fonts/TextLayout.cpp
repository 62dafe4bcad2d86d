// Copyright Vantle contributors. All Rights Reserved.
#include "HostTextLayout.h"

#include "Containers/Map.h"
#include "Logging/LogMacros.h"
#include "Misc/Paths.h"
#include "Styling/CoreStyle.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

DEFINE_LOG_CATEGORY_STATIC(LogSlateFonts, Log, All);

namespace
{
	// What fontconfig reads from a font file: enough to ask pango for exactly that face.
	struct FFaceInfo
	{
		std::string Family;
		int Weight = FC_WEIGHT_REGULAR;
		int Slant = FC_SLANT_ROMAN;
		bool bLoaded = false;
	};

	// One font map for the whole process, fed only with the files the fonts name, so that a layout
	// does not depend on the fonts installed on the machine.
	class FFontService
	{
	public:
		static FFontService& Get()
		{
			static FFontService Instance;
			return Instance;
		}

		// Released at exit, so that leak checkers see fontconfig's and pango's memory go.
		~FFontService()
		{
			Cache.clear();
			g_object_unref(Context);
			// Breaks the font map's reference cycles with its fonts, which would keep it (and the config) alive.
			pango_fc_font_map_shutdown(PANGO_FC_FONT_MAP(FontMap));
			g_object_unref(FontMap);
			// cairo keeps the font faces it made from fontconfig patterns in a cache of its own.
			cairo_debug_reset_static_data();
			FcConfigDestroy(Config);
			FcFini();
		}

		UE::Host::FTextLayoutResult Layout(const FString& Text, const FSlateFontInfo& Font, double WrapWidth)
		{
			std::lock_guard<std::mutex> Guard(Mutex);
			const FFaceInfo& Face = ResolveFace(Font);
			const std::string Utf8 = UE::Host::ToUtf8(Text);
			const double PixelSize = Font.Size * FontConstants::RenderDPI / 72.0;
			const std::string Key = Utf8 + '\x1f' + Face.Family + '\x1f' + std::to_string(Face.Weight) + '\x1f' + std::to_string(Face.Slant) + '\x1f' +
									std::to_string(std::lround(PixelSize * 1024.0)) + '\x1f' +
									std::to_string(WrapWidth > 0.0 ? std::lround(WrapWidth * 64.0) : 0);
			auto Cached = Cache.find(Key);
			if (Cached != Cache.end())
			{
				return Cached->second;
			}

			UE::Host::FTextLayoutResult Result;
			double Right = 0.0;
			double Top = 0.0;
			ForEachParagraph(Utf8, Face, PixelSize, WrapWidth, [&](PangoLayout* Layout, size_t Start)
				{
					PangoRectangle Logical;
					pango_layout_get_extents(Layout, nullptr, &Logical);
					Right = std::max(Right, static_cast<double>(Logical.x + Logical.width) / PANGO_SCALE);
					PangoLayoutIter* Iter = pango_layout_get_iter(Layout);
					do
					{
						PangoLayoutLine* Line = pango_layout_iter_get_line_readonly(Iter);
						PangoRectangle LineLogical;
						pango_layout_iter_get_line_extents(Iter, nullptr, &LineLogical);
						UE::Host::FTextLayoutLine Entry;
						Entry.Text = UE::Host::FromUtf8(std::string_view(Utf8.data() + Start + Line->start_index, Line->length));
						Entry.Top = Top + static_cast<double>(LineLogical.y) / PANGO_SCALE;
						Entry.Height = static_cast<double>(LineLogical.height) / PANGO_SCALE;
						Entry.Width = static_cast<double>(LineLogical.width) / PANGO_SCALE;
						Entry.Baseline = Top + static_cast<double>(pango_layout_iter_get_baseline(Iter)) / PANGO_SCALE;
						Result.Lines.Add(Entry);
					} while (pango_layout_iter_next_line(Iter));
					pango_layout_iter_free(Iter);
					Top += static_cast<double>(Logical.height) / PANGO_SCALE;
				});
			Result.Size = FVector2D(Right, Top);

			// Layouts are cheap but run every frame for every text; the cache stays bounded.
			if (Cache.size() > 4096)
			{
				Cache.clear();
			}
			Cache.emplace(Key, Result);
			return Result;
		}

		// Draws the text at the cairo context's current point, laid out exactly as Layout measures it.
		void Draw(cairo_t* Cairo, const FString& Text, const FSlateFontInfo& Font, double WrapWidth)
		{
			std::lock_guard<std::mutex> Guard(Mutex);
			const FFaceInfo& Face = ResolveFace(Font);
			const std::string Utf8 = UE::Host::ToUtf8(Text);
			double X = 0.0;
			double Y = 0.0;
			cairo_get_current_point(Cairo, &X, &Y);
			ForEachParagraph(Utf8, Face, Font.Size * FontConstants::RenderDPI / 72.0, WrapWidth, [&](PangoLayout* Layout, size_t)
				{
					cairo_move_to(Cairo, X, Y);
					pango_cairo_show_layout(Cairo, Layout);
					PangoRectangle Logical;
					pango_layout_get_extents(Layout, nullptr, &Logical);
					Y += static_cast<double>(Logical.height) / PANGO_SCALE;
				});
		}

		TArray<FString> GetLoadedFiles()
		{
			std::lock_guard<std::mutex> Guard(Mutex);
			TArray<FString> Files;
			for (const auto& Pair : Faces)
			{
				if (Pair.second.bLoaded)
				{
					Files.Add(UE::Host::FromUtf8(Pair.first));
				}
			}
			Files.Sort();
			return Files;
		}

		FString GetLoadError()
		{
			std::lock_guard<std::mutex> Guard(Mutex);
			return LoadError;
		}

	private:
		// Calls Visit with a layout of each paragraph (the text between line feeds) and where it starts
		// in Utf8. Pango lays a text's paragraphs out one below the other, as stacked here, but one
		// layout of a whole text takes time quadratic in its lines (most of it in g_utf8_strlen,
		// counting characters from the start of the text).
		template <typename FVisit>
		void ForEachParagraph(const std::string& Utf8, const FFaceInfo& Face, double PixelSize, double WrapWidth, FVisit&& Visit)
		{
			size_t Start = 0;
			while (true)
			{
				const size_t End = std::min(Utf8.find('\n', Start), Utf8.size());
				PangoLayout* Layout = CreateLayout(std::string_view(Utf8).substr(Start, End - Start), Face, PixelSize, WrapWidth);
				Visit(Layout, Start);
				g_object_unref(Layout);
				if (End == Utf8.size())
				{
					break;
				}
				Start = End + 1;
			}
		}

		PangoLayout* CreateLayout(std::string_view Utf8, const FFaceInfo& Face, double PixelSize, double WrapWidth)
		{
			PangoLayout* Layout = pango_layout_new(Context);
			PangoFontDescription* Description = pango_font_description_new();
			pango_font_description_set_family(Description, Face.Family.empty() ? "Roboto" : Face.Family.c_str());
			pango_font_description_set_weight(Description, static_cast<PangoWeight>(FcWeightToOpenType(Face.Weight)));
			pango_font_description_set_style(Description, Face.Slant == FC_SLANT_ROMAN ? PANGO_STYLE_NORMAL : PANGO_STYLE_ITALIC);
			pango_font_description_set_absolute_size(Description, PixelSize * PANGO_SCALE);
			pango_layout_set_font_description(Layout, Description);
			pango_font_description_free(Description);
			if (WrapWidth > 0.0)
			{
				// A text exactly as wide as its slot must not wrap: one pango unit of slack.
				pango_layout_set_width(Layout, static_cast<int>(std::ceil(WrapWidth * PANGO_SCALE)) + 1);
				pango_layout_set_wrap(Layout, PANGO_WRAP_WORD);
			}
			pango_layout_set_text(Layout, Utf8.data(), static_cast<int>(Utf8.size()));
			return Layout;
		}

		FFontService()
		{
			// An empty configuration: no system fonts, no rules, only the files added below.
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

		static int FcWeightToOpenType(int FcWeight) { return static_cast<int>(FcWeightToOpenTypeDouble(FcWeight)); }

		const FFaceInfo& LoadFace(const std::string& File)
		{
			auto Existing = Faces.find(File);
			if (Existing != Faces.end())
			{
				return Existing->second;
			}
			FFaceInfo Info;
			int Count = 0;
			FcPattern* Pattern = FcFreeTypeQuery(reinterpret_cast<const FcChar8*>(File.c_str()), 0, nullptr, &Count);
			if (Pattern && FcConfigAppFontAddFile(Config, reinterpret_cast<const FcChar8*>(File.c_str())))
			{
				FcChar8* Family = nullptr;
				if (FcPatternGetString(Pattern, FC_FAMILY, 0, &Family) == FcResultMatch)
				{
					Info.Family = reinterpret_cast<const char*>(Family);
				}
				FcPatternGetInteger(Pattern, FC_WEIGHT, 0, &Info.Weight);
				FcPatternGetInteger(Pattern, FC_SLANT, 0, &Info.Slant);
				Info.bLoaded = true;
				// The font map caches its font sets; it must see the new file.
				pango_fc_font_map_config_changed(PANGO_FC_FONT_MAP(FontMap));
			}
			else
			{
				const FString Message =
					FString::Printf(TEXT("Cannot load the font file '%s'; text is measured without it (install fonts-roboto)."), *UE::Host::FromUtf8(File));
				if (LoadError.IsEmpty())
				{
					LoadError = Message;
				}
				UE_LOG(LogSlateFonts, Warning, TEXT("%s"), *Message);
			}
			if (Pattern)
			{
				FcPatternDestroy(Pattern);
			}
			return Faces.emplace(File, Info).first->second;
		}

		// The typeface named by the font, else the family's first (as Slate falls back).
		const FFaceInfo& ResolveFace(const FSlateFontInfo& Font)
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

		std::mutex Mutex;
		FcConfig* Config = nullptr;
		PangoFontMap* FontMap = nullptr;
		PangoContext* Context = nullptr;
		std::unordered_map<std::string, FFaceInfo> Faces;
		std::unordered_map<std::string, UE::Host::FTextLayoutResult> Cache;
		FString LoadError;
	};
}

// pango 1.50 with fontconfig 2.14 keeps part of the application font set after both are released:
// a one-off, bounded loss inside the libraries that leak checkers should not report as ours. Weak,
// so that a program with its own suppressions keeps them.
extern "C" __attribute__((weak)) const char* __lsan_default_suppressions()
{
	return "leak:libfontconfig.so\n";
}

UE::Host::FTextLayoutResult UE::Host::LayoutText(const FString& Text, const FSlateFontInfo& Font, double WrapWidth)
{
	return FFontService::Get().Layout(Text, Font, WrapWidth);
}

TArray<FString> UE::Host::GetLoadedFontFiles()
{
	return FFontService::Get().GetLoadedFiles();
}

FString UE::Host::GetFontLoadError()
{
	return FFontService::Get().GetLoadError();
}

void UE::Host::DrawText(cairo_t* Cairo, const FString& Text, const FSlateFontInfo& Font, double WrapWidth)
{
	FFontService::Get().Draw(Cairo, Text, Font, WrapWidth);
}
