// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/Array.h"
#include "Containers/Map.h"
#include "Containers/UnrealString.h"

// Header fields in arrival order; names compare without regard to case.
class FHttpHeaders
{
public:
	// Replaces the value of a header of the same name, or adds it.
	void Set(const FString& Name, const FString& Value)
	{
		if (TPair<FString, FString>* Existing = FindPair(Name))
		{
			Existing->Value = Value;
			return;
		}
		Fields.Add(TPair<FString, FString>{Name, Value});
	}

	// Joins a repeated header's values with ", ", as HTTP allows.
	void Merge(const FString& Name, const FString& Value)
	{
		if (TPair<FString, FString>* Existing = FindPair(Name))
		{
			Existing->Value += TEXT(", ");
			Existing->Value += Value;
			return;
		}
		Fields.Add(TPair<FString, FString>{Name, Value});
	}

	FString Get(const FString& Name) const
	{
		const TPair<FString, FString>* Pair = Fields.FindByPredicate([&Name](const TPair<FString, FString>& Field) { return Field.Key == Name; });
		return Pair ? Pair->Value : FString();
	}

	bool Contains(const FString& Name) const
	{
		return Fields.ContainsByPredicate([&Name](const TPair<FString, FString>& Field) { return Field.Key == Name; });
	}

	const TArray<TPair<FString, FString>>& GetFields() const { return Fields; }
	void Reset() { Fields.Reset(); }

private:
	TPair<FString, FString>* FindPair(const FString& Name)
	{
		return Fields.FindByPredicate([&Name](const TPair<FString, FString>& Field) { return Field.Key == Name; });
	}

	TArray<TPair<FString, FString>> Fields;
};
