// Copyright 2026 Vantle contributors. All Rights Reserved.
#include "CoreGlobals.h"

#include <atomic>

namespace
{
	// Ids are handed out per thread on first use; a forked child keeps its parent's, so a death
	// test's child still knows its game thread.
	uint32 GetCurrentThreadId()
	{
		static std::atomic<uint32> NextId{1};
		thread_local const uint32 Id = NextId.fetch_add(1, std::memory_order_relaxed);
		return Id;
	}

	// Static initialisation runs on the thread that starts the program; the engine fixes the game
	// thread at the same point of its start-up.
	struct FGameThreadIdentity
	{
		FGameThreadIdentity()
		{
			GGameThreadId = GetCurrentThreadId();
			GIsGameThreadIdInitialized = true;
		}
	};
}

uint32 GGameThreadId = 0;
bool GIsGameThreadIdInitialized = false;

namespace
{
	const FGameThreadIdentity GGameThreadIdentity;
}

bool IsInGameThread()
{
	if (GIsGameThreadIdInitialized)
	{
		return GetCurrentThreadId() == GGameThreadId;
	}
	return true;
}
