// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HAL/Platform.h"

namespace UE::Math
{
	// Four-component vector; W defaults to 1 as in the engine's constructor.
	template <typename T> struct TVector4
	{
		T X = 0;
		T Y = 0;
		T Z = 0;
		T W = 1;

		TVector4() = default;
		constexpr TVector4(T InX, T InY, T InZ, T InW = 1) : X(InX), Y(InY), Z(InZ), W(InW) {}
		bool operator==(const TVector4& V) const { return X == V.X && Y == V.Y && Z == V.Z && W == V.W; }
		bool operator!=(const TVector4& V) const { return !(*this == V); }
		T& operator[](int32 Index) { return Index == 0 ? X : (Index == 1 ? Y : (Index == 2 ? Z : W)); }
		T operator[](int32 Index) const { return Index == 0 ? X : (Index == 1 ? Y : (Index == 2 ? Z : W)); }
	};
}

using FVector4 = UE::Math::TVector4<double>;
