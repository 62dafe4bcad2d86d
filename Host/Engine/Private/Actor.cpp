// Copyright Vantle contributors. All Rights Reserved.
#include "GameFramework/Actor.h"

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
