// Copyright 2026 Vantle contributors. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "Fonts/SlateFontInfo.h"
#include "Misc/Attribute.h"
#include "Styling/SlateBrush.h"
#include "Styling/SlateTypes.h"

class FSlateStyleSet;
class STextBlock;
class SWidget;

// The panel's own look: a fixed palette decoded once from sRGB hex strings, and the brushes,
// button styles and text helpers built from it.
namespace Vantle
{
	// Decodes "RRGGBB" through the sRGB curve, as FLinearColor(FColor) does.
	FLinearColor HexColor(const TCHAR* Hex);

	extern const FLinearColor BackgroundColor;
	extern const FLinearColor SurfaceColor;
	extern const FLinearColor AccentColor;
	extern const FLinearColor TextColor;
	extern const FLinearColor MutedTextColor;
	extern const FSlateBrush BackgroundBrush;
	extern const FLinearColor LineColor;
	extern const FLinearColor AccentFillColor;
	extern const FSlateBrush CardBrush;
	extern const FSlateBrush LineBrush;
	extern const FButtonStyle PrimaryButtonStyle;
	extern const FButtonStyle SecondaryButtonStyle;

	FSlateFontInfo MakeFont(int32 Size, bool bBold);
	TSharedRef<STextBlock> MakeTextBlock(const FString& Text, int32 Size, const FLinearColor& Color, bool bBold);
	// A value (left, re-read on every paint) and its label (right), for the counter row.
	TSharedRef<SWidget> MakeMetric(const FString& Label, TFunction<FString()> Value);

	// "Vantle.Style" with the brush "Vantle.Icon" from the plugin's Resources folder; not registered.
	TSharedRef<FSlateStyleSet> CreateStyleSet();
}
