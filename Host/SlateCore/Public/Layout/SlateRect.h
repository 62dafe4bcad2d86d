// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Math/Vector2D.h"

#include <algorithm>

// An axis-aligned rectangle in Slate units.
class FSlateRect
{
public:
	float Left = -1.0f;
	float Top = -1.0f;
	float Right = -1.0f;
	float Bottom = -1.0f;

	FSlateRect() = default;
	FSlateRect(float InLeft, float InTop, float InRight, float InBottom) : Left(InLeft), Top(InTop), Right(InRight), Bottom(InBottom) {}
	FSlateRect(const FVector2D& StartPos, const FVector2D& EndPos)
		: Left(static_cast<float>(StartPos.X)), Top(static_cast<float>(StartPos.Y)), Right(static_cast<float>(EndPos.X)), Bottom(static_cast<float>(EndPos.Y))
	{
	}

	bool IsValid() const { return !(Left == -1 && Right == -1 && Bottom == -1 && Top == -1) && Right >= Left && Bottom >= Top; }
	FSlateRect IntersectionWith(const FSlateRect& Other) const
	{
		FSlateRect Result(std::max(Left, Other.Left), std::max(Top, Other.Top), std::min(Right, Other.Right), std::min(Bottom, Other.Bottom));
		if (Result.Right < Result.Left || Result.Bottom < Result.Top)
		{
			return FSlateRect(0, 0, 0, 0);
		}
		return Result;
	}
	bool operator==(const FSlateRect& Other) const { return Left == Other.Left && Top == Other.Top && Right == Other.Right && Bottom == Other.Bottom; }
};
