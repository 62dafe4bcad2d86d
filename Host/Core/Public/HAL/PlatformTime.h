// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HAL/Platform.h"

struct FPlatformTime
{
	// Monotonic seconds since an arbitrary start.
	static CORE_API double Seconds();
	static CORE_API uint64 Cycles64();
};
