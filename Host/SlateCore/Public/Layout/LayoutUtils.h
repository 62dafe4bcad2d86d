// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Layout/Margin.h"
#include "Widgets/SWidget.h"

#include <algorithm>

struct AlignmentArrangeResult
{
	AlignmentArrangeResult(float InOffset, float InSize) : Offset(InOffset), Size(InSize) {}

	float Offset;
	float Size;
};

namespace ArrangeUtils
{
	template <EOrientation Orientation, typename SlotType> int32 GetChildAlignment(const SlotType& Slot)
	{
		if constexpr (Orientation == Orient_Horizontal)
		{
			return static_cast<int32>(Slot.GetHorizontalAlignment());
		}
		else
		{
			return static_cast<int32>(Slot.GetVerticalAlignment());
		}
	}
}

// Places a child of ChildDesiredSize within AllottedSize along one axis, honouring the slot's
// alignment and padding (left to right flow). Fill takes everything but the padding; the other
// alignments keep the desired size, clamped to the room left.
template <EOrientation Orientation, typename SlotType>
AlignmentArrangeResult AlignChild(float AllottedSize, float ChildDesiredSize, const SlotType& ChildToArrange, const FMargin& SlotPadding,
								  const float& ContentScale = 1.0f, bool bClampToParent = true)
{
	const float TotalMargin = SlotPadding.GetTotalSpaceAlong<Orientation>();
	const float MarginPre = Orientation == Orient_Horizontal ? SlotPadding.Left : SlotPadding.Top;
	const float MarginPost = Orientation == Orient_Horizontal ? SlotPadding.Right : SlotPadding.Bottom;
	const int32 Alignment = ArrangeUtils::GetChildAlignment<Orientation>(ChildToArrange);

	if (Alignment == HAlign_Fill)
	{
		return AlignmentArrangeResult(MarginPre, std::max((AllottedSize - TotalMargin) * ContentScale, 0.0f));
	}

	const float ChildSize = std::max(bClampToParent ? std::min(ChildDesiredSize, AllottedSize - TotalMargin) : ChildDesiredSize, 0.0f);
	switch (Alignment)
	{
	case HAlign_Left:
		return AlignmentArrangeResult(MarginPre, ChildSize);
	case HAlign_Center:
		// The engine's formula, kept as it is: the margins shift the centre by their difference.
		return AlignmentArrangeResult((AllottedSize - ChildSize) / 2.0f + MarginPre - MarginPost, ChildSize);
	case HAlign_Right:
		return AlignmentArrangeResult(AllottedSize - ChildSize - MarginPost, ChildSize);
	default:
		return AlignmentArrangeResult(MarginPre, std::max((AllottedSize - TotalMargin) * ContentScale, 0.0f));
	}
}

template <EOrientation Orientation, typename SlotType>
AlignmentArrangeResult AlignChild(float AllottedSize, const SlotType& ChildToArrange, const FMargin& SlotPadding, const float& ContentScale = 1.0f,
								  bool bClampToParent = true)
{
	const FVector2D DesiredSize = ChildToArrange.GetWidget()->GetDesiredSize();
	const float ChildDesiredSize = static_cast<float>(Orientation == Orient_Horizontal ? DesiredSize.X : DesiredSize.Y) * ContentScale;
	return AlignChild<Orientation, SlotType>(AllottedSize, ChildDesiredSize, ChildToArrange, SlotPadding, ContentScale, bClampToParent);
}
