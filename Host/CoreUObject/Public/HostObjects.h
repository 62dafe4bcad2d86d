// Copyright Vantle contributors. All Rights Reserved.
// Host-only queries of the object system, for the host's own modules, the headless editor and
// the tests. The plugin never includes this header.
#pragma once

#include "UObject/Object.h"

namespace UE::Host
{
	// The object at Path below Outer, one object name per level separated by '.' or ':'
	// ("Hero.Camera" below a world). With a null outer the path starts with a package name.
	// Names compare without regard to case, as object names do. Null when nothing is there.
	COREUOBJECT_API UObject* FindObjectByPath(const UObject* Outer, FStringView Path);
	// The objects directly inside Outer (the top-level objects for null), in creation order.
	COREUOBJECT_API TArray<UObject*> GetObjectsWithOuterInOrder(const UObject* Outer);
	// Objects in existence, so tests can check that tearing something down freed everything.
	COREUOBJECT_API int32 GetObjectCount();
	// Changes whenever an object is created, destroyed or renamed: a cached lookup by path stays
	// right while it is unchanged.
	COREUOBJECT_API uint64 GetObjectRegistryGeneration();
}
