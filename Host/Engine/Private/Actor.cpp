// Copyright Vantle contributors. All Rights Reserved.
#include "GameFramework/Actor.h"

#include "EngineClasses.h"
#include "HostObjects.h"

const FString& AActor::GetActorLabel(bool bCreateIfNone) const
{
	if (ActorLabel.IsEmpty() && bCreateIfNone)
	{
		ActorLabel = GetName();
	}
	return ActorLabel;
}

void AActor::SetActorLabel(const FString& NewActorLabel, bool bMarkDirty)
{
	ActorLabel = NewActorLabel;
}

bool AActor::Destroy(bool bNetForce, bool bShouldModifyLevel)
{
	// The object stays in memory, flagged, as a destroyed actor does until garbage collection.
	MarkAsGarbage();
	for (UObject* Component : UE::Host::GetObjectsWithOuterInOrder(this))
	{
		Component->MarkAsGarbage();
	}
	return true;
}

UClass* AActor::StaticClass()
{
	return UE::Host::GetEngineClass(TEXT("Actor"));
}
