// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "UObject/ObjectMacros.h"
#include "UObject/UObjectBaseUtility.h"

// The base class of every engine object.
class UObject : public UObjectBaseUtility
{
public:
	UObject() = default;

	// Gives the object a new name and/or outer (null keeps the current one). False, changing
	// nothing, when another object of that outer already has the name or the outer lies inside
	// this object; REN_Test only asks.
	COREUOBJECT_API virtual bool Rename(const TCHAR* NewName = nullptr, UObject* NewOuter = nullptr, ERenameFlags Flags = REN_None);
};

// True for a non-null object that is not flagged as garbage.
inline bool IsValid(const UObject* Test)
{
	return Test && !Test->HasAnyInternalFlags(EInternalObjectFlags::Garbage);
}
