// Copyright Vantle contributors. All Rights Reserved.
#include "Widgets/Docking/SDockTab.h"

#include "Brushes/SlateRoundedBoxBrush.h"
#include "Framework/Application/SlateApplication.h"
#include "Widgets/Images/SImage.h"
#include "Widgets/Layout/SBox.h"
#include "Widgets/SBoxPanel.h"
#include "Widgets/SWindow.h"
#include "Widgets/Text/STextBlock.h"

namespace
{
	const FSlateBrush& GetTabHeaderBrush()
	{
		static const FSlateRoundedBoxBrush Brush(FLinearColor(FColor(0x24, 0x24, 0x24)), FVector4(4.0, 4.0, 0.0, 0.0));
		return Brush;
	}
}

SDockTab::SDockTab() : Content(SNullWidget::NullWidget) {}

void SDockTab::Construct(const FArguments& InArgs)
{
	ContentPadding = InArgs._ContentPadding;
	TabRole = InArgs._TabRole;
	TabLabel = InArgs._Label;
	OnTabClosed = InArgs._OnTabClosed;
	OnCanCloseTab = InArgs._OnCanCloseTab;
	SetContent(InArgs._Content.Widget);

	// The header: icon and label, both read from the tab each time they are drawn.
	// clang-format off
	SBorder::Construct(SBorder::FArguments()
		.BorderImage(&GetTabHeaderBrush())
		.Padding(FMargin(12.0f, 4.0f))
		.ForegroundColor(FSlateColor::UseForeground())
		[
			SNew(SHorizontalBox)
			+ SHorizontalBox::Slot().AutoWidth().VAlign(VAlign_Center).Padding(0.0f, 0.0f, 6.0f, 0.0f)
			[
				SNew(SBox)
				.WidthOverride(16.0f)
				.HeightOverride(16.0f)
				.Visibility_Lambda([this]() { return GetTabIcon() ? EVisibility::Visible : EVisibility::Collapsed; })
				[
					SNew(SImage).Image_Lambda([this]() { return GetTabIcon(); })
				]
			]
			+ SHorizontalBox::Slot().AutoWidth().VAlign(VAlign_Center)
			[
				SNew(STextBlock).Text_Lambda([this]() { return GetTabLabel(); })
			]
		]);
	// clang-format on
}

void SDockTab::SetContent(TSharedRef<SWidget> InContent)
{
	Content->ConditionallyDetatchParentWidget(this);
	Content = InContent;
	Content->AssignParentWidget(AsWeak().Pin());
}

bool SDockTab::RequestCloseTab()
{
	// A tab closes once; asking again has nothing left to close.
	if (bIsClosed || !CanCloseTab())
	{
		return false;
	}
	bIsClosed = true;
	// Held until the callbacks have run; the window that owned the tab may be gone by then.
	const TSharedRef<SDockTab> Self = StaticCastSharedRef<SDockTab>(AsShared());
	if (TSharedPtr<FTabManager> Manager = MyTabManager.Pin())
	{
		Manager->OnTabClosing(Self);
	}
	else if (FSlateApplication::IsInitialized())
	{
		if (TSharedPtr<SWindow> Window = FSlateApplication::Get().FindWidgetWindow(Self))
		{
			FSlateApplication::Get().RequestDestroyWindow(Window.ToSharedRef());
		}
	}
	bIsForeground = false;
	OnTabClosed.ExecuteIfBound(Self);
	return true;
}

TSharedPtr<SWindow> SDockTab::GetParentWindow() const
{
	if (!FSlateApplication::IsInitialized())
	{
		return nullptr;
	}
	return FSlateApplication::Get().FindWidgetWindow(AsShared());
}

bool SDockTab::IsActive() const
{
	if (!bIsForeground || !FSlateApplication::IsInitialized())
	{
		return false;
	}
	const TSharedPtr<SWindow> Window = GetParentWindow();
	return Window.IsValid() && Window == FSlateApplication::Get().GetActiveTopLevelWindow();
}
