// Copyright Vantle contributors. All Rights Reserved.
#include "UniversalObjectLocator.h"

#include "HostObjects.h"
#include "HostUniversalObjectLocator.h"

namespace UE::Host
{
	struct FUniversalObjectLocatorAccess
	{
		static FString& Path(FUniversalObjectLocator& Locator)
		{
			Locator.CachedGeneration = 0;
			return Locator.Path;
		}
		static const FString& Path(const FUniversalObjectLocator& Locator) { return Locator.Path; }

		// The engine's Sequencer keeps resolved bindings in its object cache; this is the host's.
		static UObject* ResolveCached(const FUniversalObjectLocator& Locator, const UObject* Context)
		{
			const uint64 Generation = GetObjectRegistryGeneration();
			if (Locator.CachedGeneration != Generation || Locator.CachedContext != Context)
			{
				Locator.CachedObject = FindObjectByPath(Context, Locator.Path);
				Locator.CachedContext = Context;
				Locator.CachedGeneration = Generation;
			}
			return Locator.CachedObject;
		}
	};
}

FUniversalObjectLocator::FUniversalObjectLocator(UObject* Object, UObject* Context, UObject* StopAtContext)
{
	if (!Object)
	{
		return;
	}
	bool bContextIsOuter = false;
	for (const UObject* Outer = Object->GetOuter(); Outer && Context; Outer = Outer->GetOuter())
	{
		if (Outer == Context)
		{
			bContextIsOuter = true;
			break;
		}
	}
	Path = Object->GetPathName(bContextIsOuter ? Context : nullptr);
}

namespace UE::Host
{
	FUniversalObjectLocator MakeLocatorFromPath(const FString& RelativePath)
	{
		FUniversalObjectLocator Locator;
		FUniversalObjectLocatorAccess::Path(Locator) = RelativePath;
		return Locator;
	}

	const FString& GetLocatorPath(const FUniversalObjectLocator& Locator)
	{
		return FUniversalObjectLocatorAccess::Path(Locator);
	}

	UObject* ResolveLocator(const FUniversalObjectLocator& Locator, const UObject* Context)
	{
		const FString& Path = FUniversalObjectLocatorAccess::Path(Locator);
		if (Path.IsEmpty())
		{
			return nullptr;
		}
		return FUniversalObjectLocatorAccess::ResolveCached(Locator, Context);
	}
}
