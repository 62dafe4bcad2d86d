// Copyright 2026 Vantle contributors. All Rights Reserved.
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"

#include <vector>

namespace UE::Host
{
	void PlaceNewObject(UObject& Object, UObject* Outer, FName Name, const TCHAR* Base)
	{
		UObject* Target = Outer ? Outer : GetTransientPackage();
		if (Name.IsNone())
		{
			for (int32 Suffix = 0;; ++Suffix)
			{
				const FString Candidate = FString::Printf(TEXT("%s_%d"), Base, Suffix);
				if (Object.Rename(*Candidate, Target, REN_Test))
				{
					Name = FName(Candidate);
					break;
				}
			}
		}
		const FString Text = Name.ToString();
		const bool bPlaced = Object.Rename(*Text, Target);
		checkf(bPlaced, TEXT("NewObject: an object named %s already exists in %s"), *Text, *Target->GetPathName());
	}

	void KeepAlive(UObject* Object)
	{
		// Reachable from here for the whole run, so leak checkers do not count it.
		static std::vector<UObject*>* Objects = new std::vector<UObject*>();
		Objects->push_back(Object);
	}
}

UPackage* GetTransientPackage()
{
	static UPackage* Package = []
	{
		UPackage* Created = new UPackage();
		Created->Rename(TEXT("/Engine/Transient"));
		return Created;
	}();
	return Package;
}
