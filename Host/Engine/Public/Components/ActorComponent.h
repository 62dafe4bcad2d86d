// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "UObject/Object.h"

class AActor;

// A part of an actor (mesh, camera ...), living inside it.
class UActorComponent : public UObject
{
public:
	// The actor the component belongs to: the nearest actor among its outers; null if none.
	ENGINE_API AActor* GetOwner() const;
};
