// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Layout/SlateRect.h"
#include "Math/Vector2D.h"

// Where a widget was placed: its size in Slate units and its position in the window. The host
// lays out at application scale 1, so local and absolute sizes agree.
struct FGeometry
{
	FGeometry() = default;
	FGeometry(const FVector2D& InAbsolutePosition, const FVector2D& InLocalSize) : Size(InLocalSize), AbsolutePosition(InAbsolutePosition) {}

	static FGeometry MakeRoot(const FVector2D& LocalSize) { return FGeometry(FVector2D(0, 0), LocalSize); }

	// A child placed at LocalPosition within this geometry.
	FGeometry MakeChild(const FVector2D& LocalPosition, const FVector2D& LocalSize) const { return FGeometry(AbsolutePosition + LocalPosition, LocalSize); }

	const FVector2D& GetLocalSize() const { return Size; }
	const FVector2D& GetAbsolutePosition() const { return AbsolutePosition; }
	FSlateRect GetLayoutBoundingRect() const { return FSlateRect(AbsolutePosition, AbsolutePosition + Size); }

	FVector2D Size;
	FVector2D AbsolutePosition;
};
