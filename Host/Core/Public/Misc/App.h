// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HAL/Platform.h"

class FApp
{
public:
	static CORE_API const TCHAR* GetProjectName();
	static CORE_API bool HasProjectName();
	static CORE_API void SetProjectName(const TCHAR* InProjectName);
};
