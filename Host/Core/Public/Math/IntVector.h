// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HAL/Platform.h"

struct FIntVector
{
	int32 X = 0;
	int32 Y = 0;
	int32 Z = 0;

	FIntVector() = default;
	constexpr FIntVector(int32 InX, int32 InY, int32 InZ) : X(InX), Y(InY), Z(InZ) {}
	bool operator==(const FIntVector& O) const { return X == O.X && Y == O.Y && Z == O.Z; }
};

struct FIntPoint
{
	int32 X = 0;
	int32 Y = 0;

	FIntPoint() = default;
	constexpr FIntPoint(int32 InX, int32 InY) : X(InX), Y(InY) {}
	bool operator==(const FIntPoint& O) const { return X == O.X && Y == O.Y; }
};

struct FIntRect
{
	FIntPoint Min;
	FIntPoint Max;

	FIntRect() = default;
	FIntRect(int32 X0, int32 Y0, int32 X1, int32 Y1) : Min(X0, Y0), Max(X1, Y1) {}
	int32 Width() const { return Max.X - Min.X; }
	int32 Height() const { return Max.Y - Min.Y; }
};
