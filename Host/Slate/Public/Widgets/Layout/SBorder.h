// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Styling/CoreStyle.h"
#include "Styling/ISlateStyle.h"
#include "Styling/SlateBrush.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SCompoundWidget.h"

// A brush behind one child, with padding between. Defaults are not neutral: padding 2 on every
// side and the core style's "Border" brush. The brush is kept by pointer and must outlive the border.
class SBorder : public SCompoundWidget
{
public:
	SLATE_BEGIN_ARGS(SBorder)
		: _HAlign(HAlign_Fill), _VAlign(VAlign_Fill), _Padding(FMargin(2.0f)), _BorderImage(FCoreStyle::Get().GetBrush(TEXT("Border"))),
		  _BorderBackgroundColor(FLinearColor::White), _ForegroundColor(FSlateColor::UseForeground()), _ColorAndOpacity(FLinearColor::White)
	{
	}
	SLATE_DEFAULT_SLOT(FArguments, Content)
	SLATE_ARGUMENT(EHorizontalAlignment, HAlign)
	SLATE_ARGUMENT(EVerticalAlignment, VAlign)
	SLATE_ATTRIBUTE(FMargin, Padding)
	SLATE_ATTRIBUTE(const FSlateBrush*, BorderImage)
	SLATE_ATTRIBUTE(FSlateColor, BorderBackgroundColor)
	SLATE_ATTRIBUTE(FSlateColor, ForegroundColor)
	SLATE_ATTRIBUTE(FLinearColor, ColorAndOpacity)
	SLATE_END_ARGS()

	SBorder() = default;
	void Construct(const FArguments& InArgs);

	virtual void SetContent(TSharedRef<SWidget> InContent);
	// The brush drawn now.
	const FSlateBrush* GetBorderImage() const { return BorderImage.Get(); }

protected:
	TAttribute<const FSlateBrush*> BorderImage;
	TAttribute<FSlateColor> BorderBackgroundColor;
};
