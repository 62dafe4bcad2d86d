// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "UObject/Object.h"

// An object placed in a world; its components are the objects whose outer it is.
class AActor : public UObject
{
public:
	// The name the editor shows for the actor. With none set and bCreateIfNone, the object name
	// becomes the label.
	ENGINE_API const FString& GetActorLabel(bool bCreateIfNone = true) const;
	// Sets the name the editor shows; the object name stays as it is.
	ENGINE_API void SetActorLabel(const FString& NewActorLabel, bool bMarkDirty = true);

private:
	mutable FString ActorLabel;
};
