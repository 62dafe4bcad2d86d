// Copyright Vantle contributors. All Rights Reserved.
#include "Components/ActorComponent.h"

#include "GameFramework/Actor.h"

AActor* UActorComponent::GetOwner() const
{
	for (UObject* Outer = GetOuter(); Outer; Outer = Outer->GetOuter())
	{
		if (AActor* Actor = dynamic_cast<AActor*>(Outer))
		{
			return Actor;
		}
	}
	return nullptr;
}
