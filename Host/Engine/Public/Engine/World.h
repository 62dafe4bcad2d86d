// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "UObject/Class.h"
#include "UObject/Object.h"
#include "UObject/UObjectGlobals.h"

class AActor;
class UWorld;

// How SpawnActor creates an actor (the host reads only the name).
struct FActorSpawnParameters
{
	// The actor's object name; NAME_None: the class name with the first free "_N" suffix.
	FName Name;
	// RF_Transient: never saved with the level.
	EObjectFlags ObjectFlags = RF_NoFlags;
};

namespace UE::Host
{
	// Names the new actor and places it in World.
	ENGINE_API void PlaceSpawnedActor(UWorld& World, AActor& Actor, FName Name, const TCHAR* Base);
}

// A map loaded into memory; its actors are the objects whose outer it is.
class UWorld : public UObject
{
public:
	// The short name of the map ("Arena"); a play-in-editor world keeps its "UEDPIE_N_" prefix.
	ENGINE_API FString GetMapName() const;

	// Creates an actor of class T in this world.
	template <class T>
	T* SpawnActor(const FActorSpawnParameters& SpawnParameters = FActorSpawnParameters())
	{
		T* Actor = new T();
		UE::Host::PlaceSpawnedActor(*this, *Actor, SpawnParameters.Name, *T::StaticClass()->GetName());
		return Actor;
	}
};
