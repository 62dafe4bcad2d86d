// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Math/Color.h"
#include "Styling/SlateColor.h"
#include "Widgets/SWidget.h"

// A widget made of one child slot; its desired size is the child's plus the slot padding.
class SCompoundWidget : public SWidget
{
public:
	virtual FChildren* GetChildren() override { return &ChildSlot; }
	virtual void OnArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren) const override;

	FLinearColor GetColorAndOpacity() const { return ColorAndOpacity.Get(); }
	FSlateColor GetForegroundColor() const { return ForegroundColor.Get(); }

protected:
	SCompoundWidget();

	virtual FVector2D ComputeDesiredSize(float LayoutScaleMultiplier) const override;

	FCompoundWidgetOneChildSlot ChildSlot;
	TAttribute<FLinearColor> ColorAndOpacity = FLinearColor::White;
	TAttribute<FSlateColor> ForegroundColor = FSlateColor::UseForeground();
};
