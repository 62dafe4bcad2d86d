// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/UnrealString.h"

enum EName
{
	NAME_None = 0,
};

// Interned, case-insensitive name. Comparison is one integer compare; creating a name looks it
// up in the global name table.
class FName
{
public:
	FName() = default;
	FName(EName) {}
	FName(const TCHAR* Name);
	FName(const FString& Name) : FName(*Name) {}
	FName(const ANSICHAR* Name) : FName(FString(Name)) {}

	FString ToString() const;
	void ToString(FString& Out) const { Out = ToString(); }
	bool IsNone() const { return ComparisonIndex == 0; }
	bool IsValid() const { return true; }
	uint32 GetComparisonIndex() const { return ComparisonIndex; }

	bool operator==(const FName& Other) const { return ComparisonIndex == Other.ComparisonIndex; }
	bool operator!=(const FName& Other) const { return ComparisonIndex != Other.ComparisonIndex; }
	bool operator==(EName Other) const { return Other == NAME_None ? IsNone() : false; }
	friend uint32 GetTypeHash(const FName& Name) { return Name.ComparisonIndex * 2654435761u; }

private:
	uint32 ComparisonIndex = 0;
	uint32 DisplayIndex = 0;
};
