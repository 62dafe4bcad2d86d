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
	const UE::Host::FTextLayoutResult Layout = UE::Host::LayoutText(BoundText.Get().ToString(), GetFont(), GetWrappingWidth());
	return FVector2D(std::max<double>(Layout.Size.X, MinDesiredWidth.Get(0.0f)), Layout.Size.Y);
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
