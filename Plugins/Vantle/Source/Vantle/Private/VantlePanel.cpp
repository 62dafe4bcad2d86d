// Copyright 2026 Vantle contributors. All Rights Reserved.
#include "Framework/Docking/TabManager.h"
#include "Input/Reply.h"
#include "Layout/Margin.h"
#include "Styling/SlateColor.h"
#include "Styling/SlateStyle.h"
#include "Types/SlateEnums.h"
#include "VantleModule.h"
#include "VantleStyle.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/Docking/SDockTab.h"
#include "Widgets/Images/SImage.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/Layout/SBorder.h"
#include "Widgets/Layout/SBox.h"
#include "Widgets/Layout/SScrollBox.h"
#include "Widgets/SBoxPanel.h"
#include "Widgets/Text/STextBlock.h"

namespace
{
	TSharedRef<SWidget> MakeDivider()
	{
		return SNew(SBox)
			.HeightOverride(1.0f)
			[
				SNew(SBorder)
				.BorderImage(&Vantle::LineBrush)
			];
	}
}

TSharedRef<SDockTab> FVantleModule::SpawnPanelTab(const FSpawnTabArgs& Args)
{
	using namespace Vantle;

	RefreshReport();

	const FMargin ButtonPadding(12.0f, 7.0f, 12.0f, 7.0f);
	TSharedRef<SDockTab> Tab = SNew(SDockTab)
		.TabRole(ETabRole::NomadTab)
		[
			SNew(SBox)
			.MinDesiredWidth(380.0f)
			.MinDesiredHeight(420.0f)
			[
				SNew(SBorder)
				.BorderImage(&BackgroundBrush)
				.Padding(16.0f)
				[
					SNew(SScrollBox)
					+ SScrollBox::Slot()
					[
						SNew(SVerticalBox)

						+ SVerticalBox::Slot()
						.AutoHeight()
						[
							SNew(SHorizontalBox)
							+ SHorizontalBox::Slot()
							.AutoWidth()
							.VAlign(VAlign_Center)
							.Padding(0.0f, 0.0f, 8.0f, 0.0f)
							[
								SNew(SImage)
								.Image(StyleSet->GetBrush(TEXT("Vantle.Icon")))
							]
							+ SHorizontalBox::Slot()
							.FillWidth(1.0f)
							.VAlign(VAlign_Center)
							[
								MakeTextBlock(TEXT("Vantle"), 16, TextColor, true)
							]
							+ SHorizontalBox::Slot()
							.AutoWidth()
							.VAlign(VAlign_Center)
							[
								MakeTextBlock(TEXT("UNREAL  /  0.2"), 8, MutedTextColor, false)
							]
						]

						+ SVerticalBox::Slot()
						.AutoHeight()
						.Padding(0.0f, 14.0f, 0.0f, 14.0f)
						[
							MakeDivider()
						]

						+ SVerticalBox::Slot()
						.AutoHeight()
						.Padding(0.0f, 0.0f, 0.0f, 9.0f)
						[
							MakeTextBlock(TEXT("01  /  SEQUENCER"), 8, AccentColor, true)
						]

						+ SVerticalBox::Slot()
						.AutoHeight()
						[
							SNew(SBorder)
							.BorderImage(&CardBrush)
							.Padding(12.0f)
							[
								SNew(SVerticalBox)
								+ SVerticalBox::Slot()
								.AutoHeight()
								[
									SNew(STextBlock)
									.Font(MakeFont(11, true))
									.ColorAndOpacity(FSlateColor(TextColor))
									.Text_Raw(this, &FVantleModule::GetSequenceLabel)
									.AutoWrapText(true)
								]
								+ SVerticalBox::Slot()
								.AutoHeight()
								.Padding(0.0f, 4.0f, 0.0f, 0.0f)
								[
									SNew(STextBlock)
									.Font(MakeFont(9, false))
									.ColorAndOpacity(FSlateColor(MutedTextColor))
									.Text_Raw(this, &FVantleModule::GetContextLabel)
									.AutoWrapText(true)
								]
							]
						]

						+ SVerticalBox::Slot()
						.AutoHeight()
						.Padding(0.0f, 13.0f, 0.0f, 10.0f)
						[
							SNew(STextBlock)
							.Font(MakeFont(11, true))
							.ColorAndOpacity_Raw(this, &FVantleModule::GetStatusColor)
							.Text_Raw(this, &FVantleModule::GetStatusTitle)
							.AutoWrapText(true)
						]

						+ SVerticalBox::Slot()
						.AutoHeight()
						[
							SNew(SHorizontalBox)
							+ SHorizontalBox::Slot()
							.AutoWidth()
							.Padding(0.0f, 0.0f, 22.0f, 0.0f)
							[
								MakeMetric(TEXT("checked"), [this]() { return GetCheckedCountText(); })
							]
							+ SHorizontalBox::Slot()
							.AutoWidth()
							.Padding(0.0f, 0.0f, 22.0f, 0.0f)
							[
								MakeMetric(TEXT("missing"), [this]() { return GetMissingCountText(); })
							]
							+ SHorizontalBox::Slot()
							.AutoWidth()
							[
								MakeMetric(TEXT("uncertain"), [this]() { return GetUncertainCountText(); })
							]
						]

						+ SVerticalBox::Slot()
						.AutoHeight()
						.Padding(0.0f, 10.0f, 0.0f, 12.0f)
						[
							SNew(STextBlock)
							.Font(MakeFont(9, false))
							.ColorAndOpacity(FSlateColor(MutedTextColor))
							.Text_Raw(this, &FVantleModule::GetBindingDetailsText)
							.AutoWrapText(true)
						]

						+ SVerticalBox::Slot()
						.AutoHeight()
						[
							SNew(SHorizontalBox)
							+ SHorizontalBox::Slot()
							.AutoWidth()
							.Padding(0.0f, 0.0f, 8.0f, 0.0f)
							[
								SNew(SButton)
								.ButtonStyle(&PrimaryButtonStyle)
								.ContentPadding(ButtonPadding)
								.IsEnabled_Raw(this, &FVantleModule::CanFixReferences)
								.OnClicked_Raw(this, &FVantleModule::FixReferences)
								[
									MakeTextBlock(TEXT("Fix references"), 10, AccentColor, false)
								]
							]
							+ SHorizontalBox::Slot()
							.AutoWidth()
							[
								SNew(SButton)
								.ButtonStyle(&SecondaryButtonStyle)
								.ContentPadding(ButtonPadding)
								.OnClicked_Lambda([this]() { return CheckAgain(); })
								[
									MakeTextBlock(TEXT("Check again"), 10, TextColor, false)
								]
							]
						]

						+ SVerticalBox::Slot()
						.AutoHeight()
						.Padding(0.0f, 8.0f, 0.0f, 0.0f)
						[
							SNew(STextBlock)
							.Font(MakeFont(8, false))
							.ColorAndOpacity(FSlateColor(MutedTextColor))
							.Text_Lambda([this]() { return FText::FromString(StatusMessage); })
							.AutoWrapText(true)
						]

						+ SVerticalBox::Slot()
						.AutoHeight()
						.Padding(0.0f, 16.0f, 0.0f, 14.0f)
						[
							MakeDivider()
						]

						+ SVerticalBox::Slot()
						.AutoHeight()
						.Padding(0.0f, 0.0f, 0.0f, 9.0f)
						[
							MakeTextBlock(TEXT("02  /  UNREAL MCP"), 8, AccentColor, true)
						]

						+ SVerticalBox::Slot()
						.AutoHeight()
						[
							SNew(SHorizontalBox)
							+ SHorizontalBox::Slot()
							.AutoWidth()
							.VAlign(VAlign_Center)
							.Padding(0.0f, 0.0f, 12.0f, 0.0f)
							[
								SNew(SButton)
								.ButtonStyle(&PrimaryButtonStyle)
								.ContentPadding(ButtonPadding)
								.IsEnabled_Raw(this, &FVantleModule::IsMcpButtonEnabled)
								.OnClicked_Raw(this, &FVantleModule::OnMcpButtonClicked)
								[
									SNew(STextBlock)
									.Font(MakeFont(10, false))
									.ColorAndOpacity(FSlateColor(AccentColor))
									.Text_Raw(this, &FVantleModule::GetMcpButtonLabel)
									.AutoWrapText(false)
								]
							]
							+ SHorizontalBox::Slot()
							.FillWidth(1.0f)
							.VAlign(VAlign_Center)
							[
								SNew(STextBlock)
								.Font(MakeFont(9, false))
								.ColorAndOpacity_Raw(this, &FVantleModule::GetMcpStatusColor)
								.Text_Raw(this, &FVantleModule::GetMcpStatusText)
								.AutoWrapText(true)
								.ToolTipText(FText::FromString(TEXT("Green confirms this editor's listener log and a successful MCP ping. Rechecked every five seconds while open.")))
							]
						]

						+ SVerticalBox::Slot()
						.AutoHeight()
						.Padding(0.0f, 16.0f, 0.0f, 0.0f)
						[
							MakeTextBlock(TEXT("Focused sequence only. No automatic saving."), 8, MutedTextColor, false)
						]
					]
				]
			]
		];

	PanelTab = Tab;
	return Tab;
}
