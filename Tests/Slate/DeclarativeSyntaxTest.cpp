// Copyright Vantle contributors. All Rights Reserved.
#include "SlateTestSupport.h"

#include "Framework/SlateDelegates.h"
#include "Input/Reply.h"
#include "Styling/SlateColor.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/Images/SImage.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/Layout/SBorder.h"
#include "Widgets/Layout/SBox.h"
#include "Widgets/SBoxPanel.h"
#include "Widgets/Text/STextBlock.h"

namespace
{
	// Shaped like a module object: not shared, getters bound by raw pointer.
	class FPanelOwner
	{
	public:
		FText GetTitle() const { return FText::FromString(Title); }
		FSlateColor GetColor() const { return FSlateColor(Color); }
		bool CanRun() const { return bCanRun; }
		FReply Run() { return FReply::Handled(); }

		TSharedRef<SWidget> Build()
		{
			// clang-format off
			return SNew(SVerticalBox)
				+ SVerticalBox::Slot().AutoHeight().Padding(0, 14, 0, 14)
				[
					SNew(SBox).HeightOverride(1)
					[
						SNew(SBorder).BorderImage(FCoreStyle::Get().GetBrush(TEXT("Border")))
					]
				]
				+ SVerticalBox::Slot().AutoHeight()
				[
					SNew(STextBlock)
					.Text_Raw(this, &FPanelOwner::GetTitle)
					.ColorAndOpacity_Raw(this, &FPanelOwner::GetColor)
					.AutoWrapText(true)
					.ToolTipText(FText::FromString(TEXT("Rechecked \"often\"\nand again")))
				]
				+ SVerticalBox::Slot().AutoHeight()
				[
					SNew(SHorizontalBox)
					+ SHorizontalBox::Slot().AutoWidth().Padding(0, 0, 8, 0)
					[
						SNew(SButton)
						.IsEnabled_Raw(this, &FPanelOwner::CanRun)
						.OnClicked_Raw(this, &FPanelOwner::Run)
						.ContentPadding(FMargin(12, 7, 12, 7))
						[
							SNew(STextBlock).Text(FText::FromString(TEXT("Run")))
						]
					]
					+ SHorizontalBox::Slot().AutoWidth()
					[
						SNew(SButton)
						.OnClicked_Lambda([this]() { ++LambdaClicks; return FReply::Handled(); })
						[
							SNew(STextBlock).Text_Lambda([this]() { return FText::FromString(FString::Printf(TEXT("Clicked %d"), LambdaClicks)); })
						]
					]
				];
			// clang-format on
		}

		FString Title = TEXT("First");
		FLinearColor Color = FLinearColor(FColor::FromHex(TEXT("3CFF91")));
		bool bCanRun = false;
		int32 LambdaClicks = 0;
	};

	using FDeclarativeSyntaxTest = FSlateTest;
}

TEST_F(FDeclarativeSyntaxTest, BuildsTheTreeTheArgumentsDescribe)
{
	FPanelOwner Owner;
	const TSharedRef<SWidget> Root = Owner.Build();
	EXPECT_EQ(Root->GetTypeAsString(), FString(TEXT("SVerticalBox")));

	const TArray<FString> Lines = UE::Host::DumpWidgets(Root);
	const TArray<FString> Expected = {
		TEXT("SVerticalBox"),
		TEXT("  SBox"),
		TEXT("    SBorder"),
		TEXT("  STextBlock text=\"First\" color=#3CFF91FF tooltip=\"Rechecked \\\"often\\\"\\nand again\""),
		TEXT("  SHorizontalBox"),
		TEXT("    SButton enabled=false"),
		TEXT("      STextBlock text=\"Run\" color=#C0C0C0FF enabled=false"),
		TEXT("    SButton enabled=true"),
		TEXT("      STextBlock text=\"Clicked 0\" color=#C0C0C0FF"),
	};
	ASSERT_EQ(Lines.Num(), Expected.Num());
	for (int32 Index = 0; Index < Expected.Num(); ++Index)
	{
		EXPECT_EQ(ToStd(Lines[Index]), ToStd(Expected[Index]));
	}
}

TEST_F(FDeclarativeSyntaxTest, ReplacingSlotContentMovesTheParentLink)
{
	const TSharedRef<STextBlock> First = SNew(STextBlock);
	const TSharedRef<STextBlock> Second = SNew(STextBlock);
	const TSharedRef<SBorder> Border = SNew(SBorder)[First];
	EXPECT_EQ(First->GetParentWidget(), TSharedPtr<SWidget>(Border));
	Border->SetContent(Second);
	EXPECT_FALSE(First->IsParentValid());
	EXPECT_EQ(Second->GetParentWidget(), TSharedPtr<SWidget>(Border));
}
