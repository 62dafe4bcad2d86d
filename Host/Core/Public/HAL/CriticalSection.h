// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HAL/Platform.h"

#include <mutex>

// Recursive, as the engine's pthread critical section is.
class FCriticalSection
{
public:
	FCriticalSection() = default;
	FCriticalSection(const FCriticalSection&) = delete;
	FCriticalSection& operator=(const FCriticalSection&) = delete;

	void Lock() { Mutex.lock(); }
	void Unlock() { Mutex.unlock(); }

private:
	std::recursive_mutex Mutex;
};
