// Copyright 2026 Vantle contributors. All Rights Reserved.
#pragma once

#include "HAL/Platform.h"

// A span of time in ticks of 100 nanoseconds, as the engine counts it.
struct FTimespan
{
	FTimespan() = default;
	explicit FTimespan(int64 InTicks) : Ticks(InTicks) {}

	// The span of that many seconds, rounded to the nearest tick.
	static FTimespan FromSeconds(double Seconds) { return FTimespan(static_cast<int64>(Seconds * 1e7 + (Seconds < 0.0 ? -0.5 : 0.5))); }
	double GetTotalSeconds() const { return static_cast<double>(Ticks) / 1e7; }

	bool operator==(const FTimespan& Other) const { return Ticks == Other.Ticks; }
	bool operator<(const FTimespan& Other) const { return Ticks < Other.Ticks; }

private:
	int64 Ticks = 0;
};
