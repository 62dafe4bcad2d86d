// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Layout/Children.h"
#include "SlotBase.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SCompoundWidget.h"

namespace UE::Host
{
	struct FSlateWidgetAccess;
}

// A vertical list of slots whose total height is not limited: what does not fit is clipped and
// reached by scrolling. A scroll bar takes room on the right only while the content is taller
// than the box.
class SScrollBox : public SCompoundWidget
{
public:
	class FSlot : public TBasicLayoutWidgetSlot<FSlot>
	{
	public:
		struct FSlotArguments : public TBasicLayoutWidgetSlot<FSlot>::FSlotArguments
		{
			using TBasicLayoutWidgetSlot<FSlot>::FSlotArguments::FSlotArguments;
		};

		FSlot() : TBasicLayoutWidgetSlot<FSlot>(HAlign_Fill, VAlign_Fill) {}
	};

	static FSlot::FSlotArguments Slot() { return FSlot::FSlotArguments(MakeUnique<FSlot>()); }

	SLATE_BEGIN_ARGS(SScrollBox) {}
	SLATE_SLOT_ARGUMENT(FSlot, Slots)
	SLATE_END_ARGS()

	SScrollBox();
	void Construct(const FArguments& InArgs);

	// Distance scrolled from the top, in Slate units.
	float GetScrollOffset() const { return ScrollOffset; }
	void SetScrollOffset(float NewScrollOffset);

	virtual FChildren* GetChildren() override { return &Children; }
	virtual void OnArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren) const override;

protected:
	virtual FVector2D ComputeDesiredSize(float LayoutScaleMultiplier) const override;

private:
	friend struct UE::Host::FSlateWidgetAccess;

	double GetContentHeight() const;
	// Whether content of this height needs the bar in a box of that geometry.
	bool IsScrollBarNeeded(const FGeometry& AllottedGeometry) const;

	TPanelChildren<FSlot> Children;
	float ScrollOffset = 0.0f;
};
