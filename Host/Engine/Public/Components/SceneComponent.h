// Copyright 2026 Vantle contributors. All Rights Reserved.
#pragma once

#include "Components/ActorComponent.h"

class UClass;

// A component with a place in its actor's transform hierarchy (cameras, meshes ...).
class USceneComponent : public UActorComponent
{
public:
	// The class object of scene components, named "SceneComponent".
	static ENGINE_API UClass* StaticClass();
};
