// Copyright Vantle contributors. All Rights Reserved.
#include "HostSlateCore.h"

#include "Widgets/SCompoundWidget.h"
#include "Widgets/SNullWidget.h"

namespace
{
	// Wrapping text settles within two passes, three when a scroll bar appears; more means a widget keeps changing its mind.
	constexpr int32 MaxLayoutPasses = 6;

	bool ClipsChildren(EWidgetClipping Clipping)
	{
		return Clipping == EWidgetClipping::ClipToBounds || Clipping == EWidgetClipping::ClipToBoundsAlways ||
			   Clipping == EWidgetClipping::ClipToBoundsWithoutIntersecting;
	}

	void Walk(const TSharedRef<SWidget>& Widget, const FGeometry& Geometry, const FSlateRect& ClipRect, int32 Depth,
			  TArray<UE::Host::FArrangedWidgetRecord>& OutRecords, bool& bOutChanged)
	{
		if (&Widget.Get() == &SNullWidget::NullWidget.Get())
		{
			return;
		}
		bOutChanged |= UE::Host::FWidgetAccess::CacheAllottedGeometry(Widget.Get(), Geometry);

		UE::Host::FArrangedWidgetRecord& Record = OutRecords.Emplace_GetRef();
		Record.Widget = Widget;
		Record.Type = Widget->GetTypeAsString();
		Record.Depth = Depth;
		Record.Position = Geometry.GetAbsolutePosition();
		Record.Size = Geometry.GetLocalSize();
		Record.ClipRect = ClipRect;

		const FSlateRect ChildClip = ClipsChildren(Widget->GetClipping()) ? ClipRect.IntersectionWith(Geometry.GetLayoutBoundingRect()) : ClipRect;
		FArrangedChildren Arranged(EVisibility::Visible);
		Widget->ArrangeChildren(Geometry, Arranged);
		for (const FArrangedWidget& Child : Arranged)
		{
			Walk(Child.Widget, Child.Geometry, ChildClip, Depth + 1, OutRecords, bOutChanged);
		}
	}
}

TArray<UE::Host::FArrangedWidgetRecord> UE::Host::ArrangeWidgetTree(const TSharedRef<SWidget>& Root, const FVector2D& Size)
{
	TArray<FArrangedWidgetRecord> Records;
	const FGeometry RootGeometry = FGeometry::MakeRoot(Size);
	for (int32 Pass = 0; Pass < MaxLayoutPasses; ++Pass)
	{
		Root->SlatePrepass(1.0f);
		Records.Reset();
		bool bChanged = false;
		Walk(Root, RootGeometry, RootGeometry.GetLayoutBoundingRect(), 0, Records, bChanged);
		if (!bChanged)
		{
			break;
		}
	}
	return Records;
}

bool UE::Host::IsWidgetEnabledInHierarchy(const SWidget& Widget)
{
	if (!Widget.IsEnabled())
	{
		return false;
	}
	for (TSharedPtr<SWidget> Parent = Widget.GetParentWidget(); Parent.IsValid(); Parent = Parent->GetParentWidget())
	{
		if (!Parent->IsEnabled())
		{
			return false;
		}
	}
	return true;
}

FLinearColor UE::Host::GetDefaultForegroundColor()
{
	return FLinearColor(FColor(0xC0, 0xC0, 0xC0));
}

FLinearColor UE::Host::ResolveForegroundColor(const SWidget& Widget)
{
	for (TSharedPtr<SWidget> Parent = Widget.GetParentWidget(); Parent.IsValid(); Parent = Parent->GetParentWidget())
	{
		if (const SCompoundWidget* Compound = dynamic_cast<const SCompoundWidget*>(Parent.Get()))
		{
			const FSlateColor Foreground = Compound->GetForegroundColor();
			if (Foreground.IsColorSpecified())
			{
				return Foreground.GetSpecifiedColor();
			}
		}
	}
	return GetDefaultForegroundColor();
}

FLinearColor UE::Host::ResolveSlateColor(const FSlateColor& Color, const SWidget& Widget)
{
	if (Color.IsColorSpecified())
	{
		return Color.GetSpecifiedColor();
	}
	const FLinearColor Foreground = ResolveForegroundColor(Widget);
	if (Color.GetColorUseRule() == ESlateColorStylingMode::UseColor_Foreground_Subdued)
	{
		return FLinearColor(Foreground.R, Foreground.G, Foreground.B, Foreground.A * 0.5f);
	}
	return Foreground;
}
