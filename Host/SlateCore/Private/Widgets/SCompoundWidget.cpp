// Copyright Vantle contributors. All Rights Reserved.
#include "Widgets/SCompoundWidget.h"

#include "Layout/LayoutUtils.h"

SCompoundWidget::SCompoundWidget() : ChildSlot(this) {}

FVector2D SCompoundWidget::ComputeDesiredSize(float LayoutScaleMultiplier) const
{
	const TSharedRef<SWidget>& Child = ChildSlot.GetWidget();
	if (Child->GetVisibility() != EVisibility::Collapsed)
	{
		return Child->GetDesiredSize() + ChildSlot.GetPadding().GetDesiredSize();
	}
	return FVector2D(0.0, 0.0);
}

void SCompoundWidget::OnArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren) const
{
	const TSharedRef<SWidget>& Child = ChildSlot.GetWidget();
	const EVisibility ChildVisibility = Child->GetVisibility();
	if (ArrangedChildren.Accepts(ChildVisibility))
	{
		const FMargin SlotPadding = ChildSlot.GetPadding();
		const AlignmentArrangeResult X = AlignChild<Orient_Horizontal>(static_cast<float>(AllottedGeometry.GetLocalSize().X), ChildSlot, SlotPadding);
		const AlignmentArrangeResult Y = AlignChild<Orient_Vertical>(static_cast<float>(AllottedGeometry.GetLocalSize().Y), ChildSlot, SlotPadding);
		ArrangedChildren.AddWidget(ChildVisibility,
								   FArrangedWidget(Child, AllottedGeometry.MakeChild(FVector2D(X.Offset, Y.Offset), FVector2D(X.Size, Y.Size))));
	}
}
