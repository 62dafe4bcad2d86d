// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HAL/CriticalSection.h"

class FScopeLock
{
public:
	FScopeLock(std::nullptr_t) = delete;
	[[nodiscard]] explicit FScopeLock(FCriticalSection* InSyncObject) : SyncObject(InSyncObject)
	{
		check(SyncObject);
		SyncObject->Lock();
	}
	~FScopeLock() { Unlock(); }
	FScopeLock(const FScopeLock&) = delete;
	FScopeLock& operator=(const FScopeLock&) = delete;

	void Unlock()
	{
		if (SyncObject)
		{
			SyncObject->Unlock();
			SyncObject = nullptr;
		}
	}

private:
	FCriticalSection* SyncObject;
};
