// Copyright Vantle contributors. All Rights Reserved.
#include "SDockingTabStack.h"

#include <algorithm>

SDockingTabStack::SDockingTabStack() : Children(this) {}

void SDockingTabStack::Construct(const FArguments& InArgs, const TSharedRef<SDockTab>& InTab)
{
	Tab = InTab;
	Clipping = EWidgetClipping::ClipToBounds;
	InTab->AssignParentWidget(AsWeak().Pin());
}

TSharedRef<SWidget> SDockingTabStack::FStackChildren::GetChildAt(int32 Index)
{
	check(Stack->Tab.IsValid() && (Index == 0 || Index == 1));
	return Index == 0 ? StaticCastSharedRef<SWidget>(Stack->Tab.ToSharedRef()) : Stack->Tab->GetContent();
}

TSharedRef<const SWidget> SDockingTabStack::FStackChildren::GetChildAt(int32 Index) const
{
	return const_cast<FStackChildren*>(this)->GetChildAt(Index);
}

FVector2D SDockingTabStack::ComputeDesiredSize(float LayoutScaleMultiplier) const
{
	if (!Tab.IsValid())
	{
		return FVector2D(0.0, 0.0);
	}
	const FVector2D Header = Tab->GetDesiredSize();
	const FVector2D Content = Tab->GetContent()->GetDesiredSize() + Tab->GetContentPadding().GetDesiredSize();
	return FVector2D(std::max(Header.X, Content.X), Header.Y + Content.Y);
}

void SDockingTabStack::OnArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren) const
{
	if (!Tab.IsValid())
	{
		return;
	}
	// The header keeps its desired size at the top left; the content fills the rest, inside the tab's padding.
	const FVector2D Size = AllottedGeometry.GetLocalSize();
	const FVector2D Header = Tab->GetDesiredSize();
	const double WellHeight = std::min(Header.Y, Size.Y);
	ArrangedChildren.AddWidget(
		FArrangedWidget(Tab.ToSharedRef(), AllottedGeometry.MakeChild(FVector2D(0.0, 0.0), FVector2D(std::min(Header.X, Size.X), WellHeight))));

	const FMargin Padding = Tab->GetContentPadding();
	const FVector2D ContentPosition(Padding.Left, WellHeight + Padding.Top);
	const FVector2D ContentSize(std::max(0.0, Size.X - Padding.Left - Padding.Right), std::max(0.0, Size.Y - WellHeight - Padding.Top - Padding.Bottom));
	ArrangedChildren.AddWidget(FArrangedWidget(Tab->GetContent(), AllottedGeometry.MakeChild(ContentPosition, ContentSize)));
}
