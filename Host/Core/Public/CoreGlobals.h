// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Logging/LogMacros.h"
#include "Misc/OutputDeviceRedirector.h"

#define GLog GetGlobalLogSingleton()

DECLARE_LOG_CATEGORY_EXTERN(LogTemp, Log, All);
DECLARE_LOG_CATEGORY_EXTERN(LogInit, Log, All);
DECLARE_LOG_CATEGORY_EXTERN(LogExit, Log, All);
DECLARE_LOG_CATEGORY_EXTERN(LogConsoleResponse, Log, All);

extern CORE_API bool GIsRequestingExit;
