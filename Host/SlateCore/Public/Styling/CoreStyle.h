// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Fonts/SlateFontInfo.h"
#include "Templates/SharedPointer.h"
#include "UObject/NameTypes.h"

class ISlateStyle;

// Slate's own style ("CoreStyle") and its default font.
class FCoreStyle
{
public:
	// The core style set: default text and button styles, the "Border" brush and the editor's status icons.
	static const ISlateStyle& Get();
	// The default font family, Roboto (typefaces "Regular" and "Bold").
	static TSharedRef<const FCompositeFont> GetDefaultFont();
	// The default font in the given typeface and size (points).
	static FSlateFontInfo GetDefaultFontStyle(const FName InTypefaceFontName, const float InSize,
											  const FFontOutlineSettings& InOutlineSettings = FFontOutlineSettings());
};
