// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Fonts/CompositeFont.h"
#include "Math/Color.h"
#include "Templates/SharedPointer.h"
#include "UObject/NameTypes.h"

class UObject;

namespace FontConstants
{
	// Font sizes are points converted to Slate units at this resolution: size N is N * 96 / 72 units.
	inline const uint32 RenderDPI = 96;
}

struct FFontOutlineSettings
{
	FFontOutlineSettings() = default;
	FFontOutlineSettings(int32 InOutlineSize, FLinearColor InColor = FLinearColor::Black) : OutlineSize(InOutlineSize), OutlineColor(InColor) {}

	bool IsIdenticalTo(const FFontOutlineSettings& Other) const
	{
		return OutlineSize == Other.OutlineSize && bMiteredCorners == Other.bMiteredCorners && bSeparateFillAlpha == Other.bSeparateFillAlpha &&
			   bApplyOutlineToDropShadows == Other.bApplyOutlineToDropShadows && OutlineMaterial == Other.OutlineMaterial && OutlineColor == Other.OutlineColor;
	}

	static const FFontOutlineSettings NoOutline;

	int32 OutlineSize = 0;
	bool bMiteredCorners = false;
	bool bSeparateFillAlpha = false;
	bool bApplyOutlineToDropShadows = false;
	UObject* OutlineMaterial = nullptr;
	FLinearColor OutlineColor = FLinearColor::Black;
};

// A font: family (composite font), typeface name and size in points.
struct FSlateFontInfo
{
	// No font, size 24 (the engine's default).
	FSlateFontInfo() = default;
	FSlateFontInfo(TSharedPtr<const FCompositeFont> InCompositeFont, const float InSize, const FName& InTypefaceFontName = NAME_None,
				   const FFontOutlineSettings& InOutlineSettings = FFontOutlineSettings())
		: OutlineSettings(InOutlineSettings), CompositeFont(InCompositeFont), TypefaceFontName(InTypefaceFontName), Size(InSize)
	{
	}

	const FCompositeFont* GetCompositeFont() const { return CompositeFont.Get(); }
	bool IsIdenticalTo(const FSlateFontInfo& Other) const
	{
		return FontObject == Other.FontObject && FontMaterial == Other.FontMaterial && OutlineSettings.IsIdenticalTo(Other.OutlineSettings) &&
			   CompositeFont == Other.CompositeFont && TypefaceFontName == Other.TypefaceFontName && Size == Other.Size &&
			   LetterSpacing == Other.LetterSpacing && SkewAmount == Other.SkewAmount;
	}
	bool operator==(const FSlateFontInfo& Other) const { return IsIdenticalTo(Other); }
	bool operator!=(const FSlateFontInfo& Other) const { return !IsIdenticalTo(Other); }

	const UObject* FontObject = nullptr;
	UObject* FontMaterial = nullptr;
	FFontOutlineSettings OutlineSettings;
	TSharedPtr<const FCompositeFont> CompositeFont;
	FName TypefaceFontName;
	float Size = 24.0f;
	int32 LetterSpacing = 0;
	float SkewAmount = 0.0f;
};
