// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"

#ifndef UNIVERSALOBJECTLOCATOR_API
#define UNIVERSALOBJECTLOCATOR_API
#endif

class UObject;

namespace UE::Host
{
	struct FUniversalObjectLocatorAccess;
}

// How a locator may resolve (load, unload ...); the host resolves objects in memory only.
enum class ELocatorResolveFlags : uint8
{
	None = 0,
};

// Addresses an object relative to a context (an actor relative to its world) so that it can be
// found again later.
struct FUniversalObjectLocator
{
	FUniversalObjectLocator() = default;
	// A locator for Object: its path below Context when Context is one of its outers, its full
	// path otherwise.
	UNIVERSALOBJECTLOCATOR_API explicit FUniversalObjectLocator(UObject* Object, UObject* Context = nullptr, UObject* StopAtContext = nullptr);

	// True when the locator addresses nothing.
	bool IsEmpty() const { return Path.IsEmpty(); }
	// Makes the locator address nothing.
	void Reset()
	{
		Path.Empty();
		CachedGeneration = 0;
	}

private:
	friend struct UE::Host::FUniversalObjectLocatorAccess;

	FString Path;
	// The last resolution, valid while the context and the object registry are unchanged.
	mutable const UObject* CachedContext = nullptr;
	mutable UObject* CachedObject = nullptr;
	mutable uint64 CachedGeneration = 0;
};
