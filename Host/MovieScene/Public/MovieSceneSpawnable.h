// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"

// A binding slot for an object the sequence spawns itself while it plays.
struct FMovieSceneSpawnable
{
	FMovieSceneSpawnable() = default;

	// The binding's identifier.
	const FGuid& GetGuid() const { return Guid; }
	// Replaces the identifier.
	void SetGuid(const FGuid& InGuid) { Guid = InGuid; }
	// The spawnable's display name.
	const FString& GetName() const { return Name; }
	// Replaces the display name.
	void SetName(const FString& InName) { Name = InName; }

private:
	FGuid Guid;
	FString Name;
};
