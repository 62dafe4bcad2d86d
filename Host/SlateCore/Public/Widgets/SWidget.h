// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/UnrealString.h"
#include "Internationalization/Text.h"
#include "Layout/ArrangedChildren.h"
#include "Layout/Children.h"
#include "Layout/Clipping.h"
#include "Layout/Geometry.h"
#include "Layout/Visibility.h"
#include "Misc/Attribute.h"
#include "Templates/SharedPointer.h"
#include "UObject/NameTypes.h"

struct FSlateBaseNamedArgs;

namespace UE::Host
{
	struct FWidgetAccess;
}

// The base of every widget: desired size, arrangement of children, enabled state, visibility
// and tool tip. Layout follows Slate's two passes: SlatePrepass computes desired sizes bottom
// up, ArrangeChildren hands each child its geometry top down.
class SWidget : public TSharedFromThis<SWidget>
{
public:
	virtual ~SWidget();
	SWidget(const SWidget&) = delete;
	SWidget& operator=(const SWidget&) = delete;

	// Applies the arguments every widget has (enabled state, visibility, tool tip); SNew calls it before Construct.
	void SWidgetConstruct(const FSlateBaseNamedArgs& Args);
	// Records the widget's type name as SNew spelled it.
	void SetDebugInfo(const ANSICHAR* InType, const ANSICHAR* InFile, int32 OnLine, size_t InAllocSize);

	// Computes and caches the desired size of this widget and of every child that is not collapsed.
	void SlatePrepass(float InLayoutScaleMultiplier = 1.0f);
	// The size computed by the last prepass.
	FVector2D GetDesiredSize() const { return DesiredSize; }
	// Gives each child its geometry within AllottedGeometry.
	void ArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren) const
	{
		OnArrangeChildren(AllottedGeometry, ArrangedChildren);
	}
	virtual void OnArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren) const = 0;
	virtual FChildren* GetChildren() = 0;

	// The widget's own enabled attribute, read now; a disabled parent also disables its children.
	bool IsEnabled() const { return EnabledState.Get(); }
	void SetEnabled(TAttribute<bool> InEnabledState) { EnabledState = std::move(InEnabledState); }
	EVisibility GetVisibility() const { return Visibility.Get(); }
	void SetVisibility(TAttribute<EVisibility> InVisibility) { Visibility = std::move(InVisibility); }
	EWidgetClipping GetClipping() const { return Clipping; }

	FString GetTypeAsString() const { return TypeOfWidget.ToString(); }

	TSharedPtr<SWidget> GetParentWidget() const { return ParentWidgetPtr.Pin(); }
	bool IsParentValid() const { return ParentWidgetPtr.IsValid(); }
	void AssignParentWidget(TSharedPtr<SWidget> InParent);
	bool ConditionallyDetatchParentWidget(SWidget* InExpectedParent);

protected:
	SWidget();

	virtual FVector2D ComputeDesiredSize(float LayoutScaleMultiplier) const = 0;
	// Called by the host layout walk with the geometry this widget was arranged into; a widget
	// whose desired size depends on it (wrapping text) caches it and returns true when it changed.
	virtual bool CacheAllottedGeometry(const FGeometry& AllottedGeometry) { return false; }

	EWidgetClipping Clipping = EWidgetClipping::Inherit;

private:
	friend struct UE::Host::FWidgetAccess;

	FVector2D DesiredSize;
	TAttribute<bool> EnabledState = true;
	TAttribute<EVisibility> Visibility = EVisibility::Visible;
	TAttribute<FText> ToolTipText;
	FName TypeOfWidget;
	FName Tag;
	TWeakPtr<SWidget> ParentWidgetPtr;
	// Host probe: bound getters Slate frames called while laying out and painting this widget.
	long long FrameGetterCalls = 0;
};
