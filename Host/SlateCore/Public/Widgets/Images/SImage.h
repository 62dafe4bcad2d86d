// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Styling/CoreStyle.h"
#include "Styling/ISlateStyle.h"
#include "Styling/SlateBrush.h"
#include "Styling/SlateColor.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SLeafWidget.h"

// Draws a brush. Its desired size is the brush's image size. The brush is kept by pointer and must outlive the widget.
class SImage : public SLeafWidget
{
public:
	SLATE_BEGIN_ARGS(SImage) : _Image(FCoreStyle::Get().GetBrush(TEXT("Default"))), _ColorAndOpacity(FLinearColor::White) {}
	SLATE_ATTRIBUTE(const FSlateBrush*, Image)
	SLATE_ATTRIBUTE(FSlateColor, ColorAndOpacity)
	SLATE_END_ARGS()

	SImage() = default;
	void Construct(const FArguments& InArgs);

protected:
	virtual FVector2D ComputeDesiredSize(float LayoutScaleMultiplier) const override;

private:
	friend struct UE::Host::FWidgetAccess;

	TAttribute<const FSlateBrush*> Image;
	TAttribute<FSlateColor> ColorAndOpacity;
};
