// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Styling/SlateBrush.h"

// A solid fill of the widget's area: draw type Image, no resource, size 0 x 0, tinted with the colour.
struct FSlateColorBrush : public FSlateBrush
{
	// Fills with the given linear colour.
	FSlateColorBrush(const FLinearColor& InColor)
		: FSlateBrush(ESlateBrushDrawType::Image, NAME_None, FMargin(0.0f), ESlateBrushTileType::NoTile, ESlateBrushImageType::NoImage, FVector2f(0.0f, 0.0f),
					  InColor)
	{
	}
	// Fills with the given colour (specified or from the style).
	FSlateColorBrush(const FSlateColor& InColor)
		: FSlateBrush(ESlateBrushDrawType::Image, NAME_None, FMargin(0.0f), ESlateBrushTileType::NoTile, ESlateBrushImageType::NoImage, FVector2f(0.0f, 0.0f),
					  InColor)
	{
	}
	// Whether the engine decodes an 8-bit colour as sRGB here is not settled; pass an FLinearColor.
	FSlateColorBrush(const FColor& InColor) = delete;
};
