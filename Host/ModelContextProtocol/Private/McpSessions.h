// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/Array.h"
#include "Containers/UnrealString.h"
#include "HAL/CriticalSection.h"

// The sessions that "initialize" opened. Requests arrive in the HTTP server's game-thread tick;
// every operation locks all the same, so the count can be probed from anywhere. The number is
// capped; the oldest session gives way to a new one.
class FMcpSessions
{
public:
	static constexpr int32 MaxSessions = 64;

	// Opens a session and returns its id: 32 hexadecimal digits from the system's random source.
	FString Open();
	// True when the id names an open session; ids compare exactly.
	bool Contains(const FString& Id) const;
	// Closes the session; false when it was not open.
	bool Close(const FString& Id);
	int32 Num() const;

private:
	mutable FCriticalSection Lock;
	// Oldest first.
	TArray<FString> Ids;
};
