// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HAL/Platform.h"

namespace UE::Math
{
	template <typename T>
	struct TVector2
	{
		T X = 0;
		T Y = 0;

		TVector2() = default;
		constexpr TVector2(T InX, T InY) : X(InX), Y(InY) {}
		TVector2 operator+(const TVector2& V) const { return TVector2(X + V.X, Y + V.Y); }
		TVector2 operator-(const TVector2& V) const { return TVector2(X - V.X, Y - V.Y); }
		TVector2 operator*(T Scale) const { return TVector2(X * Scale, Y * Scale); }
		bool operator==(const TVector2& V) const { return X == V.X && Y == V.Y; }
		bool operator!=(const TVector2& V) const { return !(*this == V); }
		static const TVector2 ZeroVector;
	};
	template <typename T>
	const TVector2<T> TVector2<T>::ZeroVector{0, 0};
}

using FVector2D = UE::Math::TVector2<double>;
using FVector2f = UE::Math::TVector2<float>;
using FDeprecateSlateVector2D = FVector2f;
