// Copyright Vantle contributors. All Rights Reserved.
#include "Widgets/Input/SButton.h"

#include "Widgets/Text/STextBlock.h"

void SButton::Construct(const FArguments& InArgs)
{
	Style = InArgs._ButtonStyle ? InArgs._ButtonStyle : &FButtonStyle::GetDefault();
	ContentPadding = InArgs._ContentPadding;
	OnClicked = InArgs._OnClicked;

	TSharedRef<SWidget> Content = InArgs._Content.Widget;
	if (&Content.Get() == &SNullWidget::NullWidget.Get() && InArgs._Text.IsSet())
	{
		Content = SNew(STextBlock).Text(InArgs._Text).TextStyle(InArgs._TextStyle);
	}

	// The button's own state decides its brush, padding and foreground, read each time they are drawn.
	// clang-format off
	SBorder::Construct(SBorder::FArguments()
		.HAlign(InArgs._HAlign)
		.VAlign(InArgs._VAlign)
		.Padding(TAttribute<FMargin>::Create(TAttribute<FMargin>::FGetter::CreateRaw(this, &SButton::GetCombinedPadding)))
		.BorderImage(TAttribute<const FSlateBrush*>::Create(TAttribute<const FSlateBrush*>::FGetter::CreateRaw(this, &SButton::GetBorder)))
		.ForegroundColor(TAttribute<FSlateColor>::Create(TAttribute<FSlateColor>::FGetter::CreateRaw(this, &SButton::GetStateForeground)))
		[
			Content
		]);
	// clang-format on
}

void SButton::SimulateClick()
{
	ExecuteOnClick();
}

FReply SButton::ExecuteOnClick()
{
	if (OnClicked.IsBound())
	{
		return OnClicked.Execute();
	}
	return FReply::Handled();
}

const FSlateBrush* SButton::GetBorder() const
{
	if (!IsEnabled())
	{
		return &Style->Disabled;
	}
	return bIsPressed ? &Style->Pressed : &Style->Normal;
}

FMargin SButton::GetCombinedPadding() const
{
	return ContentPadding.Get() + (bIsPressed ? Style->PressedPadding : Style->NormalPadding);
}

FSlateColor SButton::GetStateForeground() const
{
	if (!IsEnabled())
	{
		return Style->DisabledForeground;
	}
	return bIsPressed ? Style->PressedForeground : Style->NormalForeground;
}

FVector2D SButton::ComputeDesiredSize(float LayoutScaleMultiplier) const
{
	// Without content the button sizes itself by its brush.
	if (&ChildSlot.GetWidget().Get() == &SNullWidget::NullWidget.Get())
	{
		const FSlateBrush* Brush = GetBorder();
		return FVector2D(Brush->ImageSize.X, Brush->ImageSize.Y);
	}
	return SBorder::ComputeDesiredSize(LayoutScaleMultiplier);
}
