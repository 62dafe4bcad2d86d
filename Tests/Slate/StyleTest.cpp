// Copyright Vantle contributors. All Rights Reserved.
#include "SlateTestSupport.h"

#include "Brushes/SlateColorBrush.h"
#include "Brushes/SlateImageBrush.h"
#include "Brushes/SlateRoundedBoxBrush.h"
#include "Styling/AppStyle.h"
#include "Styling/CoreStyle.h"
#include "Styling/SlateStyle.h"
#include "Styling/SlateStyleRegistry.h"
#include "Styling/SlateTypes.h"
#include "Textures/SlateIcon.h"
#include "Widgets/Images/SImage.h"

#include <cmath>
#include <fstream>

namespace
{
	using FStyleTest = FSlateTest;

	FLinearColor FromHex(const TCHAR* Hex)
	{
		return FLinearColor(FColor::FromHex(Hex));
	}
}

TEST_F(FStyleTest, RegistryFindsAStyleOnlyWhileRegisteredAndAssertsOnATakenName)
{
	const TSharedRef<FSlateStyleSet> Style = MakeShared<FSlateStyleSet>(FName(TEXT("Test.Style")));
	EXPECT_EQ(FSlateStyleRegistry::FindSlateStyle(TEXT("Test.Style")), nullptr);
	FSlateStyleRegistry::RegisterSlateStyle(Style.Get());
	EXPECT_EQ(FSlateStyleRegistry::FindSlateStyle(TEXT("Test.Style")), &Style.Get());

	// A second set of the same name is a programming error: the registry asserts, as the engine's does.
	GTEST_FLAG_SET(death_test_style, "threadsafe");
	const TSharedRef<FSlateStyleSet> Impostor = MakeShared<FSlateStyleSet>(FName(TEXT("Test.Style")));
	EXPECT_DEATH(FSlateStyleRegistry::RegisterSlateStyle(Impostor.Get()), "Assertion failed: !FindSlateStyle\\(Name\\)");
	EXPECT_EQ(FSlateStyleRegistry::FindSlateStyle(TEXT("Test.Style")), &Style.Get());

	FSlateStyleRegistry::UnRegisterSlateStyle(Style.Get());
	EXPECT_EQ(FSlateStyleRegistry::FindSlateStyle(TEXT("Test.Style")), nullptr);
}

TEST_F(FStyleTest, VectorIconBrushResolvesAgainstTheContentRoot)
{
	FSlateStyleSet Style(TEXT("Test.Style"));
	Style.SetContentRoot(TEXT("/plugins/Vantle/Resources"));
	const FString Path = Style.RootToContentDir(TEXT("Vantle"), TEXT(".svg"));
	EXPECT_EQ(ToStd(Path), "/plugins/Vantle/Resources/Vantle.svg");
	Style.SetContentRoot(TEXT("/plugins/Vantle/Resources/"));
	EXPECT_EQ(ToStd(Style.RootToContentDir(TEXT("Icons/Toolbar"), TEXT(".svg"))), "/plugins/Vantle/Resources/Icons/Toolbar.svg");

	Style.Set(TEXT("Vantle.Icon"), new FSlateVectorImageBrush(Path, FVector2D(20.0, 20.0)));
	const FSlateBrush* Brush = Style.GetBrush(TEXT("Vantle.Icon"));
	ASSERT_NE(Brush, nullptr);
	EXPECT_EQ(Brush->GetDrawType(), ESlateBrushDrawType::Image);
	EXPECT_EQ(Brush->GetImageType(), ESlateBrushImageType::Vector);
	EXPECT_EQ(Brush->ImageSize, FVector2f(20.0f, 20.0f));
	EXPECT_EQ(ToStd(Brush->GetResourceName().ToString()), "/plugins/Vantle/Resources/Vantle.svg");

	// Unknown names give the set's default brush, never null; the optional lookup says "none".
	const FSlateBrush* Missing = Style.GetBrush(TEXT("Vantle.Missing"));
	ASSERT_NE(Missing, nullptr);
	EXPECT_EQ(Missing, Style.GetBrush(TEXT("Default")));
	EXPECT_EQ(Style.GetOptionalBrush(TEXT("Vantle.Missing"), nullptr, nullptr), nullptr);
}

TEST_F(FStyleTest, PanelBrushesCarryTheirDrawTypesAndOutlines)
{
	const FSlateColorBrush Background(FromHex(TEXT("0D0F11")));
	EXPECT_EQ(Background.GetDrawType(), ESlateBrushDrawType::Image);
	EXPECT_EQ(Background.ImageType, ESlateBrushImageType::NoImage);
	EXPECT_TRUE(Background.TintColor.GetSpecifiedColor().Equals(FLinearColor(0.0040f, 0.0048f, 0.0056f), 0.0001f));

	const FLinearColor Accent = FromHex(TEXT("3CFF91"));
	const FSlateRoundedBoxBrush Normal(FromHex(TEXT("10251B")), 4.0f, Accent.CopyWithNewOpacity(0.55f), 1.0f);
	EXPECT_EQ(Normal.GetDrawType(), ESlateBrushDrawType::RoundedBox);
	EXPECT_EQ(Normal.OutlineSettings.RoundingType, ESlateBrushRoundingType::FixedRadius);
	EXPECT_EQ(Normal.OutlineSettings.CornerRadii, FVector4(4, 4, 4, 4));
	EXPECT_FLOAT_EQ(Normal.OutlineSettings.Color.GetSpecifiedColor().A, 0.55f);
	EXPECT_EQ(FSlateRoundedBoxBrush(Accent).OutlineSettings.RoundingType, ESlateBrushRoundingType::HalfHeightRadius);
	// Outlines only count in the comparison of rounded boxes.
	EXPECT_NE(Normal, FSlateRoundedBoxBrush(FromHex(TEXT("10251B")), 4.0f, Accent, 1.0f));
}

TEST_F(FStyleTest, AppStyleIsTheEditorStyleAndFindsCoreIcons)
{
	EXPECT_EQ(FAppStyle::GetAppStyleSetName(), FName(TEXT("EditorStyle")));
	for (const TCHAR* Name : {TEXT("Icons.SuccessWithColor"), TEXT("Icons.ErrorWithColor"), TEXT("Icons.WarningWithColor"), TEXT("Icons.Refresh")})
	{
		const FSlateIcon Icon(FAppStyle::GetAppStyleSetName(), Name);
		const FSlateBrush* Brush = Icon.GetOptionalIcon();
		ASSERT_NE(Brush, nullptr) << TCHAR_TO_UTF8(Name);
		EXPECT_EQ(Brush, FAppStyle::GetBrush(Name));
		EXPECT_EQ(Brush->GetImageType(), ESlateBrushImageType::Vector);
		EXPECT_EQ(Brush->ImageSize, FVector2f(16.0f, 16.0f));
		EXPECT_TRUE(std::ifstream(TCHAR_TO_UTF8(*Brush->GetResourceName().ToString())).good()) << "missing artwork for " << TCHAR_TO_UTF8(Name);
	}
	EXPECT_FALSE(FAppStyle::Get().GetBrush(TEXT("Icons.SuccessWithColor"))->TintColor == FAppStyle::Get().GetBrush(TEXT("Icons.ErrorWithColor"))->TintColor);
	// The image widget sizes itself by its brush.
	const TSharedRef<SImage> Image = SNew(SImage).Image(FAppStyle::GetBrush(TEXT("Icons.Refresh")));
	Image->SlatePrepass();
	EXPECT_EQ(Image->GetDesiredSize(), FVector2D(16, 16));

	// After shut-down the editor style is gone and the application falls back to the core style.
	UE::Host::ShutdownSlateApplication();
	EXPECT_EQ(FSlateStyleRegistry::FindSlateStyle(TEXT("EditorStyle")), nullptr);
	EXPECT_EQ(FSlateIcon(TEXT("EditorStyle"), TEXT("Icons.Refresh")).GetIcon()->GetDrawType(), ESlateBrushDrawType::NoDrawType);
	EXPECT_EQ(&FAppStyle::Get(), &FCoreStyle::Get());
	UE::Host::InitSlateApplication();
}

TEST_F(FStyleTest, DefaultFontIsRobotoInPointsAtNinetySixDpi)
{
	const FSlateFontInfo Bold = FCoreStyle::GetDefaultFontStyle(TEXT("Bold"), 9);
	EXPECT_EQ(Bold.TypefaceFontName, FName(TEXT("Bold")));
	EXPECT_FLOAT_EQ(Bold.Size, 9.0f);
	EXPECT_EQ(Bold, FCoreStyle::GetDefaultFontStyle(TEXT("Bold"), 9.0f));
	EXPECT_NE(Bold, FCoreStyle::GetDefaultFontStyle(TEXT("Regular"), 9.0f));

	ASSERT_TRUE(UE::Host::GetFontLoadError().IsEmpty()) << ToStd(UE::Host::GetFontLoadError());
	const FString Sample(TEXT("Fix references"));
	const UE::Host::FTextLayoutResult Ten = UE::Host::LayoutText(Sample, FCoreStyle::GetDefaultFontStyle(TEXT("Regular"), 10), 0.0);
	const UE::Host::FTextLayoutResult Twenty = UE::Host::LayoutText(Sample, FCoreStyle::GetDefaultFontStyle(TEXT("Regular"), 20), 0.0);
	const UE::Host::FTextLayoutResult TenBold = UE::Host::LayoutText(Sample, FCoreStyle::GetDefaultFontStyle(TEXT("Bold"), 10), 0.0);
	// Size 10 is 10 * 96 / 72 = 13.33 units per em; Roboto's line is 1.171875 em.
	EXPECT_NEAR(Ten.Size.Y, 13.3333 * 1.171875, 0.05);
	EXPECT_NEAR(Twenty.Size.X, 2.0 * Ten.Size.X, 0.05);
	EXPECT_GT(TenBold.Size.X, Ten.Size.X);
	EXPECT_EQ(UE::Host::GetLoadedFontFiles().Num(), 2);
}
