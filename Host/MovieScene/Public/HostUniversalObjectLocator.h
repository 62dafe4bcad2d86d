// Copyright Vantle contributors. All Rights Reserved.
// Host-only access to locators: scene files name objects by path, whether or not they exist.
// The plugin never includes this header.
#pragma once

#include "UniversalObjectLocator.h"

namespace UE::Host
{
	// A locator for the object at RelativePath below the resolve context ("Hero.Camera").
	MOVIESCENE_API FUniversalObjectLocator MakeLocatorFromPath(const FString& RelativePath);
	// The path the locator addresses below its context.
	MOVIESCENE_API const FString& GetLocatorPath(const FUniversalObjectLocator& Locator);
	// The object the locator addresses below Context, flagged or not; null when there is none.
	MOVIESCENE_API UObject* ResolveLocator(const FUniversalObjectLocator& Locator, const UObject* Context);
}
