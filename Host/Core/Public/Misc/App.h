// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HAL/Platform.h"

class FApp
{
public:
	// The running project's internal name; never null (empty before one is set).
	static CORE_API const TCHAR* GetProjectName();
	// Whether a project name has been set.
	// Sets the name GetProjectName reports, as the engine does at start-up.
	static CORE_API void SetProjectName(const TCHAR* InProjectName);
};
