// Copyright Vantle contributors. All Rights Reserved.
#include "Widgets/Images/SImage.h"

void SImage::Construct(const FArguments& InArgs)
{
	Image = InArgs._Image;
	ColorAndOpacity = InArgs._ColorAndOpacity;
}

FVector2D SImage::ComputeDesiredSize(float LayoutScaleMultiplier) const
{
	if (const FSlateBrush* Brush = Image.Get())
	{
		return FVector2D(Brush->ImageSize.X, Brush->ImageSize.Y);
	}
	return FVector2D(0.0, 0.0);
}
