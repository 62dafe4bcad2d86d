// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "UObject/UObjectBase.h"

// Name, path and flag helpers shared by every object.
class UObjectBaseUtility : public UObjectBase
{
public:
	// Adds internal flags; the object system keeps them, so this works on const objects too.
	void SetInternalFlags(EInternalObjectFlags FlagsToSet) const { InternalFlags |= FlagsToSet; }
	// Removes internal flags.
	void ClearInternalFlags(EInternalObjectFlags FlagsToClear) const { InternalFlags &= ~FlagsToClear; }
	// True when any of the given internal flags is set.
	bool HasAnyInternalFlags(EInternalObjectFlags FlagsToCheck) const { return (InternalFlags & FlagsToCheck) != EInternalObjectFlags::None; }
	// Flags the object as garbage: it still exists but IsValid no longer accepts it.
	void MarkAsGarbage() { SetInternalFlags(EInternalObjectFlags::Garbage); }
	// Takes the garbage flag away again.
	void ClearGarbage() { ClearInternalFlags(EInternalObjectFlags::Garbage); }
	// True once garbage collection found nothing referencing the object.
	bool IsUnreachable() const { return HasAnyInternalFlags(EInternalObjectFlags::Unreachable); }

	// The object's name, without outers ("None" for a nameless object).
	COREUOBJECT_API FString GetName() const;
	// Outer names joined by '.', or ':' after the first object below a package
	// ("/Game/Cinematics/Intro.Intro"); relative to StopOuter when that is one of the outers.
	COREUOBJECT_API FString GetPathName(const UObject* StopOuter = nullptr) const;

private:
	mutable EInternalObjectFlags InternalFlags = EInternalObjectFlags::None;
};
