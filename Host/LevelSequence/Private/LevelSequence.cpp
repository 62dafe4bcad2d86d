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
	// a scan of every binding per step: open addressing over indices only, the GUIDs being read from
	// the movie scene itself. A hit is checked against the movie scene and a miss is confirmed by a
	// scan, so edits made behind the index's back never give a wrong answer.
	struct FPossessableIndex
	{
		const UMovieScene* MovieScene = nullptr;
		TArray<int32> Slots;

		void Rebuild(UMovieScene& InMovieScene)
		{
			MovieScene = &InMovieScene;
			const int32 Count = InMovieScene.GetPossessableCount();
			int32 Capacity = 16;
			while (Capacity < Count * 2)
			{
				Capacity *= 2;
			}
			Slots.Init(INDEX_NONE, Capacity);
			for (int32 Index = 0; Index < Count; ++Index)
			{
				const FGuid& Guid = InMovieScene.GetPossessable(Index).GetGuid();
				int32 Slot = GetTypeHash(Guid) & (Capacity - 1);
				while (Slots[Slot] != INDEX_NONE && !(InMovieScene.GetPossessable(Slots[Slot]).GetGuid() == Guid))
				{
					Slot = (Slot + 1) & (Capacity - 1);
				}
				// The first possessable of a GUID stays, as FindPossessable finds it.
				if (Slots[Slot] == INDEX_NONE)
				{
					Slots[Slot] = Index;
				}
			}
		}

		// The indexed position of the GUID (not yet checked against the movie scene), or INDEX_NONE.
		int32 Find(UMovieScene& InMovieScene, const FGuid& Guid) const
		{
			const int32 Mask = Slots.Num() - 1;
			const int32 Count = InMovieScene.GetPossessableCount();
			for (int32 Slot = GetTypeHash(Guid) & Mask; Slots[Slot] != INDEX_NONE; Slot = (Slot + 1) & Mask)
			{
				// A slot past the end means the movie scene shrank: the caller's check turns it down.
				if (Slots[Slot] >= Count || InMovieScene.GetPossessable(Slots[Slot]).GetGuid() == Guid)
				{
					return Slots[Slot];
				}
			}
			return INDEX_NONE;
		}
	};

	const FMovieScenePossessable* FindPossessableIndexed(UMovieScene& MovieScene, const FGuid& Guid)
	{
		static FPossessableIndex Index;
		if (Index.MovieScene != &MovieScene)
		{
			Index.Rebuild(MovieScene);
		}
		const int32 Found = Index.Find(MovieScene, Guid);
		if (Found != INDEX_NONE && Found < MovieScene.GetPossessableCount() && MovieScene.GetPossessable(Found).GetGuid() == Guid)
		{
			return &MovieScene.GetPossessable(Found);
		}
		const FMovieScenePossessable* Scanned = MovieScene.FindPossessable(Guid);
		if (Scanned)
		{
			Index.Rebuild(MovieScene);
		}
		return Scanned;
	}
}

namespace
{
	// One resolution's chain (the binding, then its parents) and the objects of two levels.
	struct FResolveScratch
	{
		TArray<FGuid> Chain;
		// Takes over from the chain as the loop check once chains grow long.
		TSet<FGuid> LongChain;
		TArray<const UObject*> Contexts;
		TArray<const UObject*> Resolved;
		bool bInUse = false;

		void ResetChain(const FGuid& ObjectId)
		{
			Chain.Reset();
			Chain.Add(ObjectId);
			if (!LongChain.IsEmpty())
			{
				LongChain.Reset();
			}
		}

		// Appends the GUID; false when it is in the chain already.
		bool AddToChain(const FGuid& Guid)
		{
			constexpr int32 ShortChain = 16;
			if (Chain.Num() < ShortChain)
			{
				if (Chain.Contains(Guid))
				{
					return false;
				}
			}
			else
			{
				if (LongChain.IsEmpty())
				{
					for (const FGuid& Seen : Chain)
					{
						LongChain.Add(Seen);
					}
				}
				bool bSeen = false;
				LongChain.Add(Guid, &bSeen);
				if (bSeen)
				{
					return false;
				}
			}
			Chain.Add(Guid);
			return true;
		}
	};
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

		// Scratch space kept between calls (game thread only), so a resolution allocates nothing once
		// warm. Nothing a resolution calls can resolve again; the check says so loudly if that changes.
		static FResolveScratch Scratch;
		check(!Scratch.bInUse);
		struct FInUse
		{
			bool& bInUse;
			~FInUse() { bInUse = false; }
		} InUse{Scratch.bInUse};
		Scratch.bInUse = true;

		// The binding and its parents, child first, up to a top-level binding. A GUID that names
		// no possessable (or a sequence without a movie scene) resolves against the context itself.
		Scratch.ResetChain(ObjectId);
		if (UMovieScene* MovieScene = Sequence.GetMovieScene())
		{
			const FMovieScenePossessable* Possessable = FindPossessableIndexed(*MovieScene, ObjectId);
			while (Possessable && Possessable->GetParent().IsValid())
			{
				const FGuid Parent = Possessable->GetParent();
				// A parent loop, a parent the host never spawns and a parent GUID that names nothing
				// all leave the child without a context.
				if (!Scratch.AddToChain(Parent) || MovieScene->FindSpawnable(Parent))
				{
					return;
				}
				Possessable = FindPossessableIndexed(*MovieScene, Parent);
				if (!Possessable)
				{
					return;
				}
			}
		}

		// Parents first: every level resolves inside each live object the level above resolved to.
		TArray<const UObject*>& Contexts = Scratch.Contexts;
		TArray<const UObject*>& Resolved = Scratch.Resolved;
		Contexts.Reset();
		Contexts.Add(Context);
		for (int32 Level = Scratch.Chain.Num() - 1; Level > 0; --Level)
		{
			Resolved.Reset();
			for (const UObject* Outer : Contexts)
			{
				for (const FMovieSceneBindingReference& Reference : References.GetReferences(Scratch.Chain[Level]))
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
			std::swap(Contexts, Resolved);
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
