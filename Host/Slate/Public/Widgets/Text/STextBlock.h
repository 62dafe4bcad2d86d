// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Fonts/SlateFontInfo.h"
#include "Internationalization/Text.h"
#include "Styling/CoreStyle.h"
#include "Styling/ISlateStyle.h"
#include "Styling/SlateColor.h"
#include "Styling/SlateTypes.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SLeafWidget.h"

namespace UE::Host
{
	struct FSlateWidgetAccess;
}

// A block of text. Font and colour default to the text style ("NormalText"). With automatic
// wrapping the text wraps at the width its slot gave it in the last layout; WrapTextAt wraps at a
// fixed width. Without either it never wraps.
class STextBlock : public SLeafWidget
{
public:
	SLATE_BEGIN_ARGS(STextBlock)
		: _Text(), _TextStyle(&FCoreStyle::Get().GetWidgetStyle<FTextBlockStyle>(TEXT("NormalText"))), _WrapTextAt(0.0f), _AutoWrapText(false),
		  _MinDesiredWidth(0.0f)
	{
	}
	SLATE_ATTRIBUTE(FText, Text)
	SLATE_STYLE_ARGUMENT(FTextBlockStyle, TextStyle)
	SLATE_ATTRIBUTE(FSlateFontInfo, Font)
	SLATE_ATTRIBUTE(FSlateColor, ColorAndOpacity)
	SLATE_ATTRIBUTE(float, WrapTextAt)
	SLATE_ATTRIBUTE(bool, AutoWrapText)
	SLATE_ATTRIBUTE(float, MinDesiredWidth)
	SLATE_END_ARGS()

	STextBlock() = default;
	void Construct(const FArguments& InArgs);

	// The text, read from its attribute now.
	const FText& GetText() const { return BoundText.Get(); }
	void SetText(const TAttribute<FText>& InText) { BoundText = InText; }
	void SetWrapTextAt(const TAttribute<float>& InWrapTextAt) { WrapTextAt = InWrapTextAt; }

protected:
	virtual FVector2D ComputeDesiredSize(float LayoutScaleMultiplier) const override;
	virtual bool CacheAllottedGeometry(const FGeometry& AllottedGeometry) override;

private:
	friend struct UE::Host::FSlateWidgetAccess;

	FSlateFontInfo GetFont() const;
	FSlateColor GetColorAndOpacity() const;
	// The width the text wraps at now (0: no wrapping).
	float GetWrappingWidth() const;

	TAttribute<FText> BoundText;
	FTextBlockStyle TextStyle;
	TAttribute<FSlateFontInfo> Font;
	TAttribute<FSlateColor> ColorAndOpacity;
	TAttribute<float> WrapTextAt;
	TAttribute<bool> AutoWrapText;
	TAttribute<float> MinDesiredWidth;
	// The width of the last layout, which automatic wrapping follows.
	float CachedWidth = 0.0f;
	// Like Slate's text block layout cache: measured again only when the text, font or wrapping changes.
	mutable FText MeasuredText;
	mutable FSlateFontInfo MeasuredFont;
	mutable float MeasuredWrappingWidth = -1.0f;
	mutable FVector2D MeasuredSize;
};
