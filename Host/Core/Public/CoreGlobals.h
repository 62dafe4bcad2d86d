// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Logging/LogMacros.h"

// As in the engine, only declared here: code that dereferences GLog includes the redirector itself.
class FOutputDeviceRedirector;

CORE_API FOutputDeviceRedirector* GetGlobalLogSingleton();
#define GLog GetGlobalLogSingleton()

DECLARE_LOG_CATEGORY_EXTERN(LogTemp, Log, All);
DECLARE_LOG_CATEGORY_EXTERN(LogInit, Log, All);
DECLARE_LOG_CATEGORY_EXTERN(LogExit, Log, All);
DECLARE_LOG_CATEGORY_EXTERN(LogConsoleResponse, Log, All);

extern CORE_API bool GIsRequestingExit;
