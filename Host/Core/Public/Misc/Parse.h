// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/UnrealString.h"

struct FParse
{
	// Finds Match (case-insensitive, outside quotes, no word-boundary check) and converts what
	// follows with Atoi: text that is not a number gives 0. False only when Match is absent.
	static CORE_API bool Value(const TCHAR* Stream, const TCHAR* Match, int32& Value);
	static CORE_API bool Value(const TCHAR* Stream, const TCHAR* Match, uint32& Value);
	static CORE_API bool Value(const TCHAR* Stream, const TCHAR* Match, float& Value);
	static CORE_API bool Value(const TCHAR* Stream, const TCHAR* Match, double& Value);
	static CORE_API bool Value(const TCHAR* Stream, const TCHAR* Match, FString& Value, bool bShouldStopOnSeparator = true);
};
