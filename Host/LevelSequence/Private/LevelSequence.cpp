// Copyright Vantle contributors. All Rights Reserved.
#include "LevelSequence.h"

#include "HostLevelSequence.h"
#include "HostUniversalObjectLocator.h"
#include "MovieScene.h"
#include "MovieSceneSpawnable.h"
#include "UObject/UObjectGlobals.h"

#include <utility>

namespace UE::Host
{
	struct FLevelSequenceAccess
	{
		static FMovieSceneBindingReferences& Stored(ULevelSequence& Sequence) { return Sequence.BindingReferences; }
		static const FMovieSceneBindingReferences& Stored(const ULevelSequence& Sequence) { return Sequence.BindingReferences; }
		static void SetExposes(ULevelSequence& Sequence, bool bExposes) { Sequence.bExposesBindingReferences = bExposes; }
	};
}

UMovieScene* ULevelSequence::GetMovieScene() const
{
	return MovieScene.Get();
}

const FMovieSceneBindingReferences* ULevelSequence::GetBindingReferences() const
{
	return bExposesBindingReferences ? &BindingReferences : nullptr;
}

void ULevelSequence::Initialize()
{
	MovieScene = NewObject<UMovieScene>(this, NAME_None, RF_Transactional);
}

void ULevelSequence::BindPossessableObject(const FGuid& ObjectId, UObject& PossessedObject, UObject* Context)
{
	BindingReferences.AddBinding(ObjectId, FUniversalObjectLocator(&PossessedObject, Context));
}

namespace
{
	// Possessable GUID -> index for the movie scene asked about last, so that a parent walk is not
	// a scan of every binding per step. A hit is checked against the movie scene and a miss is
	// confirmed by a scan, so edits made behind the index's back never give a wrong answer.
	struct FPossessableIndex
	{
		const UMovieScene* MovieScene = nullptr;
		TMap<FGuid, int32> Indices;

		void Rebuild(UMovieScene& InMovieScene)
		{
			MovieScene = &InMovieScene;
			Indices.Reset();
			for (int32 Index = InMovieScene.GetPossessableCount() - 1; Index >= 0; --Index)
			{
				// Walking backwards leaves the first possessable of a GUID in the map, as FindPossessable finds it.
				Indices.Add(InMovieScene.GetPossessable(Index).GetGuid(), Index);
			}
		}
	};

	const FMovieScenePossessable* FindPossessableIndexed(UMovieScene& MovieScene, const FGuid& Guid)
	{
		static FPossessableIndex Index;
		if (Index.MovieScene != &MovieScene)
		{
			Index.Rebuild(MovieScene);
		}
		if (const int32* Found = Index.Indices.Find(Guid))
		{
			if (*Found < MovieScene.GetPossessableCount() && MovieScene.GetPossessable(*Found).GetGuid() == Guid)
			{
				return &MovieScene.GetPossessable(*Found);
			}
		}
		const FMovieScenePossessable* Scanned = MovieScene.FindPossessable(Guid);
		if (Scanned)
		{
			Index.Rebuild(MovieScene);
		}
		return Scanned;
	}
}

namespace UE::Host
{
	FMovieSceneBindingReferences& GetStoredBindingReferences(ULevelSequence& Sequence)
	{
		return FLevelSequenceAccess::Stored(Sequence);
	}

	const FMovieSceneBindingReferences& GetStoredBindingReferences(const ULevelSequence& Sequence)
	{
		return FLevelSequenceAccess::Stored(Sequence);
	}

	void SetExposesBindingReferences(ULevelSequence& Sequence, bool bExposes)
	{
		FLevelSequenceAccess::SetExposes(Sequence, bExposes);
	}

	void ResolveBinding(const ULevelSequence& Sequence, const FGuid& ObjectId, const UObject* Context, TArray<UObject*>& OutObjects)
	{
		if (!Context)
		{
			return;
		}
		const FMovieSceneBindingReferences& References = FLevelSequenceAccess::Stored(Sequence);

		// The binding and its parents, child first, up to a top-level binding. A GUID that names
		// no possessable (or a sequence without a movie scene) resolves against the context itself.
		TArray<FGuid> Chain;
		Chain.Add(ObjectId);
		if (UMovieScene* MovieScene = Sequence.GetMovieScene())
		{
			TSet<FGuid> Seen;
			Seen.Add(ObjectId);
			const FMovieScenePossessable* Possessable = FindPossessableIndexed(*MovieScene, ObjectId);
			while (Possessable && Possessable->GetParent().IsValid())
			{
				const FGuid Parent = Possessable->GetParent();
				bool bSeen = false;
				Seen.Add(Parent, &bSeen);
				// A parent loop, a parent the host never spawns and a parent GUID that names nothing
				// all leave the child without a context.
				if (bSeen || MovieScene->FindSpawnable(Parent))
				{
					return;
				}
				Possessable = FindPossessableIndexed(*MovieScene, Parent);
				if (!Possessable)
				{
					return;
				}
				Chain.Add(Parent);
			}
		}

		// Parents first: every level resolves inside each live object the level above resolved to.
		TArray<const UObject*> Contexts;
		Contexts.Add(Context);
		for (int32 Level = Chain.Num() - 1; Level > 0; --Level)
		{
			TArray<const UObject*> Resolved;
			for (const UObject* Outer : Contexts)
			{
				for (const FMovieSceneBindingReference& Reference : References.GetReferences(Chain[Level]))
				{
					UObject* Object = ResolveLocator(Reference.Locator, Outer);
					if (Object && IsValid(Object) && !Object->IsUnreachable())
					{
						Resolved.AddUnique(Object);
					}
				}
			}
			if (Resolved.IsEmpty())
			{
				return;
			}
			Contexts = std::move(Resolved);
		}
		for (const UObject* Outer : Contexts)
		{
			for (const FMovieSceneBindingReference& Reference : References.GetReferences(ObjectId))
			{
				if (UObject* Object = ResolveLocator(Reference.Locator, Outer))
				{
					OutObjects.Add(Object);
				}
			}
		}
	}
}
