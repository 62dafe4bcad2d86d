// Copyright 2026 Vantle contributors. All Rights Reserved.
#include "VantleStyle.h"

#include "Brushes/SlateColorBrush.h"
#include "Brushes/SlateImageBrush.h"
#include "Brushes/SlateRoundedBoxBrush.h"
#include "Interfaces/IPluginManager.h"
#include "Styling/CoreStyle.h"
#include "Styling/SlateColor.h"
#include "Styling/SlateStyle.h"
#include "Types/SlateEnums.h"
#include "Types/SlateVector2.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SBoxPanel.h"
#include "Widgets/Text/STextBlock.h"

namespace Vantle
{
	FLinearColor HexColor(const TCHAR* Hex)
	{
		return FLinearColor(FColor::FromHex(Hex));
	}

	namespace
	{
		FSlateRoundedBoxBrush ButtonBrush(const FLinearColor& Fill, const FLinearColor& Outline)
		{
			return FSlateRoundedBoxBrush(Fill, 4.0f, Outline, 1.0f);
		}
	}

	// Defined in this order on purpose: each brush and style copies colours defined above it.
	const FLinearColor BackgroundColor = HexColor(TEXT("0D0F11"));
	const FLinearColor SurfaceColor = HexColor(TEXT("15181B"));
	const FLinearColor AccentColor = HexColor(TEXT("3CFF91"));
	const FLinearColor TextColor = HexColor(TEXT("E7EBEE"));
	const FLinearColor MutedTextColor = HexColor(TEXT("929BA4"));
	const FSlateBrush BackgroundBrush = FSlateColorBrush(BackgroundColor);
	const FLinearColor LineColor = HexColor(TEXT("293036"));
	const FLinearColor AccentFillColor = HexColor(TEXT("10251B"));
	const FSlateBrush CardBrush = FSlateRoundedBoxBrush(SurfaceColor, 5.0f, LineColor, 1.0f);
	const FSlateBrush LineBrush = FSlateColorBrush(LineColor);
	const FButtonStyle PrimaryButtonStyle = FButtonStyle()
		.SetNormal(ButtonBrush(AccentFillColor, AccentColor.CopyWithNewOpacity(0.55f)))
		.SetHovered(ButtonBrush(AccentFillColor, AccentColor))
		.SetPressed(ButtonBrush(SurfaceColor, AccentColor))
		.SetDisabled(ButtonBrush(SurfaceColor, LineColor));
	const FButtonStyle SecondaryButtonStyle = FButtonStyle()
		.SetNormal(ButtonBrush(SurfaceColor, LineColor))
		.SetHovered(ButtonBrush(LineColor, MutedTextColor))
		.SetPressed(ButtonBrush(BackgroundColor, LineColor))
		.SetDisabled(ButtonBrush(BackgroundColor, LineColor));

	FSlateFontInfo MakeFont(int32 Size, bool bBold)
	{
		return FCoreStyle::GetDefaultFontStyle(bBold ? TEXT("Bold") : TEXT("Regular"), static_cast<float>(Size));
	}

	TSharedRef<STextBlock> MakeTextBlock(const FString& Text, int32 Size, const FLinearColor& Color, bool bBold)
	{
		return SNew(STextBlock)
			.Text(FText::FromString(Text))
			.Font(MakeFont(Size, bBold))
			.ColorAndOpacity(FSlateColor(Color))
			.AutoWrapText(true);
	}

	TSharedRef<SWidget> MakeMetric(const FString& Label, TFunction<FString()> Value)
	{
		return SNew(SHorizontalBox)
			+ SHorizontalBox::Slot()
			.AutoWidth()
			.VAlign(VAlign_Center)
			.Padding(0.0f, 0.0f, 6.0f, 0.0f)
			[
				SNew(STextBlock)
				.Text_Lambda([Value]() { return FText::FromString(Value()); })
				.Font(MakeFont(14, false))
				.ColorAndOpacity(FSlateColor(TextColor))
			]
			+ SHorizontalBox::Slot()
			.AutoWidth()
			.VAlign(VAlign_Center)
			[
				MakeTextBlock(Label, 9, MutedTextColor, false)
			];
	}

	TSharedRef<FSlateStyleSet> CreateStyleSet()
	{
		TSharedRef<FSlateStyleSet> Style = MakeShared<FSlateStyleSet>(TEXT("Vantle.Style"));
		// Without the plugin there is no content root to point the icon at; its users fall back
		// to the style's default brush.
		TSharedPtr<IPlugin> Plugin = IPluginManager::Get().FindPlugin(TEXT("Vantle"));
		if (!Plugin.IsValid())
		{
			return Style;
		}
		Style->SetContentRoot(Plugin->GetBaseDir() / TEXT("Resources"));
		Style->Set(TEXT("Vantle.Icon"), new FSlateVectorImageBrush(Style->RootToContentDir(TEXT("Vantle"), TEXT(".svg")), FVector2D(20.0, 20.0)));
		return Style;
	}
}
