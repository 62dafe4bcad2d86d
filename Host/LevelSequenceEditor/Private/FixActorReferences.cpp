// Copyright Vantle contributors. All Rights Reserved.
#include "Engine/World.h"
#include "CoreGlobals.h"
#include "GameFramework/Actor.h"
#include "HostLevelSequence.h"
#include "HostLevelSequenceEditor.h"
#include "HostObjects.h"
#include "LevelSequence.h"
#include "LevelSequenceEditorBlueprintLibrary.h"
#include "LevelSequenceEditorSubsystem.h"
#include "MovieScene.h"

namespace
{
	int32 GCallCount = 0;
	int32 GReboundCount = 0;

	bool IsLive(const UObject* Object)
	{
		return IsValid(Object) && !Object->IsUnreachable();
	}
}

void ULevelSequenceEditorSubsystem::FixActorReferences()
{
	check(IsInGameThread());
	++GCallCount;
	ULevelSequence* Sequence = ULevelSequenceEditorBlueprintLibrary::GetFocusedLevelSequence();
	UWorld* World = UE::Host::GetSequencerPlaybackWorld();
	UMovieScene* MovieScene = Sequence ? Sequence->GetMovieScene() : nullptr;
	if (!Sequence || !World || !MovieScene)
	{
		return;
	}

	// Labels compare without regard to case (FString keys), and a later actor replaces an
	// earlier one with the same label. Actors being destroyed are skipped, as the actor iterator does.
	TMap<FString, AActor*> ActorsByLabel;
	for (UObject* Object : UE::Host::GetObjectsWithOuterInOrder(World))
	{
		AActor* Actor = dynamic_cast<AActor*>(Object);
		if (Actor && IsLive(Actor))
		{
			ActorsByLabel.Add(Actor->GetActorLabel(), Actor);
		}
	}

	TArray<FGuid> Broken;
	TArray<UObject*> Bound;
	for (int32 Index = 0; Index < MovieScene->GetPossessableCount(); ++Index)
	{
		const FMovieScenePossessable& Possessable = MovieScene->GetPossessable(Index);
		if (Possessable.GetParent().IsValid())
		{
			continue;
		}
		Bound.Reset();
		UE::Host::ResolveBinding(*Sequence, Possessable.GetGuid(), World, Bound);
		if (!Bound.ContainsByPredicate([](const UObject* Object) { return IsLive(Object); }))
		{
			Broken.Add(Possessable.GetGuid());
		}
	}

	FMovieSceneBindingReferences& References = UE::Host::GetStoredBindingReferences(*Sequence);
	for (const FGuid& Guid : Broken)
	{
		const FMovieScenePossessable* Possessable = MovieScene->FindPossessable(Guid);
		AActor* const* Actor = Possessable ? ActorsByLabel.Find(Possessable->GetName()) : nullptr;
		if (!Actor)
		{
			continue;
		}
		// Assigning the actor replaces whatever the binding held, a custom binding included. The
		// engine may give the binding a new GUID at this point; the host keeps it.
		References.RemoveBinding(Guid);
		References.AddBinding(Guid, FUniversalObjectLocator(*Actor, World));
		++GReboundCount;
	}
}

namespace UE::Host
{
	int32 GetFixActorReferencesCallCount()
	{
		return GCallCount;
	}

	int32 GetFixActorReferencesReboundCount()
	{
		return GReboundCount;
	}
}
