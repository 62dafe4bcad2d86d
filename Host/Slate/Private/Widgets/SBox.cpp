// Copyright Vantle contributors. All Rights Reserved.
#include "Widgets/Layout/SBox.h"

#include "Layout/LayoutUtils.h"

#include <algorithm>

SBox::SBox() : ChildSlot(this) {}

void SBox::Construct(const FArguments& InArgs)
{
	WidthOverride = InArgs._WidthOverride;
	HeightOverride = InArgs._HeightOverride;
	MinDesiredWidth = InArgs._MinDesiredWidth;
	MinDesiredHeight = InArgs._MinDesiredHeight;
	MaxDesiredWidth = InArgs._MaxDesiredWidth;
	MaxDesiredHeight = InArgs._MaxDesiredHeight;
	ChildSlot.HAlign(InArgs._HAlign).VAlign(InArgs._VAlign).Padding(InArgs._Padding)[InArgs._Content.Widget];
}

FVector2D SBox::ComputeDesiredSize(float LayoutScaleMultiplier) const
{
	// As in the engine, a collapsed child makes the box collapse too, overrides or not.
	if (ChildSlot.GetWidget()->GetVisibility() == EVisibility::Collapsed)
	{
		return FVector2D(0.0, 0.0);
	}
	const FOptionalSize Width = WidthOverride.Get();
	const FOptionalSize Height = HeightOverride.Get();
	return FVector2D(Width.IsSet() ? Width.Get() : ComputeDesiredWidth(), Height.IsSet() ? Height.Get() : ComputeDesiredHeight());
}

float SBox::ComputeDesiredWidth() const
{
	float Width = static_cast<float>(ChildSlot.GetWidget()->GetDesiredSize().X + ChildSlot.GetPadding().GetDesiredSize().X);
	const FOptionalSize MinWidth = MinDesiredWidth.Get();
	const FOptionalSize MaxWidth = MaxDesiredWidth.Get();
	if (MinWidth.IsSet())
	{
		Width = std::max(Width, MinWidth.Get());
	}
	if (MaxWidth.IsSet())
	{
		Width = std::min(Width, MaxWidth.Get());
	}
	return Width;
}

float SBox::ComputeDesiredHeight() const
{
	float Height = static_cast<float>(ChildSlot.GetWidget()->GetDesiredSize().Y + ChildSlot.GetPadding().GetDesiredSize().Y);
	const FOptionalSize MinHeight = MinDesiredHeight.Get();
	const FOptionalSize MaxHeight = MaxDesiredHeight.Get();
	if (MinHeight.IsSet())
	{
		Height = std::max(Height, MinHeight.Get());
	}
	if (MaxHeight.IsSet())
	{
		Height = std::min(Height, MaxHeight.Get());
	}
	return Height;
}

void SBox::OnArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren) const
{
	const EVisibility ChildVisibility = ChildSlot.GetWidget()->GetVisibility();
	if (!ArrangedChildren.Accepts(ChildVisibility))
	{
		return;
	}
	const FMargin SlotPadding = ChildSlot.GetPadding();
	const AlignmentArrangeResult X = AlignChild<Orient_Horizontal>(static_cast<float>(AllottedGeometry.GetLocalSize().X), ChildSlot, SlotPadding);
	const AlignmentArrangeResult Y = AlignChild<Orient_Vertical>(static_cast<float>(AllottedGeometry.GetLocalSize().Y), ChildSlot, SlotPadding);
	ArrangedChildren.AddWidget(ChildVisibility,
							   FArrangedWidget(ChildSlot.GetWidget(), AllottedGeometry.MakeChild(FVector2D(X.Offset, Y.Offset), FVector2D(X.Size, Y.Size))));
}
