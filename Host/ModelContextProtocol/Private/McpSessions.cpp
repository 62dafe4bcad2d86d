// Copyright Vantle contributors. All Rights Reserved.
#include "McpSessions.h"

#include "Misc/ScopeLock.h"

#include <random>

namespace
{
	// Session ids guard the tools, so they come from the system's random source rather than a
	// seeded generator that another session's id could help predict.
	FString MakeSessionId()
	{
		std::random_device Source;
		return FString::Printf(TEXT("%08X%08X%08X%08X"), Source(), Source(), Source(), Source());
	}

	int32 FindExact(const TArray<FString>& Ids, const FString& Id)
	{
		for (int32 Index = 0; Index < Ids.Num(); ++Index)
		{
			if (Ids[Index].Equals(Id, ESearchCase::CaseSensitive))
			{
				return Index;
			}
		}
		return INDEX_NONE;
	}
}

FString FMcpSessions::Open()
{
	const FString Id = MakeSessionId();
	FScopeLock Guard(&Lock);
	if (Ids.Num() >= MaxSessions)
	{
		Ids.RemoveAt(0);
	}
	Ids.Add(Id);
	return Id;
}

bool FMcpSessions::Contains(const FString& Id) const
{
	FScopeLock Guard(&Lock);
	return FindExact(Ids, Id) != INDEX_NONE;
}

bool FMcpSessions::Close(const FString& Id)
{
	FScopeLock Guard(&Lock);
	const int32 Index = FindExact(Ids, Id);
	if (Index == INDEX_NONE)
	{
		return false;
	}
	Ids.RemoveAt(Index);
	return true;
}

int32 FMcpSessions::Num() const
{
	FScopeLock Guard(&Lock);
	return Ids.Num();
}
