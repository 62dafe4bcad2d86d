// Copyright Vantle contributors. All Rights Reserved.
#include "Widgets/SBoxPanel.h"

#include "Layout/LayoutUtils.h"

#include <algorithm>

namespace
{
	// Auto slots get their desired size, fill slots share what remains by coefficient; the cross
	// axis is aligned within the box. Collapsed children take no room.
	template <EOrientation Orientation, typename SlotType>
	void ArrangeChildrenAlong(const TPanelChildren<SlotType>& Children, const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren)
	{
		const FVector2D AllottedSize = AllottedGeometry.GetLocalSize();
		float StretchCoefficientTotal = 0.0f;
		float FixedTotal = 0.0f;
		bool bAnyChildVisible = false;
		for (int32 Index = 0; Index < Children.Num(); ++Index)
		{
			const SlotType& Slot = Children[Index];
			if (Slot.GetWidget()->GetVisibility() == EVisibility::Collapsed)
			{
				continue;
			}
			bAnyChildVisible = true;
			FixedTotal += Slot.GetPadding().template GetTotalSpaceAlong<Orientation>();
			if (Slot.GetSizeRule() == FSizeParam::SizeRule_Stretch)
			{
				StretchCoefficientTotal += Slot.GetSizeValue();
			}
			else
			{
				const FVector2D ChildDesiredSize = Slot.GetWidget()->GetDesiredSize();
				const float ChildSize = static_cast<float>(Orientation == Orient_Vertical ? ChildDesiredSize.Y : ChildDesiredSize.X);
				const float MaxSize = Slot.GetMaxSize();
				FixedTotal += MaxSize > 0 ? std::min(MaxSize, ChildSize) : ChildSize;
			}
		}
		if (!bAnyChildVisible)
		{
			return;
		}

		const float AllottedAlong = static_cast<float>(Orientation == Orient_Vertical ? AllottedSize.Y : AllottedSize.X);
		const float NonFixedSpace = std::max(0.0f, AllottedAlong - FixedTotal);
		float PositionSoFar = 0.0f;
		for (int32 Index = 0; Index < Children.Num(); ++Index)
		{
			const SlotType& Slot = Children[Index];
			const EVisibility ChildVisibility = Slot.GetWidget()->GetVisibility();
			float ChildSize = 0.0f;
			if (ChildVisibility != EVisibility::Collapsed)
			{
				if (Slot.GetSizeRule() == FSizeParam::SizeRule_Stretch)
				{
					if (StretchCoefficientTotal > 0.0f)
					{
						ChildSize = NonFixedSpace * Slot.GetSizeValue() / StretchCoefficientTotal;
					}
				}
				else
				{
					const FVector2D ChildDesiredSize = Slot.GetWidget()->GetDesiredSize();
					ChildSize = static_cast<float>(Orientation == Orient_Vertical ? ChildDesiredSize.Y : ChildDesiredSize.X);
				}
				const float MaxSize = Slot.GetMaxSize();
				if (MaxSize > 0)
				{
					ChildSize = std::min(MaxSize, ChildSize);
				}
			}

			const FMargin SlotPadding = Slot.GetPadding();
			const FVector2D SlotSize = Orientation == Orient_Vertical
										   ? FVector2D(AllottedSize.X, ChildSize + SlotPadding.GetTotalSpaceAlong<Orient_Vertical>())
										   : FVector2D(ChildSize + SlotPadding.GetTotalSpaceAlong<Orient_Horizontal>(), AllottedSize.Y);
			const AlignmentArrangeResult XResult = AlignChild<Orient_Horizontal>(static_cast<float>(SlotSize.X), Slot, SlotPadding);
			const AlignmentArrangeResult YResult = AlignChild<Orient_Vertical>(static_cast<float>(SlotSize.Y), Slot, SlotPadding);
			const FVector2D LocalPosition = Orientation == Orient_Vertical ? FVector2D(XResult.Offset, PositionSoFar + YResult.Offset)
																		   : FVector2D(PositionSoFar + XResult.Offset, YResult.Offset);
			ArrangedChildren.AddWidget(ChildVisibility,
									   FArrangedWidget(Slot.GetWidget(), AllottedGeometry.MakeChild(LocalPosition, FVector2D(XResult.Size, YResult.Size))));
			if (ChildVisibility != EVisibility::Collapsed)
			{
				PositionSoFar += static_cast<float>(Orientation == Orient_Vertical ? SlotSize.Y : SlotSize.X);
			}
		}
	}

	// Along the box: the sum of the children's sizes (limited by their maximum) and paddings; across: the largest.
	template <EOrientation Orientation, typename SlotType> FVector2D ComputeDesiredSizeForBox(const TPanelChildren<SlotType>& Children)
	{
		FVector2D MyDesiredSize(0.0, 0.0);
		for (int32 Index = 0; Index < Children.Num(); ++Index)
		{
			const SlotType& Slot = Children[Index];
			if (Slot.GetWidget()->GetVisibility() == EVisibility::Collapsed)
			{
				continue;
			}
			const FVector2D ChildDesiredSize = Slot.GetWidget()->GetDesiredSize();
			const FMargin SlotPadding = Slot.GetPadding();
			const float MaxSize = Slot.GetMaxSize();
			if (Orientation == Orient_Vertical)
			{
				MyDesiredSize.X = std::max<double>(MyDesiredSize.X, ChildDesiredSize.X + SlotPadding.GetTotalSpaceAlong<Orient_Horizontal>());
				const double Along = MaxSize > 0 ? std::min<double>(MaxSize, ChildDesiredSize.Y) : ChildDesiredSize.Y;
				MyDesiredSize.Y += Along + SlotPadding.GetTotalSpaceAlong<Orient_Vertical>();
			}
			else
			{
				MyDesiredSize.Y = std::max<double>(MyDesiredSize.Y, ChildDesiredSize.Y + SlotPadding.GetTotalSpaceAlong<Orient_Vertical>());
				const double Along = MaxSize > 0 ? std::min<double>(MaxSize, ChildDesiredSize.X) : ChildDesiredSize.X;
				MyDesiredSize.X += Along + SlotPadding.GetTotalSpaceAlong<Orient_Horizontal>();
			}
		}
		return MyDesiredSize;
	}
}

void SHorizontalBox::Construct(const FArguments& InArgs)
{
	Children.AddSlots(std::move(const_cast<TArray<FSlot::FSlotArguments>&>(InArgs._Slots)));
}

void SHorizontalBox::OnArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren) const
{
	ArrangeChildrenAlong<Orient_Horizontal>(Children, AllottedGeometry, ArrangedChildren);
}

FVector2D SHorizontalBox::ComputeDesiredSize(float LayoutScaleMultiplier) const
{
	return ComputeDesiredSizeForBox<Orient_Horizontal>(Children);
}

void SVerticalBox::Construct(const FArguments& InArgs)
{
	Children.AddSlots(std::move(const_cast<TArray<FSlot::FSlotArguments>&>(InArgs._Slots)));
}

void SVerticalBox::OnArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren) const
{
	ArrangeChildrenAlong<Orient_Vertical>(Children, AllottedGeometry, ArrangedChildren);
}

FVector2D SVerticalBox::ComputeDesiredSize(float LayoutScaleMultiplier) const
{
	return ComputeDesiredSizeForBox<Orient_Vertical>(Children);
}
