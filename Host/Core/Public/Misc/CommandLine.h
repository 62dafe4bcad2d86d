// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HAL/Platform.h"

struct FCommandLine
{
	// The full command line; never null.
	static CORE_API const TCHAR* Get();
	static CORE_API bool Set(const TCHAR* NewCommandLine);
};
