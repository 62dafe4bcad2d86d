// Copyright Vantle contributors. All Rights Reserved.
#include "MovieScenePossessable.h"

FMovieScenePossessable::FMovieScenePossessable(const FString& InitName, UClass* InitPossessedObjectClass)
	: Guid(FGuid::NewGuid()), Name(InitName)
{
}
