// Copyright Vantle contributors. All Rights Reserved.
#include "SlateTestSupport.h"

#include "Brushes/SlateColorBrush.h"
#include "Styling/CoreStyle.h"
#include "Styling/SlateTypes.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/Layout/SBorder.h"
#include "Widgets/Layout/SBox.h"
#include "Widgets/Layout/SScrollBox.h"
#include "Widgets/SBoxPanel.h"
#include "Widgets/Text/STextBlock.h"

namespace
{
	using FLayoutTest = FSlateTest;

	TSharedRef<SBox> Block(float Width, float Height)
	{
		return SNew(SBox).WidthOverride(Width).HeightOverride(Height);
	}

	TSharedRef<STextBlock> Text(const TCHAR* String, int32 Size, bool bAutoWrap)
	{
		return SNew(STextBlock)
			.Text(FText::FromString(String))
			.Font(FCoreStyle::GetDefaultFontStyle(TEXT("Regular"), static_cast<float>(Size)))
			.AutoWrapText(bAutoWrap);
	}

	void ExpectRect(const UE::Host::FArrangedWidgetRecord* Record, double X, double Y, double Width, double Height)
	{
		ASSERT_NE(Record, nullptr);
		EXPECT_NEAR(Record->Position.X, X, 0.001);
		EXPECT_NEAR(Record->Position.Y, Y, 0.001);
		EXPECT_NEAR(Record->Size.X, Width, 0.001);
		EXPECT_NEAR(Record->Size.Y, Height, 0.001);
	}

	const TCHAR* const Sentence = TEXT("Green confirms this editor's listener log and a successful MCP ping. Rechecked every five seconds while open.");
}

TEST_F(FLayoutTest, AutoSlotsTakeTheirSizeAndFillSlotsShareTheRest)
{
	const TSharedRef<SBox> Fixed = Block(40, 20);
	const TSharedRef<SBox> OneShare = Block(10, 10);
	const TSharedRef<SBox> ThreeShares = SNew(SBox);
	const TSharedRef<SBox> Centred = Block(30, 10);
	// clang-format off
	const TSharedRef<SHorizontalBox> Row = SNew(SHorizontalBox)
		+ SHorizontalBox::Slot().AutoWidth().Padding(5, 3, 7, 11)[Fixed]
		+ SHorizontalBox::Slot().FillWidth(1.0f)[OneShare]
		+ SHorizontalBox::Slot().FillWidth(3.0f)[ThreeShares]
		+ SHorizontalBox::Slot().AutoWidth().VAlign(VAlign_Center)[Centred];
	// clang-format on

	const TArray<UE::Host::FArrangedWidgetRecord> Records = UE::Host::ArrangeWidgetTree(Row, FVector2D(400, 100));
	// Fixed room: 40 + 30 and the paddings 12; fill slots share 318 as 1 : 3.
	ExpectRect(FindRecord(Records, Fixed), 5, 3, 40, 86);
	ExpectRect(FindRecord(Records, OneShare), 52, 0, 79.5, 100);
	ExpectRect(FindRecord(Records, ThreeShares), 131.5, 0, 238.5, 100);
	ExpectRect(FindRecord(Records, Centred), 370, 45, 30, 10);
	EXPECT_EQ(Row->GetDesiredSize(), FVector2D(92, 34));
}

TEST_F(FLayoutTest, BoxSizesAndBorderPadding)
{
	// Minimums raise the content's size, overrides replace it; the border's default padding is 2.
	const TSharedRef<SBox> Content = Block(10, 10);
	const TSharedRef<SBorder> Border = SNew(SBorder)[Content];
	const TSharedRef<SBox> Frame = SNew(SBox).MinDesiredWidth(380).MinDesiredHeight(420)[Border];
	Frame->SlatePrepass();
	EXPECT_EQ(Border->GetDesiredSize(), FVector2D(14, 14));
	EXPECT_EQ(Frame->GetDesiredSize(), FVector2D(380, 420));

	const TSharedRef<SBorder> Line = SNew(SBorder).BorderImage(FCoreStyle::Get().GetBrush(TEXT("Border")));
	const TSharedRef<SBox> Divider = SNew(SBox).HeightOverride(1)[Line];
	// clang-format off
	const TSharedRef<SVerticalBox> Column = SNew(SVerticalBox)
		+ SVerticalBox::Slot().AutoHeight()[Frame]
		+ SVerticalBox::Slot().AutoHeight().Padding(0, 14, 0, 14)[Divider];
	// clang-format on
	const TArray<UE::Host::FArrangedWidgetRecord> Records = UE::Host::ArrangeWidgetTree(Column, FVector2D(500, 900));
	ExpectRect(FindRecord(Records, Frame), 0, 0, 500, 420);
	ExpectRect(FindRecord(Records, Content), 2, 2, 496, 416);
	ExpectRect(FindRecord(Records, Divider), 0, 434, 500, 1);
	ExpectRect(FindRecord(Records, Line), 0, 434, 500, 1);
	EXPECT_EQ(Column->GetDesiredSize(), FVector2D(380, 449));
}

TEST_F(FLayoutTest, ButtonAddsContentPaddingAndStylePadding)
{
	FButtonStyle Style;
	const TSharedRef<SBox> Label = Block(50, 20);
	const TSharedRef<SButton> Button = SNew(SButton).ButtonStyle(&Style).ContentPadding(FMargin(12, 7, 12, 7))[Label];
	const TArray<UE::Host::FArrangedWidgetRecord> Records = UE::Host::ArrangeWidgetTree(Button, FVector2D(74, 34));
	EXPECT_EQ(Button->GetDesiredSize(), FVector2D(74, 34));
	ExpectRect(FindRecord(Records, Label), 12, 7, 50, 20);

	Style.SetNormalPadding(FMargin(1, 2, 3, 4));
	Button->SlatePrepass();
	EXPECT_EQ(Button->GetDesiredSize(), FVector2D(78, 40));
	EXPECT_EQ(Button->GetBorderImage(), &Style.Normal);
	Button->SetEnabled(false);
	EXPECT_EQ(Button->GetBorderImage(), &Style.Disabled);
}

TEST_F(FLayoutTest, WrappingTextGetsTallerWhenNarrowerAndOtherTextDoesNotWrap)
{
	const TSharedRef<STextBlock> Wrapping = Text(Sentence, 9, true);
	const TSharedRef<STextBlock> Single = Text(Sentence, 9, false);
	// clang-format off
	const TSharedRef<SVerticalBox> Column = SNew(SVerticalBox)
		+ SVerticalBox::Slot().AutoHeight()[Wrapping]
		+ SVerticalBox::Slot().AutoHeight()[Single];
	// clang-format on

	const TArray<UE::Host::FArrangedWidgetRecord> Wide = UE::Host::ArrangeWidgetTree(Column, FVector2D(1000, 400));
	const double LineHeight = FindRecord(Wide, Wrapping)->Size.Y;
	EXPECT_NEAR(FindRecord(Wide, Single)->Size.Y, LineHeight, 0.001);

	const TArray<UE::Host::FArrangedWidgetRecord> Narrow = UE::Host::ArrangeWidgetTree(Column, FVector2D(150, 400));
	const UE::Host::FArrangedWidgetRecord* Wrapped = FindRecord(Narrow, Wrapping);
	ASSERT_NE(Wrapped, nullptr);
	EXPECT_EQ(Wrapped->Size.X, 150);
	EXPECT_GE(Wrapped->Size.Y, 4 * LineHeight - 0.001);
	EXPECT_LE(Wrapping->GetDesiredSize().X, 150);
	// The one below moved down by what the wrapped text grew; it stays one line and wider than its slot.
	ExpectRect(FindRecord(Narrow, Single), 0, Wrapped->Size.Y, 150, LineHeight);
	EXPECT_GT(Single->GetDesiredSize().X, 150);
}

TEST_F(FLayoutTest, ScrollBoxContentIsUnlimitedAndClipped)
{
	const TSharedRef<SBox> First = Block(50, 300);
	const TSharedRef<SBox> Second = Block(50, 300);
	const TSharedRef<SScrollBox> Scroll = SNew(SScrollBox) + SScrollBox::Slot()[First] + SScrollBox::Slot().Padding(0, 4, 0, 0)[Second];

	const TSharedRef<SVerticalBox> Frame = SNew(SVerticalBox) + SVerticalBox::Slot().Padding(10)[Scroll];

	const TArray<UE::Host::FArrangedWidgetRecord> Records = UE::Host::ArrangeWidgetTree(Frame, FVector2D(220, 420));
	EXPECT_EQ(Scroll->GetDesiredSize(), FVector2D(50, 604));
	// Taller than the box: the bar takes 12 units on the right, and what is below the box is clipped.
	ExpectRect(FindRecord(Records, Scroll), 10, 10, 200, 400);
	ExpectRect(FindRecord(Records, First), 10, 10, 188, 300);
	ExpectRect(FindRecord(Records, Second), 10, 314, 188, 300);
	EXPECT_EQ(FindRecord(Records, Second)->ClipRect, FSlateRect(10, 10, 210, 410));
	EXPECT_EQ(FindRecord(Records, Scroll)->ClipRect, FSlateRect(0, 0, 220, 420));

	const TSharedRef<SBox> Short = Block(50, 100);
	const TSharedRef<SScrollBox> Fits = SNew(SScrollBox) + SScrollBox::Slot()[Short];
	ExpectRect(FindRecord(UE::Host::ArrangeWidgetTree(Fits, FVector2D(200, 400)), Short), 0, 0, 200, 100);
}

TEST_F(FLayoutTest, TextSizeFollowsLinesFixedWrappingAndMinimumWidth)
{
	const FSlateFontInfo Font = FCoreStyle::GetDefaultFontStyle(TEXT("Regular"), 10);
	const TSharedRef<STextBlock> Empty = SNew(STextBlock).Font(Font);
	const TSharedRef<STextBlock> TwoLines = SNew(STextBlock).Font(Font).Text(FText::FromString(TEXT("first\nsecond")));
	Empty->SlatePrepass();
	TwoLines->SlatePrepass();
	const double LineHeight = Empty->GetDesiredSize().Y;
	// An empty text still has the height of one line.
	EXPECT_NEAR(LineHeight, 15.625, 0.01);
	EXPECT_EQ(Empty->GetDesiredSize().X, 0.0);
	EXPECT_NEAR(TwoLines->GetDesiredSize().Y, 2 * LineHeight, 0.01);

	// A word longer than the wrapping width stays whole and overflows, as Slate's default wrapping does.
	const UE::Host::FTextLayoutResult Long = UE::Host::LayoutText(TEXT("Supercalifragilistic word"), Font, 50.0);
	ASSERT_EQ(Long.Lines.Num(), 2);
	EXPECT_EQ(ToStd(Long.Lines[0].Text), "Supercalifragilistic ");
	EXPECT_GT(Long.Size.X, 50.0);

	// Paragraphs stack line under line, as in one pango layout: an empty one and a final line feed
	// each take a line, and a wrapped paragraph's lines follow on.
	const UE::Host::FTextLayoutResult Paragraphs = UE::Host::LayoutText(TEXT("a\n\nSupercalifragilistic word\n"), Font, 50.0);
	const char* const Lines[] = {"a", "", "Supercalifragilistic ", "word", ""};
	ASSERT_EQ(Paragraphs.Lines.Num(), 5);
	for (int32 Index = 0; Index < 5; ++Index)
	{
		EXPECT_EQ(ToStd(Paragraphs.Lines[Index].Text), Lines[Index]) << Index;
		EXPECT_NEAR(Paragraphs.Lines[Index].Top, Index * LineHeight, 0.01) << Index;
		EXPECT_NEAR(Paragraphs.Lines[Index].Baseline - Paragraphs.Lines[Index].Top, Paragraphs.Lines[0].Baseline, 0.01) << Index;
	}
	EXPECT_NEAR(Paragraphs.Size.Y, 5 * LineHeight, 0.01);
	EXPECT_NEAR(Paragraphs.Size.X, Long.Size.X, 0.01);
}

TEST_F(FLayoutTest, TextIsMeasuredAgainWhenItsTextChanges)
{
	FString Shown = TEXT("one");
	const TSharedRef<STextBlock> Text = SNew(STextBlock).Text_Lambda([&Shown]() { return FText::FromString(Shown); }).Font(FCoreStyle::GetDefaultFontStyle(TEXT("Regular"), 10));
	Text->SlatePrepass();
	const FVector2D One = Text->GetDesiredSize();
	Shown = TEXT("one\ntwo");
	Text->SlatePrepass();
	EXPECT_NEAR(Text->GetDesiredSize().Y, 2 * One.Y, 0.01);
	Shown = TEXT("one one");
	Text->SlatePrepass();
	EXPECT_NEAR(Text->GetDesiredSize().Y, One.Y, 0.01);
	EXPECT_GT(Text->GetDesiredSize().X, One.X * 1.5);
}

TEST_F(FLayoutTest, WrappingTextInAScrollBoxSettlesBesideTheScrollBar)
{
	// The panel's shape: a scroll box in a bordered box, a column of wrapping texts that only just
	// overflows once the texts wrap, so that the bar appears and narrows the texts further.
	TArray<TSharedRef<STextBlock>> Texts;
	for (int32 Index = 0; Index < 6; ++Index)
	{
		Texts.Add(Text(Sentence, 9, true));
	}
	// clang-format off
	const TSharedRef<SVerticalBox> Column = SNew(SVerticalBox)
		+ SVerticalBox::Slot().AutoHeight()[Texts[0]]
		+ SVerticalBox::Slot().AutoHeight()[Texts[1]]
		+ SVerticalBox::Slot().AutoHeight()[Texts[2]]
		+ SVerticalBox::Slot().AutoHeight()[Texts[3]]
		+ SVerticalBox::Slot().AutoHeight()[Texts[4]]
		+ SVerticalBox::Slot().AutoHeight()[Texts[5]];
	const TSharedRef<SBorder> Frame = SNew(SBorder).Padding(16)
	[
		SNew(SScrollBox) + SScrollBox::Slot()[Column]
	];
	// clang-format on

	const TArray<UE::Host::FArrangedWidgetRecord> Records = UE::Host::ArrangeWidgetTree(Frame, FVector2D(300, 200));
	for (const TSharedRef<STextBlock>& Block : Texts)
	{
		const UE::Host::FArrangedWidgetRecord* Record = FindRecord(Records, Block);
		ASSERT_NE(Record, nullptr);
		EXPECT_EQ(Record->Size.X, 300 - 32 - 12);
		EXPECT_LE(Block->GetDesiredSize().X, Record->Size.X);
		// Laid out again at the same size, nothing moves: the layout has settled.
		EXPECT_EQ(FindRecord(UE::Host::ArrangeWidgetTree(Frame, FVector2D(300, 200)), Block)->Size, Record->Size);
	}
	EXPECT_GT(Column->GetDesiredSize().Y, 200 - 32);
}
