// Copyright Vantle contributors. All Rights Reserved.
#include "MovieScene.h"

FMovieScenePossessable* UMovieScene::FindPossessable(const FGuid& Guid)
{
	return Possessables.FindByPredicate([&Guid](const FMovieScenePossessable& Possessable) { return Possessable.GetGuid() == Guid; });
}

void UMovieScene::AddPossessable(const FMovieScenePossessable& InNewPossessable, const FMovieSceneBinding& InNewBinding)
{
	Possessables.Add(InNewPossessable);
	ObjectBindings.Add(InNewBinding);
}

FGuid UMovieScene::AddPossessable(const FString& Name, UClass* Class)
{
	const FMovieScenePossessable Possessable(Name, Class);
	AddPossessable(Possessable, FMovieSceneBinding(Possessable.GetGuid()));
	return Possessable.GetGuid();
}

bool UMovieScene::RemovePossessable(const FGuid& PossessableGuid)
{
	const FMovieScenePossessable* Found = FindPossessable(PossessableGuid);
	if (!Found)
	{
		return false;
	}
	Possessables.RemoveAt(static_cast<int32>(Found - Possessables.GetData()));
	ObjectBindings.RemoveAll([&PossessableGuid](const FMovieSceneBinding& Binding) { return Binding.GetObjectGuid() == PossessableGuid; });
	return true;
}

FMovieSceneSpawnable* UMovieScene::FindSpawnable(const FGuid& Guid)
{
	return Spawnables.FindByPredicate([&Guid](const FMovieSceneSpawnable& Spawnable) { return Spawnable.GetGuid() == Guid; });
}

void UMovieScene::AddSpawnable(const FMovieSceneSpawnable& InNewSpawnable, const FMovieSceneBinding& InNewBinding)
{
	Spawnables.Add(InNewSpawnable);
	ObjectBindings.Add(InNewBinding);
}
