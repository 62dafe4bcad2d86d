// Copyright Vantle contributors. All Rights Reserved.
// Host-only limits of the Json stand-in, for tests. The plugin never includes this header.
#pragma once

#include "HAL/Platform.h"

namespace UE::Host
{
	// Deepest nesting of arrays and objects the reader accepts; deeper documents fail to parse
	// with an error message instead of exhausting memory or the stack.
	inline constexpr int32 JsonMaxDepth = 512;
}
