// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "UObject/Object.h"

class UClass;

// An object placed in a world; its components are the objects whose outer it is.
class AActor : public UObject
{
public:
	// The name the editor shows for the actor. With none set and bCreateIfNone, the object name
	// becomes the label.
	ENGINE_API const FString& GetActorLabel(bool bCreateIfNone = true) const;
	// Sets the name the editor shows; the object name stays as it is.
	ENGINE_API void SetActorLabel(const FString& NewActorLabel, bool bMarkDirty = true);
	// Removes the actor from its world: it and its components are flagged garbage at once. True
	// when the actor is (now) being destroyed.
	ENGINE_API bool Destroy(bool bNetForce = false, bool bShouldModifyLevel = true);
	// The class object of actors, named "Actor".
	static ENGINE_API UClass* StaticClass();

private:
	mutable FString ActorLabel;
};
