// Copyright Vantle contributors. All Rights Reserved.
#include "Widgets/Layout/SScrollBox.h"

#include "../HostSlateAccess.h"
#include "Layout/LayoutUtils.h"

#include <algorithm>

SScrollBox::SScrollBox() : Children(this) {}

void SScrollBox::Construct(const FArguments& InArgs)
{
	Clipping = EWidgetClipping::ClipToBounds;
	Children.AddSlots(std::move(const_cast<TArray<FSlot::FSlotArguments>&>(InArgs._Slots)));
}

void SScrollBox::SetScrollOffset(float NewScrollOffset)
{
	ScrollOffset = std::max(0.0f, NewScrollOffset);
}

double SScrollBox::GetContentHeight() const
{
	double Height = 0.0;
	for (int32 Index = 0; Index < Children.Num(); ++Index)
	{
		const FSlot& Slot = Children[Index];
		if (Slot.GetWidget()->GetVisibility() != EVisibility::Collapsed)
		{
			Height += Slot.GetWidget()->GetDesiredSize().Y + Slot.GetPadding().GetTotalSpaceAlong<Orient_Vertical>();
		}
	}
	return Height;
}

bool SScrollBox::IsScrollBarNeeded(const FGeometry& AllottedGeometry) const
{
	return GetContentHeight() > AllottedGeometry.GetLocalSize().Y + 0.001;
}

FVector2D SScrollBox::ComputeDesiredSize(float LayoutScaleMultiplier) const
{
	// The content's height, unlimited; its widest child sets the width.
	double Width = 0.0;
	for (int32 Index = 0; Index < Children.Num(); ++Index)
	{
		const FSlot& Slot = Children[Index];
		if (Slot.GetWidget()->GetVisibility() != EVisibility::Collapsed)
		{
			Width = std::max<double>(Width, Slot.GetWidget()->GetDesiredSize().X + Slot.GetPadding().GetTotalSpaceAlong<Orient_Horizontal>());
		}
	}
	return FVector2D(Width, GetContentHeight());
}

void SScrollBox::OnArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren) const
{
	const double ViewportWidth = std::max(0.0, AllottedGeometry.GetLocalSize().X - (IsScrollBarNeeded(AllottedGeometry) ? UE::Host::ScrollBarWidth : 0.0));
	const double MaxOffset = std::max(0.0, GetContentHeight() - AllottedGeometry.GetLocalSize().Y);
	double Position = -std::min<double>(ScrollOffset, MaxOffset);
	for (int32 Index = 0; Index < Children.Num(); ++Index)
	{
		const FSlot& Slot = Children[Index];
		const EVisibility ChildVisibility = Slot.GetWidget()->GetVisibility();
		if (ChildVisibility == EVisibility::Collapsed)
		{
			continue;
		}
		// Each slot is as tall as its content wants; the width is the viewport's.
		const FMargin SlotPadding = Slot.GetPadding();
		const float SlotHeight = static_cast<float>(Slot.GetWidget()->GetDesiredSize().Y + SlotPadding.GetTotalSpaceAlong<Orient_Vertical>());
		const AlignmentArrangeResult X = AlignChild<Orient_Horizontal>(static_cast<float>(ViewportWidth), Slot, SlotPadding);
		const AlignmentArrangeResult Y = AlignChild<Orient_Vertical>(SlotHeight, Slot, SlotPadding);
		ArrangedChildren.AddWidget(ChildVisibility, FArrangedWidget(Slot.GetWidget(), AllottedGeometry.MakeChild(FVector2D(X.Offset, Position + Y.Offset),
																												 FVector2D(X.Size, Y.Size))));
		Position += SlotHeight;
	}
}
