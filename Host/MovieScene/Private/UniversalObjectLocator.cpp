// Copyright Vantle contributors. All Rights Reserved.
#include "UniversalObjectLocator.h"

#include "HostObjects.h"
#include "HostUniversalObjectLocator.h"

namespace UE::Host
{
	struct FUniversalObjectLocatorAccess
	{
		static FString& Path(FUniversalObjectLocator& Locator) { return Locator.Path; }
		static const FString& Path(const FUniversalObjectLocator& Locator) { return Locator.Path; }
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
		return FindObjectByPath(Context, Path);
	}
}
