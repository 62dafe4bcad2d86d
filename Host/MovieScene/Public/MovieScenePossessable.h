// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"

class UClass;
class UMovieScene;

// A binding slot for an object that already exists (an actor of the level, a component of it).
struct FMovieScenePossessable
{
	FMovieScenePossessable() = default;
	// A new slot with a fresh GUID.
	MOVIESCENE_API FMovieScenePossessable(const FString& InitName, UClass* InitPossessedObjectClass);

	// The binding's identifier.
	const FGuid& GetGuid() const { return Guid; }
	// Replaces the identifier.
	void SetGuid(const FGuid& InGuid) { Guid = InGuid; }
	// The name stored in the binding (what Sequencer shows, normally the actor label).
	const FString& GetName() const { return Name; }
	// Replaces the stored name.
	void SetName(const FString& InName) { Name = InName; }
	// The binding this one lives under (a component's actor); the zero GUID at the top level.
	const FGuid& GetParent() const { return ParentGuid; }
	// Moves the binding under another one of the same movie scene.
	void SetParent(const FGuid& InParentGuid, UMovieScene* Owner) { ParentGuid = InParentGuid; }

private:
	FGuid Guid;
	FString Name;
	FGuid ParentGuid;
};
