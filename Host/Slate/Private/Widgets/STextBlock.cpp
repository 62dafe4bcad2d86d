// Copyright Vantle contributors. All Rights Reserved.
#include "Widgets/Text/STextBlock.h"

#include "HostTextLayout.h"

#include <algorithm>
#include <cmath>

void STextBlock::Construct(const FArguments& InArgs)
{
	BoundText = InArgs._Text;
	TextStyle = InArgs._TextStyle ? *InArgs._TextStyle : FTextBlockStyle::GetDefault();
	Font = InArgs._Font;
	ColorAndOpacity = InArgs._ColorAndOpacity;
	WrapTextAt = InArgs._WrapTextAt;
	AutoWrapText = InArgs._AutoWrapText;
	MinDesiredWidth = InArgs._MinDesiredWidth;
}

FSlateFontInfo STextBlock::GetFont() const
{
	return Font.IsSet() ? Font.Get() : TextStyle.Font;
}

FSlateColor STextBlock::GetColorAndOpacity() const
{
	return ColorAndOpacity.IsSet() ? ColorAndOpacity.Get() : TextStyle.ColorAndOpacity;
}

float STextBlock::GetWrappingWidth() const
{
	// Slate's rule: a fixed WrapTextAt, narrowed to the last allotted width when wrapping automatically.
	float WrappingWidth = WrapTextAt.Get(0.0f);
	if (AutoWrapText.Get(false) && CachedWidth >= 1.0f)
	{
		WrappingWidth = WrappingWidth >= 1.0f ? std::min(WrappingWidth, CachedWidth) : CachedWidth;
	}
	return std::max(0.0f, WrappingWidth);
}

FVector2D STextBlock::ComputeDesiredSize(float LayoutScaleMultiplier) const
{
	const FText& Text = BoundText.Get();
	const FSlateFontInfo FontInfo = GetFont();
	const float WrappingWidth = GetWrappingWidth();
	// The same text data is the same text; otherwise texts compare by their strings, as invariant texts do.
	const bool bSameText = &Text.ToString() == &MeasuredText.ToString() || Text.IdenticalTo(MeasuredText);
	if (!bSameText || WrappingWidth != MeasuredWrappingWidth || !(FontInfo == MeasuredFont))
	{
		MeasuredSize = UE::Host::LayoutText(Text.ToString(), FontInfo, WrappingWidth).Size;
		MeasuredText = Text;
		MeasuredFont = FontInfo;
		MeasuredWrappingWidth = WrappingWidth;
	}
	return FVector2D(std::max<double>(MeasuredSize.X, MinDesiredWidth.Get(0.0f)), MeasuredSize.Y);
}

bool STextBlock::CacheAllottedGeometry(const FGeometry& AllottedGeometry)
{
	const float NewWidth = static_cast<float>(AllottedGeometry.GetLocalSize().X);
	if (std::fabs(NewWidth - CachedWidth) < 0.01f)
	{
		return false;
	}
	CachedWidth = NewWidth;
	// Only automatic wrapping depends on the width; other texts just remember it.
	return AutoWrapText.Get(false);
}
