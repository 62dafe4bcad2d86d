// Copyright Vantle contributors. All Rights Reserved.
#include "SlateTestSupport.h"

#include "Framework/SlateDelegates.h"
#include "Styling/SlateTypes.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/Layout/SBorder.h"
#include "Widgets/SCompoundWidget.h"
#include "Widgets/Text/STextBlock.h"

namespace
{
	int32 StaticCounter = 0;

	FText CountText(int32 Offset)
	{
		return FText::FromString(FString::FromInt(StaticCounter + Offset));
	}

	// A widget of the kind a plugin writes: every argument macro, a named slot and a required argument.
	class SProbeWidget : public SCompoundWidget
	{
	public:
		SLATE_BEGIN_ARGS(SProbeWidget) : _Count(3), _Label(FText::FromString(TEXT("default"))), _Style(nullptr) {}
		SLATE_ARGUMENT(int32, Count)
		SLATE_ATTRIBUTE(FText, Label)
		SLATE_STYLE_ARGUMENT(FButtonStyle, Style)
		SLATE_EVENT(FOnClicked, OnActivated)
		SLATE_NAMED_SLOT(FArguments, Header)
		SLATE_DEFAULT_SLOT(FArguments, Content)
		SLATE_END_ARGS()

		void Construct(const FArguments& InArgs, const FString& InRequired)
		{
			Count = InArgs._Count;
			Label = InArgs._Label;
			Style = InArgs._Style;
			OnActivated = InArgs._OnActivated;
			Header = InArgs._Header.Widget;
			Required = InRequired;
			ChildSlot[InArgs._Content.Widget];
		}

		int32 Count = 0;
		TAttribute<FText> Label;
		const FButtonStyle* Style = nullptr;
		FOnClicked OnActivated;
		TSharedPtr<SWidget> Header;
		FString Required;
	};

	// Bound by shared pointer: the binding follows the object's life.
	class FSharedHandler : public TSharedFromThis<FSharedHandler>
	{
	public:
		FReply Handle()
		{
			++Calls;
			return FReply::Unhandled();
		}
		FText Describe() const { return FText::FromString(TEXT("shared")); }

		int32 Calls = 0;
	};

	class FWidgetMacrosTest : public FSlateTest
	{
	};
}

TEST_F(FWidgetMacrosTest, EveryArgumentKindReachesConstruct)
{
	const FButtonStyle Style;
	const TSharedRef<STextBlock> Header = SNew(STextBlock);
	const TSharedRef<STextBlock> Body = SNew(STextBlock);
	int32 Activations = 0;
	// clang-format off
	const TSharedRef<SProbeWidget> Widget = SNew(SProbeWidget, FString(TEXT("required")))
		.Count(7)
		.Label_Static(&CountText, 100)
		.Style(&Style)
		.OnActivated_Lambda([&Activations]() { ++Activations; return FReply::Handled(); })
		.Header()
		[
			Header
		]
		[
			Body
		];
	// clang-format on

	EXPECT_EQ(Widget->Count, 7);
	EXPECT_EQ(Widget->Style, &Style);
	EXPECT_EQ(Widget->Header, TSharedPtr<SWidget>(Header));
	EXPECT_EQ(ToStd(Widget->Required), "required");
	EXPECT_EQ(Widget->GetChildren()->GetChildAt(0), TSharedRef<SWidget>(Body));
	EXPECT_EQ(Body->GetParentWidget(), TSharedPtr<SWidget>(Widget));
	EXPECT_EQ(Widget->GetTypeAsString(), FString(TEXT("SProbeWidget")));

	StaticCounter = 5;
	EXPECT_EQ(ToStd(Widget->Label.Get().ToString()), "105");
	EXPECT_TRUE(Widget->OnActivated.Execute().IsEventHandled());
	EXPECT_EQ(Activations, 1);
}

TEST_F(FWidgetMacrosTest, DefaultsApplyWhenArgumentsAreLeftOut)
{
	const TSharedRef<SProbeWidget> Widget = SNew(SProbeWidget, FString());
	EXPECT_EQ(Widget->Count, 3);
	EXPECT_EQ(ToStd(Widget->Label.Get().ToString()), "default");
	EXPECT_EQ(Widget->Style, nullptr);
	EXPECT_FALSE(Widget->OnActivated.IsBound());
	EXPECT_EQ(&Widget->GetChildren()->GetChildAt(0).Get(), &SNullWidget::NullWidget.Get());
	EXPECT_EQ(Widget->Header.Get(), &SNullWidget::NullWidget.Get());
	// The placeholder belongs to every empty slot and never gets a parent.
	EXPECT_FALSE(SNullWidget::NullWidget->IsParentValid());
}

TEST_F(FWidgetMacrosTest, SharedBindingsStopWhenTheObjectGoes)
{
	TSharedPtr<FSharedHandler> Handler = MakeShared<FSharedHandler>();
	const TSharedRef<SProbeWidget> Widget =
		SNew(SProbeWidget, FString()).OnActivated(Handler.ToSharedRef(), &FSharedHandler::Handle).Label(Handler.Get(), &FSharedHandler::Describe);
	EXPECT_FALSE(Widget->OnActivated.Execute().IsEventHandled());
	EXPECT_EQ(Handler->Calls, 1);
	EXPECT_EQ(ToStd(Widget->Label.Get().ToString()), "shared");

	Handler.Reset();
	EXPECT_FALSE(Widget->OnActivated.IsBound());
}

TEST_F(FWidgetMacrosTest, ReplacingSlotContentMovesTheParentLink)
{
	const TSharedRef<STextBlock> First = SNew(STextBlock);
	const TSharedRef<STextBlock> Second = SNew(STextBlock);
	const TSharedRef<SBorder> Border = SNew(SBorder)[First];
	EXPECT_EQ(First->GetParentWidget(), TSharedPtr<SWidget>(Border));
	Border->SetContent(Second);
	EXPECT_FALSE(First->IsParentValid());
	EXPECT_EQ(Second->GetParentWidget(), TSharedPtr<SWidget>(Border));
}
