// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/EnumAsByte.h"
#include "Math/Color.h"

class FWidgetStyle;

namespace ESlateColorStylingMode
{
	enum Type : int
	{
		UseColor_Specified,
		UseColor_ColorTable,
		UseColor_Foreground,
		UseColor_Foreground_Subdued,
		UseColor_UseStyle,
	};
}

// A colour that is either given (specified) or taken from the widget's style when drawn.
struct FSlateColor
{
public:
	// Unset colour: fuchsia, specified.
	FSlateColor() : SpecifiedColor(1.0f, 0.0f, 1.0f, 1.0f), ColorUseRule(ESlateColorStylingMode::UseColor_Specified) {}
	FSlateColor(const FLinearColor& InColor) : SpecifiedColor(InColor), ColorUseRule(ESlateColorStylingMode::UseColor_Specified) {}

	// The inherited foreground colour at draw time.
	static FSlateColor UseForeground() { return FSlateColor(ESlateColorStylingMode::UseColor_Foreground); }

	bool IsColorSpecified() const { return ColorUseRule == ESlateColorStylingMode::UseColor_Specified; }
	const FLinearColor& GetSpecifiedColor() const { return SpecifiedColor; }
	ESlateColorStylingMode::Type GetColorUseRule() const { return ColorUseRule; }
	// The colour to draw with: the specified colour, or the style's foreground.
	FLinearColor GetColor(const FWidgetStyle& InWidgetStyle) const;

	bool operator==(const FSlateColor& Other) const
	{
		return ColorUseRule == Other.ColorUseRule && (ColorUseRule != ESlateColorStylingMode::UseColor_Specified || SpecifiedColor == Other.SpecifiedColor);
	}
	bool operator!=(const FSlateColor& Other) const { return !(*this == Other); }

private:
	explicit FSlateColor(ESlateColorStylingMode::Type InColorUseRule) : SpecifiedColor(1.0f, 0.0f, 1.0f, 1.0f), ColorUseRule(InColorUseRule) {}

	FLinearColor SpecifiedColor;
	TEnumAsByte<ESlateColorStylingMode::Type> ColorUseRule;
};
