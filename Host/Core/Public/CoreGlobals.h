// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Logging/LogMacros.h"

// As in the engine, only declared here: code that dereferences GLog includes the redirector itself.
class FOutputDeviceRedirector;

CORE_API FOutputDeviceRedirector* GetGlobalLogSingleton();
#define GLog GetGlobalLogSingleton()

DECLARE_LOG_CATEGORY_EXTERN(LogTemp, Log, All);

// The game thread is the thread that starts the program (fixed at start-up, before main). Until
// then every thread counts as the game thread, as in the engine.
extern CORE_API uint32 GGameThreadId;
extern CORE_API bool GIsGameThreadIdInitialized;
// True if called from the game thread.
CORE_API bool IsInGameThread();
