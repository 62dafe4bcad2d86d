// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "UObject/ObjectMacros.h"

class UObject;

// The lowest layer of every object: its name, its outer and its entry in the object system.
// Objects are looked up by (outer, name), so a name is unique within its outer.
class UObjectBase
{
public:
	UObjectBase(const UObjectBase&) = delete;
	UObjectBase& operator=(const UObjectBase&) = delete;
	// Object memory comes from bins of one size each, packed in creation order, as the engine's
	// object allocator takes it from its binned allocator (Host/README.md).
	COREUOBJECT_API static void* operator new(size_t Size);
	COREUOBJECT_API static void operator delete(void* Memory, size_t Size);
	// Leaves the object system; objects still inside this one become nameless top-level objects.
	COREUOBJECT_API virtual ~UObjectBase();

	// The object's name within its outer.
	FName GetFName() const { return NamePrivate; }
	// The object this one lives in; null only for packages.
	UObject* GetOuter() const { return OuterPrivate; }

protected:
	// A new object is nameless and top-level until it is renamed into place.
	COREUOBJECT_API UObjectBase();

	// Changes name and outer (a null outer keeps the current one) without any uniqueness test.
	COREUOBJECT_API void LowLevelRename(FName NewName, UObject* NewOuter = nullptr);

private:
	FName NamePrivate;
	UObject* OuterPrivate = nullptr;
	// Creation order, which the host uses wherever the engine iterates objects in memory order.
	uint64 SerialNumber = 0;
};
