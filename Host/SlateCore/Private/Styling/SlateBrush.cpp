// Copyright Vantle contributors. All Rights Reserved.
#include "Styling/SlateBrush.h"

#include "Brushes/SlateNoResource.h"
#include "Styling/StyleDefaults.h"
#include "Styling/WidgetStyle.h"

FSlateBrush::FSlateBrush()
	: ImageSize(32.0f, 32.0f), Margin(0.0f), TintColor(FLinearColor::White), DrawAs(ESlateBrushDrawType::Image), Tiling(ESlateBrushTileType::NoTile),
	  Mirroring(ESlateBrushMirrorType::NoMirror), ImageType(ESlateBrushImageType::NoImage)
{
}

FSlateBrush::FSlateBrush(ESlateBrushDrawType::Type InDrawType, const FName InResourceName, const FMargin& InMargin, ESlateBrushTileType::Type InTiling,
						 ESlateBrushImageType::Type InImageType, const UE::Slate::FDeprecateVector2DParameter& InImageSize, const FLinearColor& InTint)
	: ImageSize(InImageSize), Margin(InMargin), TintColor(InTint), DrawAs(InDrawType), Tiling(InTiling), Mirroring(ESlateBrushMirrorType::NoMirror),
	  ImageType(InImageType), ResourceName(InResourceName)
{
}

FSlateBrush::FSlateBrush(ESlateBrushDrawType::Type InDrawType, const FName InResourceName, const FMargin& InMargin, ESlateBrushTileType::Type InTiling,
						 ESlateBrushImageType::Type InImageType, const UE::Slate::FDeprecateVector2DParameter& InImageSize, const FSlateColor& InTint)
	: ImageSize(InImageSize), Margin(InMargin), TintColor(InTint), DrawAs(InDrawType), Tiling(InTiling), Mirroring(ESlateBrushMirrorType::NoMirror),
	  ImageType(InImageType), ResourceName(InResourceName)
{
}

bool FSlateBrush::operator==(const FSlateBrush& Other) const
{
	return ImageSize == Other.ImageSize && DrawAs == Other.DrawAs && Margin == Other.Margin && TintColor == Other.TintColor && Tiling == Other.Tiling &&
		   Mirroring == Other.Mirroring && ResourceName == Other.ResourceName && ImageType == Other.ImageType &&
		   (DrawAs != ESlateBrushDrawType::RoundedBox || OutlineSettings == Other.OutlineSettings);
}

FLinearColor FSlateColor::GetColor(const FWidgetStyle& InWidgetStyle) const
{
	switch (ColorUseRule.GetValue())
	{
	case ESlateColorStylingMode::UseColor_Foreground:
	case ESlateColorStylingMode::UseColor_UseStyle:
		return InWidgetStyle.GetForegroundColor();
	case ESlateColorStylingMode::UseColor_Foreground_Subdued:
		return InWidgetStyle.GetSubduedForegroundColor();
	default:
		return SpecifiedColor;
	}
}

const FSlateBrush* FStyleDefaults::GetNoBrush()
{
	static const FSlateNoResource NoBrush;
	return &NoBrush;
}
