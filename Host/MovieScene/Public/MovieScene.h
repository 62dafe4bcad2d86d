// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "MovieSceneBinding.h"
#include "MovieScenePossessable.h"
#include "MovieSceneSpawnable.h"
#include "UObject/Object.h"

// The content of a sequence: its possessable and spawnable bindings (the host keeps no tracks).
class UMovieScene : public UObject
{
public:
	// Number of possessables.
	int32 GetPossessableCount() const { return Possessables.Num(); }
	// The possessable at Index; asserts on a bad index.
	FMovieScenePossessable& GetPossessable(const int32 Index) { return Possessables[Index]; }
	// The possessable with that GUID, by a linear search; null when none has it.
	MOVIESCENE_API FMovieScenePossessable* FindPossessable(const FGuid& Guid);
	// Appends a possessable together with its object binding.
	MOVIESCENE_API void AddPossessable(const FMovieScenePossessable& InNewPossessable, const FMovieSceneBinding& InNewBinding);
	// Appends a new top-level possessable with a fresh GUID, bound to nothing yet; returns the GUID.
	MOVIESCENE_API FGuid AddPossessable(const FString& Name, UClass* Class);
	// Removes the possessable with that GUID and its object binding, moving later ones down; false
	// when none has it.
	MOVIESCENE_API bool RemovePossessable(const FGuid& PossessableGuid);

	// Number of spawnables.
	int32 GetSpawnableCount() const { return Spawnables.Num(); }
	// The spawnable at Index; asserts on a bad index.
	FMovieSceneSpawnable& GetSpawnable(int32 Index) { return Spawnables[Index]; }
	// The spawnable with that GUID, by a linear search; null when none has it.
	MOVIESCENE_API FMovieSceneSpawnable* FindSpawnable(const FGuid& Guid);
	// Appends a spawnable together with its object binding.
	MOVIESCENE_API void AddSpawnable(const FMovieSceneSpawnable& InNewSpawnable, const FMovieSceneBinding& InNewBinding);

private:
	TArray<FMovieScenePossessable> Possessables;
	TArray<FMovieSceneSpawnable> Spawnables;
	TArray<FMovieSceneBinding> ObjectBindings;
};
