// Copyright Vantle contributors. All Rights Reserved.
#include "Widgets/SWidget.h"
#include "CoreGlobals.h"

#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SLeafWidget.h"
#include "Widgets/SNullWidget.h"

const EVisibility EVisibility::Visible(EVisibility::VIS_Visible);
const EVisibility EVisibility::Collapsed(EVisibility::VIS_Collapsed);
const EVisibility EVisibility::Hidden(EVisibility::VIS_Hidden);
const EVisibility EVisibility::HitTestInvisible(EVisibility::VIS_HitTestInvisible);
const EVisibility EVisibility::SelfHitTestInvisible(EVisibility::VIS_SelfHitTestInvisible);
const EVisibility EVisibility::All(EVisibility::VIS_All);

SWidget::SWidget()
{
	// Widgets are made and owned by the game thread only.
	check(IsInGameThread());
}

SWidget::~SWidget() = default;

void SWidget::SWidgetConstruct(const FSlateBaseNamedArgs& Args)
{
	ToolTipText = Args._ToolTipText;
	Visibility = Args._Visibility;
	EnabledState = Args._IsEnabled;
}

void SWidget::SetDebugInfo(const ANSICHAR* InType, const ANSICHAR* InFile, int32 OnLine, size_t InAllocSize)
{
	TypeOfWidget = FName(InType);
}

void SWidget::SlatePrepass(float InLayoutScaleMultiplier)
{
	if (FChildren* MyChildren = GetChildren())
	{
		for (int32 ChildIndex = 0; ChildIndex < MyChildren->Num(); ++ChildIndex)
		{
			const TSharedRef<SWidget> Child = MyChildren->GetChildAt(ChildIndex);
			if (Child->GetVisibility() != EVisibility::Collapsed)
			{
				Child->SlatePrepass(InLayoutScaleMultiplier);
			}
		}
	}
	// Inside a frame, the getters this widget's own size reads are counted as its own.
	long long* const FrameSink = UE::Host::Private::AttributeGetterCallSink;
	if (FrameSink)
	{
		UE::Host::Private::AttributeGetterCallSink = &FrameGetterCalls;
	}
	DesiredSize = ComputeDesiredSize(InLayoutScaleMultiplier);
	UE::Host::Private::AttributeGetterCallSink = FrameSink;
}

void SWidget::AssignParentWidget(TSharedPtr<SWidget> InParent)
{
	// The shared placeholder belongs to every empty slot and so has no parent.
	if (this == &SNullWidget::NullWidget.Get())
	{
		return;
	}
	ParentWidgetPtr = InParent;
}

bool SWidget::ConditionallyDetatchParentWidget(SWidget* InExpectedParent)
{
	if (ParentWidgetPtr.Pin().Get() == InExpectedParent)
	{
		ParentWidgetPtr.Reset();
		return true;
	}
	return false;
}

FChildren* SLeafWidget::GetChildren()
{
	static FNoChildren NoChildren;
	return &NoChildren;
}

TSharedRef<SWidget> FNoChildren::GetChildAt(int32 Index)
{
	check(false);
	return SNullWidget::NullWidget;
}

TSharedRef<const SWidget> FNoChildren::GetChildAt(int32 Index) const
{
	check(false);
	return SNullWidget::NullWidget;
}

bool FArrangedChildren::Accepts(EVisibility InVisibility) const
{
	if (VisibilityFilter == EVisibility::All)
	{
		return true;
	}
	if (VisibilityFilter == EVisibility::Visible)
	{
		return InVisibility.IsVisible();
	}
	return InVisibility == VisibilityFilter;
}

void FArrangedChildren::AddWidget(const FArrangedWidget& InWidgetGeometry)
{
	AddWidget(InWidgetGeometry.Widget->GetVisibility(), InWidgetGeometry);
}

FSlotBase::FSlotBase() : Widget(SNullWidget::NullWidget) {}

FSlotBase::~FSlotBase()
{
	if (OwnerChildren)
	{
		Widget->ConditionallyDetatchParentWidget(&OwnerChildren->GetOwner());
	}
}

void FSlotBase::AttachWidget(const TSharedRef<SWidget>& InWidget)
{
	if (OwnerChildren)
	{
		Widget->ConditionallyDetatchParentWidget(&OwnerChildren->GetOwner());
	}
	Widget = InWidget;
	if (OwnerChildren)
	{
		// Empty while the owner is still being allocated; SNew shares it before Construct fills its slots.
		Widget->AssignParentWidget(OwnerChildren->GetOwner().AsWeak().Pin());
	}
}

TSharedRef<SWidget> FSlotBase::DetachWidget()
{
	TSharedRef<SWidget> Detached = Widget;
	if (OwnerChildren)
	{
		Detached->ConditionallyDetatchParentWidget(&OwnerChildren->GetOwner());
	}
	Widget = SNullWidget::NullWidget;
	return Detached;
}
