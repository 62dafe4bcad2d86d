// Copyright Vantle contributors. All Rights Reserved.
#include "UObject/Object.h"
#include "UObject/Package.h"

namespace
{
	bool IsPackage(const UObject* Object)
	{
		return dynamic_cast<const UPackage*>(Object) != nullptr;
	}

	void AppendPathName(const UObjectBaseUtility* Object, const UObject* StopOuter, FString& Result)
	{
		const UObject* Outer = Object->GetOuter();
		if (Outer && Outer != StopOuter)
		{
			AppendPathName(Outer, StopOuter, Result);
			if (IsPackage(Outer) && Result.EndsWith(TEXT("/")))
			{
				// A folder package: the object's name continues the folder path.
			}
			else if (!IsPackage(Outer) && Outer->GetOuter() && IsPackage(Outer->GetOuter()))
			{
				Result += u':';
			}
			else
			{
				Result += u'.';
			}
		}
		Result += Object->GetFName().ToString();
	}
}

FString UObjectBaseUtility::GetName() const
{
	return GetFName().ToString();
}

FString UObjectBaseUtility::GetPathName(const UObject* StopOuter) const
{
	if (static_cast<const UObjectBase*>(this) == static_cast<const UObjectBase*>(StopOuter))
	{
		return FString(TEXT("None"));
	}
	FString Result;
	AppendPathName(this, StopOuter, Result);
	return Result;
}
