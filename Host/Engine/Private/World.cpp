// Copyright Vantle contributors. All Rights Reserved.
#include "Engine/World.h"

#include "UObject/Package.h"

FString UWorld::GetMapName() const
{
	// The engine reports the short name of the world's package; a world without one is its own map.
	const UObject* Outermost = this;
	while (Outermost->GetOuter())
	{
		Outermost = Outermost->GetOuter();
	}
	if (Outermost != this && dynamic_cast<const UPackage*>(Outermost))
	{
		const FString PackageName = Outermost->GetName();
		int32 Slash = INDEX_NONE;
		return PackageName.FindLastChar(u'/', Slash) ? PackageName.RightChop(Slash + 1) : PackageName;
	}
	return GetName();
}
