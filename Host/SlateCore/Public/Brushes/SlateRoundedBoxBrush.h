// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Styling/SlateBrush.h"

// A filled box with rounded corners and an optional outline (draw type RoundedBox). Without a
// radius the corners are half the height; with one they are fixed.
struct FSlateRoundedBoxBrush : public FSlateBrush
{
	template <typename FillColorType>
	FSlateRoundedBoxBrush(const FillColorType& InColor, const UE::Slate::FDeprecateVector2DParameter& InImageSize = FVector2f(0.0f, 0.0f))
		: FSlateBrush(ESlateBrushDrawType::RoundedBox, NAME_None, FMargin(0.0f), ESlateBrushTileType::NoTile, ESlateBrushImageType::NoImage, InImageSize,
					  InColor)
	{
		OutlineSettings.RoundingType = ESlateBrushRoundingType::HalfHeightRadius;
	}

	template <typename FillColorType>
	FSlateRoundedBoxBrush(const FillColorType& InColor, float InRadius, const UE::Slate::FDeprecateVector2DParameter& InImageSize = FVector2f(0.0f, 0.0f))
		: FSlateBrush(ESlateBrushDrawType::RoundedBox, NAME_None, FMargin(0.0f), ESlateBrushTileType::NoTile, ESlateBrushImageType::NoImage, InImageSize,
					  InColor)
	{
		OutlineSettings = FSlateBrushOutlineSettings(InRadius);
	}

	template <typename FillColorType>
	FSlateRoundedBoxBrush(const FillColorType& InColor, const FVector4& InRadii,
						  const UE::Slate::FDeprecateVector2DParameter& InImageSize = FVector2f(0.0f, 0.0f))
		: FSlateBrush(ESlateBrushDrawType::RoundedBox, NAME_None, FMargin(0.0f), ESlateBrushTileType::NoTile, ESlateBrushImageType::NoImage, InImageSize,
					  InColor)
	{
		OutlineSettings = FSlateBrushOutlineSettings(InRadii);
	}

	template <typename FillColorType, typename OutlineColorType>
	FSlateRoundedBoxBrush(const FillColorType& InColor, const OutlineColorType& InOutlineColor, float InOutlineWidth,
						  const UE::Slate::FDeprecateVector2DParameter& InImageSize = FVector2f(0.0f, 0.0f))
		: FSlateBrush(ESlateBrushDrawType::RoundedBox, NAME_None, FMargin(0.0f), ESlateBrushTileType::NoTile, ESlateBrushImageType::NoImage, InImageSize,
					  InColor)
	{
		OutlineSettings = FSlateBrushOutlineSettings(FSlateColor(InOutlineColor), InOutlineWidth);
	}

	template <typename FillColorType, typename OutlineColorType>
	FSlateRoundedBoxBrush(const FillColorType& InColor, float InRadius, const OutlineColorType& InOutlineColor, float InOutlineWidth,
						  const UE::Slate::FDeprecateVector2DParameter& InImageSize = FVector2f(0.0f, 0.0f))
		: FSlateBrush(ESlateBrushDrawType::RoundedBox, NAME_None, FMargin(0.0f), ESlateBrushTileType::NoTile, ESlateBrushImageType::NoImage, InImageSize,
					  InColor)
	{
		OutlineSettings = FSlateBrushOutlineSettings(InRadius, FSlateColor(InOutlineColor), InOutlineWidth);
	}

	template <typename FillColorType, typename OutlineColorType>
	FSlateRoundedBoxBrush(const FillColorType& InColor, const FVector4& InRadii, const OutlineColorType& InOutlineColor, float InOutlineWidth,
						  const UE::Slate::FDeprecateVector2DParameter& InImageSize = FVector2f(0.0f, 0.0f))
		: FSlateBrush(ESlateBrushDrawType::RoundedBox, NAME_None, FMargin(0.0f), ESlateBrushTileType::NoTile, ESlateBrushImageType::NoImage, InImageSize,
					  InColor)
	{
		OutlineSettings = FSlateBrushOutlineSettings(InRadii, FSlateColor(InOutlineColor), InOutlineWidth);
	}
};
