// Copyright 2026 Vantle contributors. All Rights Reserved.
#pragma once

#include "UObject/Class.h"

namespace UE::Host
{
	// The class object of that name in the package /Script/Engine, made on first use.
	UClass* GetEngineClass(const TCHAR* Name);
}
