// Copyright Vantle contributors. All Rights Reserved.
// Host-only text measurement: pango with the font files named by the font's composite font,
// loaded explicitly (fontconfig application fonts), hinting off, 96 DPI. The plugin never
// includes this header.
#pragma once

#include "Containers/Array.h"
#include "Containers/UnrealString.h"
#include "Fonts/SlateFontInfo.h"
#include "Math/Vector2D.h"

typedef struct _cairo cairo_t;

namespace UE::Host
{
	struct FTextLayoutLine
	{
		FString Text;
		// Top of the line and its baseline, from the top of the text, in Slate units.
		double Top = 0.0;
		double Baseline = 0.0;
		double Width = 0.0;
		double Height = 0.0;
	};

	struct FTextLayoutResult
	{
		FVector2D Size;
		TArray<FTextLayoutLine> Lines;
	};

	// Lays Text out in Font: size N points is N * 96 / 72 units. WrapWidth > 0 wraps at word
	// boundaries within that width (a single word longer than it overflows); otherwise lines break
	// only at line feeds.
	SLATECORE_API FTextLayoutResult LayoutText(const FString& Text, const FSlateFontInfo& Font, double WrapWidth);
	// Draws Text at the cairo context's current point in its current source colour, laid out as
	// LayoutText measures it (one font map serves both, so text draws where it was measured).
	SLATECORE_API void DrawText(cairo_t* Cairo, const FString& Text, const FSlateFontInfo& Font, double WrapWidth);
	// The font files loaded so far; empty when none could be loaded.
	SLATECORE_API TArray<FString> GetLoadedFontFiles();
	// The problem met loading the fonts (missing files), or empty.
	SLATECORE_API FString GetFontLoadError();
}
