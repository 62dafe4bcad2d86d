// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/EnumAsByte.h"
#include "Layout/Margin.h"
#include "Math/Vector2D.h"
#include "Math/Vector4.h"
#include "Styling/SlateColor.h"
#include "Types/SlateVector2.h"
#include "UObject/NameTypes.h"

namespace ESlateBrushDrawType
{
	enum Type : int
	{
		NoDrawType,
		Box,
		Border,
		Image,
		RoundedBox,
	};
}

namespace ESlateBrushTileType
{
	enum Type : int
	{
		NoTile,
		Horizontal,
		Vertical,
		Both,
	};
}

namespace ESlateBrushMirrorType
{
	enum Type : int
	{
		NoMirror,
		Horizontal,
		Vertical,
		Both,
	};
}

namespace ESlateBrushImageType
{
	enum Type : int
	{
		NoImage,
		FullColor,
		Linear,
		Vector,
	};
}

namespace ESlateBrushRoundingType
{
	enum Type : int
	{
		FixedRadius,
		HalfHeightRadius,
	};
}

// Corner radii and outline of a rounded-box brush. Radii: X top-left, Y top-right, Z bottom-right, W bottom-left.
struct FSlateBrushOutlineSettings
{
	FSlateBrushOutlineSettings()
		: CornerRadii(0, 0, 0, 0), Color(FLinearColor::Transparent), Width(0.0f), RoundingType(ESlateBrushRoundingType::HalfHeightRadius)
	{
	}
	FSlateBrushOutlineSettings(float InUniformRadius)
		: CornerRadii(InUniformRadius, InUniformRadius, InUniformRadius, InUniformRadius), Color(FLinearColor::Transparent), Width(0.0f),
		  RoundingType(ESlateBrushRoundingType::FixedRadius)
	{
	}
	FSlateBrushOutlineSettings(const FVector4& InRadius)
		: CornerRadii(InRadius), Color(FLinearColor::Transparent), Width(0.0f), RoundingType(ESlateBrushRoundingType::FixedRadius)
	{
	}
	FSlateBrushOutlineSettings(const FSlateColor& InColor, float InWidth)
		: CornerRadii(0, 0, 0, 0), Color(InColor), Width(InWidth), RoundingType(ESlateBrushRoundingType::HalfHeightRadius)
	{
	}
	FSlateBrushOutlineSettings(float InUniformRadius, const FSlateColor& InColor, float InWidth)
		: CornerRadii(InUniformRadius, InUniformRadius, InUniformRadius, InUniformRadius), Color(InColor), Width(InWidth),
		  RoundingType(ESlateBrushRoundingType::FixedRadius)
	{
	}
	FSlateBrushOutlineSettings(const FVector4& InRadius, const FSlateColor& InColor, float InWidth)
		: CornerRadii(InRadius), Color(InColor), Width(InWidth), RoundingType(ESlateBrushRoundingType::FixedRadius)
	{
	}

	bool operator==(const FSlateBrushOutlineSettings& Other) const
	{
		return CornerRadii == Other.CornerRadii && Color == Other.Color && Width == Other.Width && RoundingType == Other.RoundingType &&
			   bUseBrushTransparency == Other.bUseBrushTransparency;
	}

	FVector4 CornerRadii;
	FSlateColor Color;
	float Width;
	TEnumAsByte<ESlateBrushRoundingType::Type> RoundingType;
	bool bUseBrushTransparency = false;
};

// How to draw a rectangle: a solid or rounded fill, or an image file (the brush holds its path only).
struct FSlateBrush
{
	// An image brush with no resource, 32 x 32, white.
	FSlateBrush();
	virtual ~FSlateBrush() = default;
	FSlateBrush(const FSlateBrush&) = default;
	FSlateBrush& operator=(const FSlateBrush&) = default;

	// The image file as given (full path and extension), or NAME_None.
	const FName GetResourceName() const { return ResourceName; }
	ESlateBrushDrawType::Type GetDrawType() const { return DrawAs; }
	ESlateBrushTileType::Type GetTiling() const { return Tiling; }
	ESlateBrushImageType::Type GetImageType() const { return ImageType; }
	const FMargin& GetMargin() const { return Margin; }

	// Rounded-box outlines only count for rounded boxes, as in the engine.
	bool operator==(const FSlateBrush& Other) const;
	bool operator!=(const FSlateBrush& Other) const { return !(*this == Other); }

	FDeprecateSlateVector2D ImageSize;
	FMargin Margin;
	FSlateColor TintColor;
	FSlateBrushOutlineSettings OutlineSettings;
	TEnumAsByte<ESlateBrushDrawType::Type> DrawAs;
	TEnumAsByte<ESlateBrushTileType::Type> Tiling;
	TEnumAsByte<ESlateBrushMirrorType::Type> Mirroring;
	TEnumAsByte<ESlateBrushImageType::Type> ImageType;

protected:
	FSlateBrush(ESlateBrushDrawType::Type InDrawType, const FName InResourceName, const FMargin& InMargin, ESlateBrushTileType::Type InTiling,
				ESlateBrushImageType::Type InImageType, const UE::Slate::FDeprecateVector2DParameter& InImageSize,
				const FLinearColor& InTint = FLinearColor::White);
	FSlateBrush(ESlateBrushDrawType::Type InDrawType, const FName InResourceName, const FMargin& InMargin, ESlateBrushTileType::Type InTiling,
				ESlateBrushImageType::Type InImageType, const UE::Slate::FDeprecateVector2DParameter& InImageSize, const FSlateColor& InTint);

	FName ResourceName;
};
