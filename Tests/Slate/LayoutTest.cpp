// Copyright Vantle contributors. All Rights Reserved.
#include "SlateTestSupport.h"

#include "Brushes/SlateColorBrush.h"
#include "Framework/Docking/TabManager.h"
#include "Styling/CoreStyle.h"
#include "Styling/SlateTypes.h"
#include "Widgets/Docking/SDockTab.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/Layout/SBorder.h"
#include "Widgets/Layout/SBox.h"
#include "Widgets/Layout/SScrollBox.h"
#include "Widgets/SBoxPanel.h"
#include "Widgets/SWindow.h"
#include "Widgets/Text/STextBlock.h"

namespace
{
	class FLayoutTest : public FSlateTest
	{
	};

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

	// Back to wide: the text unwraps again.
	const TArray<UE::Host::FArrangedWidgetRecord> WideAgain = UE::Host::ArrangeWidgetTree(Column, FVector2D(1000, 400));
	EXPECT_NEAR(FindRecord(WideAgain, Wrapping)->Size.Y, LineHeight, 0.001);
}

TEST_F(FLayoutTest, CounterRowPutsEachValueLeftOfItsLabelWithGapsBetweenGroups)
{
	auto MakeMetric = [](const TCHAR* Label, const TCHAR* Value) -> TSharedRef<SWidget>
	{
		// clang-format off
		return SNew(SHorizontalBox)
			+ SHorizontalBox::Slot().AutoWidth().VAlign(VAlign_Center).Padding(0, 0, 6, 0)[Text(Value, 14, false)]
			+ SHorizontalBox::Slot().AutoWidth().VAlign(VAlign_Center)[Text(Label, 9, true)];
		// clang-format on
	};
	const TSharedRef<SWidget> Checked = MakeMetric(TEXT("checked"), TEXT("12"));
	const TSharedRef<SWidget> Missing = MakeMetric(TEXT("missing"), TEXT("3"));
	const TSharedRef<SWidget> Uncertain = MakeMetric(TEXT("uncertain"), TEXT("0"));
	// clang-format off
	const TSharedRef<SHorizontalBox> Row = SNew(SHorizontalBox)
		+ SHorizontalBox::Slot().AutoWidth().Padding(0, 0, 22, 0)[Checked]
		+ SHorizontalBox::Slot().AutoWidth().Padding(0, 0, 22, 0)[Missing]
		+ SHorizontalBox::Slot().AutoWidth()[Uncertain];
	// clang-format on

	const TArray<UE::Host::FArrangedWidgetRecord> Records = UE::Host::ArrangeWidgetTree(Row, FVector2D(520, 60));
	const UE::Host::FArrangedWidgetRecord* CheckedGroup = FindRecord(Records, Checked);
	const UE::Host::FArrangedWidgetRecord* MissingGroup = FindRecord(Records, Missing);
	const UE::Host::FArrangedWidgetRecord* UncertainGroup = FindRecord(Records, Uncertain);
	ASSERT_TRUE(CheckedGroup && MissingGroup && UncertainGroup);
	EXPECT_NEAR(MissingGroup->Position.X, CheckedGroup->Position.X + CheckedGroup->Size.X + 22, 0.001);
	EXPECT_NEAR(UncertainGroup->Position.X, MissingGroup->Position.X + MissingGroup->Size.X + 22, 0.001);

	const UE::Host::FArrangedWidgetRecord* Value = FindTextRecord(Records, TEXT("12"));
	const UE::Host::FArrangedWidgetRecord* Label = FindTextRecord(Records, TEXT("checked"));
	ASSERT_TRUE(Value && Label);
	EXPECT_NEAR(Label->Position.X, Value->Position.X + Value->Size.X + 6, 0.001);
	// Centred vertically: the smaller label sits lower than the value's top.
	EXPECT_GT(Label->Position.Y, Value->Position.Y);
	EXPECT_LT(Label->Size.Y, Value->Size.Y);
	EXPECT_NEAR(Label->Size.X, UE::Host::LayoutText(TEXT("checked"), FCoreStyle::GetDefaultFontStyle(TEXT("Regular"), 9), 0).Size.X, 0.001);
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

	Scroll->SetScrollOffset(100);
	ExpectRect(FindRecord(UE::Host::ArrangeWidgetTree(Frame, FVector2D(220, 420)), First), 10, -90, 188, 300);

	const TSharedRef<SBox> Short = Block(50, 100);
	const TSharedRef<SScrollBox> Fits = SNew(SScrollBox) + SScrollBox::Slot()[Short];
	ExpectRect(FindRecord(UE::Host::ArrangeWidgetTree(Fits, FVector2D(200, 400)), Short), 0, 0, 200, 100);
}

TEST_F(FLayoutTest, TabContentFillsTheWindowBelowTheTabHeader)
{
	const FName TabId(TEXT("Test.Layout"));
	TSharedPtr<SBox> Content;
	auto SpawnTab = [&Content](const FSpawnTabArgs&) -> TSharedRef<SDockTab>
	{
		// clang-format off
		return SNew(SDockTab).TabRole(ETabRole::NomadTab).Label(FText::FromString(TEXT("Layout")))
		[
			SAssignNew(Content, SBox).MinDesiredWidth(380).MinDesiredHeight(420)
		];
		// clang-format on
	};
	FGlobalTabmanager::Get()->RegisterNomadTabSpawner(TabId, FOnSpawnTab::CreateLambda(SpawnTab));
	FTabManager::RegisterDefaultTabWindowSize(FTabId(TabId), FVector2D(560, 480));
	const TSharedPtr<SDockTab> Tab = FGlobalTabmanager::Get()->TryInvokeTab(FTabId(TabId));
	ASSERT_TRUE(Tab.IsValid());

	const TArray<UE::Host::FArrangedWidgetRecord> Records = UE::Host::ArrangeTab(TabId);
	ASSERT_FALSE(Records.IsEmpty());
	EXPECT_EQ(Records[0].Type, FString(TEXT("SWindow")));
	ExpectRect(&Records[0], 0, 0, 560, 480);
	const UE::Host::FArrangedWidgetRecord* Header = FindRecord(Records, Tab.ToSharedRef());
	ASSERT_NE(Header, nullptr);
	EXPECT_GT(Header->Size.Y, 16.0);
	ExpectRect(FindRecord(Records, Content.ToSharedRef()), 0, Header->Size.Y, 560, 480 - Header->Size.Y);
	EXPECT_NE(FindTextRecord(Records, TEXT("Layout")), nullptr);

	EXPECT_TRUE(Tab->RequestCloseTab());
	FGlobalTabmanager::Get()->UnregisterNomadTabSpawner(TabId);
	FTabManager::UnregisterDefaultTabWindowSize(FTabId(TabId));
}

TEST_F(FLayoutTest, CollapsedChildrenTakeNoRoomAndHiddenOnesAreNotArranged)
{
	const TSharedRef<SBox> Collapsed = Block(40, 40);
	const TSharedRef<SBox> Hidden = Block(40, 40);
	const TSharedRef<SBox> Last = Block(40, 40);
	Collapsed->SetVisibility(EVisibility::Collapsed);
	Hidden->SetVisibility(EVisibility::Hidden);
	// clang-format off
	const TSharedRef<SVerticalBox> Column = SNew(SVerticalBox)
		+ SVerticalBox::Slot().AutoHeight().Padding(0, 10, 0, 0)[Collapsed]
		+ SVerticalBox::Slot().AutoHeight()[Hidden]
		+ SVerticalBox::Slot().AutoHeight()[Last];
	// clang-format on
	const TArray<UE::Host::FArrangedWidgetRecord> Records = UE::Host::ArrangeWidgetTree(Column, FVector2D(100, 200));
	// A collapsed slot loses its padding too; a hidden one keeps its room but is not drawn.
	ExpectRect(FindRecord(Records, Last), 0, 40, 100, 40);
	EXPECT_EQ(Records.Num(), 2);
	EXPECT_EQ(Column->GetDesiredSize(), FVector2D(40, 80));

	// A box around a collapsed child collapses, whatever its overrides say (as the engine's does).
	const TSharedRef<SBox> Around = SNew(SBox).WidthOverride(30).HeightOverride(30)[Collapsed];
	Around->SlatePrepass();
	EXPECT_EQ(Around->GetDesiredSize(), FVector2D(0, 0));
}

TEST_F(FLayoutTest, AlignmentsAndMaximumsWithinASlot)
{
	const TSharedRef<SBox> Right = Block(20, 10);
	const TSharedRef<SBox> Centred = Block(20, 10);
	const TSharedRef<SBox> Limited = Block(80, 10);
	// clang-format off
	const TSharedRef<SVerticalBox> Column = SNew(SVerticalBox)
		+ SVerticalBox::Slot().AutoHeight().HAlign(HAlign_Right).Padding(0, 0, 5, 0)[Right]
		+ SVerticalBox::Slot().AutoHeight().HAlign(HAlign_Center).Padding(10, 0, 4, 0)[Centred]
		+ SVerticalBox::Slot().MaxHeight(6)[Limited];
	// clang-format on
	const TArray<UE::Host::FArrangedWidgetRecord> Records = UE::Host::ArrangeWidgetTree(Column, FVector2D(100, 100));
	ExpectRect(FindRecord(Records, Right), 75, 0, 20, 10);
	// The engine centres within the whole slot and then shifts by the margins' difference: (100 - 20) / 2 + 10 - 4.
	ExpectRect(FindRecord(Records, Centred), 46, 10, 20, 10);
	// A fill slot with a maximum stops there.
	ExpectRect(FindRecord(Records, Limited), 0, 20, 100, 6);
}

TEST_F(FLayoutTest, TextSizeFollowsLinesFixedWrappingAndMinimumWidth)
{
	const FSlateFontInfo Font = FCoreStyle::GetDefaultFontStyle(TEXT("Regular"), 10);
	const TSharedRef<STextBlock> Empty = SNew(STextBlock).Font(Font);
	const TSharedRef<STextBlock> TwoLines = SNew(STextBlock).Font(Font).Text(FText::FromString(TEXT("first\nsecond")));
	const TSharedRef<STextBlock> Minimum = SNew(STextBlock).Font(Font).Text(FText::FromString(TEXT("ok"))).MinDesiredWidth(90.0f);
	for (const TSharedRef<STextBlock>& Text : {Empty, TwoLines, Minimum})
	{
		Text->SlatePrepass();
	}
	const double LineHeight = Empty->GetDesiredSize().Y;
	// An empty text still has the height of one line.
	EXPECT_NEAR(LineHeight, 15.625, 0.01);
	EXPECT_EQ(Empty->GetDesiredSize().X, 0.0);
	EXPECT_NEAR(TwoLines->GetDesiredSize().Y, 2 * LineHeight, 0.01);
	EXPECT_EQ(Minimum->GetDesiredSize().X, 90.0);

	// A word longer than the wrapping width stays whole and overflows, as Slate's default wrapping does.
	const UE::Host::FTextLayoutResult Long = UE::Host::LayoutText(TEXT("Supercalifragilistic word"), Font, 50.0);
	ASSERT_EQ(Long.Lines.Num(), 2);
	EXPECT_EQ(ToStd(Long.Lines[0].Text), "Supercalifragilistic ");
	EXPECT_GT(Long.Size.X, 50.0);
}

TEST_F(FLayoutTest, TextIsMeasuredAgainWhenItsTextFontOrWrappingChanges)
{
	FString Shown = TEXT("one");
	TAttribute<FSlateFontInfo> Font = FCoreStyle::GetDefaultFontStyle(TEXT("Regular"), 10);
	const TSharedRef<STextBlock> Text = SNew(STextBlock).Text_Lambda([&Shown]() { return FText::FromString(Shown); }).Font_Lambda([&Font]() { return Font.Get(); });
	Text->SlatePrepass();
	const FVector2D One = Text->GetDesiredSize();

	Shown = TEXT("one\ntwo");
	Text->SlatePrepass();
	EXPECT_NEAR(Text->GetDesiredSize().Y, 2 * One.Y, 0.01);
	// The same string in a new text is the same measurement.
	Text->SlatePrepass();
	EXPECT_NEAR(Text->GetDesiredSize().Y, 2 * One.Y, 0.01);

	Shown = TEXT("one");
	Font = FCoreStyle::GetDefaultFontStyle(TEXT("Regular"), 20);
	Text->SlatePrepass();
	EXPECT_GT(Text->GetDesiredSize().X, One.X * 1.5);

	Font = FCoreStyle::GetDefaultFontStyle(TEXT("Regular"), 10);
	Shown = Sentence;
	Text->SlatePrepass();
	const FVector2D Unwrapped = Text->GetDesiredSize();
	Text->SetWrapTextAt(120.0f);
	Text->SlatePrepass();
	EXPECT_LE(Text->GetDesiredSize().X, 120.0);
	EXPECT_GT(Text->GetDesiredSize().Y, Unwrapped.Y);
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
