// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/Array.h"
#include "Layout/Geometry.h"
#include "Layout/Visibility.h"
#include "Templates/SharedPointer.h"

class SWidget;

// A widget together with the geometry its parent gave it.
class FArrangedWidget
{
public:
	FArrangedWidget(const TSharedRef<SWidget>& InWidget, const FGeometry& InGeometry) : Geometry(InGeometry), Widget(InWidget) {}

	FGeometry Geometry;
	TSharedRef<SWidget> Widget;
};

// The children a widget arranged, filtered by visibility.
class FArrangedChildren
{
public:
	explicit FArrangedChildren(EVisibility InVisibilityFilter) : VisibilityFilter(InVisibilityFilter) {}

	// Whether a child of the given visibility belongs in this list.
	bool Accepts(EVisibility InVisibility) const;
	void AddWidget(EVisibility VisibilityOverride, const FArrangedWidget& InWidgetGeometry)
	{
		if (Accepts(VisibilityOverride))
		{
			Array.Add(InWidgetGeometry);
		}
	}
	void AddWidget(const FArrangedWidget& InWidgetGeometry);

	int32 Num() const { return Array.Num(); }
	const FArrangedWidget& operator[](int32 Index) const { return Array[Index]; }
	auto begin() const { return Array.begin(); }
	auto end() const { return Array.end(); }

private:
	EVisibility VisibilityFilter;
	TArray<FArrangedWidget> Array;
};
