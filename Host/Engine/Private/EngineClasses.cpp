// Copyright 2026 Vantle contributors. All Rights Reserved.
#include "EngineClasses.h"

#include "Components/SceneComponent.h"
#include "Engine/World.h"
#include "GameFramework/Actor.h"
#include "HostObjects.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"

namespace UE::Host
{
	UClass* GetEngineClass(const TCHAR* Name)
	{
		static UPackage* Package = []
		{
			UPackage* Created = new UPackage();
			Created->Rename(TEXT("/Script/Engine"));
			return Created;
		}();
		if (UClass* Found = dynamic_cast<UClass*>(FindObjectByPath(Package, Name)))
		{
			return Found;
		}
		UClass* Created = new UClass();
		Created->Rename(Name, Package);
		return Created;
	}

	void PlaceSpawnedActor(UWorld& World, AActor& Actor, FName Name, const TCHAR* Base)
	{
		PlaceNewObject(Actor, &World, Name, Base);
		KeepAlive(&Actor);
	}
}

UClass* USceneComponent::StaticClass()
{
	return UE::Host::GetEngineClass(TEXT("SceneComponent"));
}
