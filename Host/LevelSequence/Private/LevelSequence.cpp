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
		// By possessable position, filled as resolutions find them: where its parent was found and
		// where its run of references starts and how long it is. Both are checked against the live
		// arrays on every use, so they only spare a hash probe into tables as large as the sequence.
		TArray<int32> ParentAt;
		TArray<int32> FirstReference;
		TArray<int32> ReferenceCount;
		const FMovieSceneBindingReferences* References = nullptr;
		// Callers mostly ask in sequence order, so the possessable after the last one found is tried
		// before the hash table. Only while every GUID was unique and the count is what was indexed:
		// otherwise that possessable might not be the first with its GUID.
		int32 IndexedCount = 0;
		bool bUnique = true;
		int32 LastFound = INDEX_NONE;

		void Rebuild(UMovieScene& InMovieScene)
		{
			MovieScene = &InMovieScene;
			const int32 Count = InMovieScene.GetPossessableCount();
			ParentAt.Init(INDEX_NONE, Count);
			FirstReference.Init(INDEX_NONE, Count);
			ReferenceCount.Init(0, Count);
			int32 Capacity = 16;
			while (Capacity < Count * 2)
			{
				Capacity *= 2;
			}
			Slots.Init(INDEX_NONE, Capacity);
			IndexedCount = Count;
			bUnique = true;
			LastFound = INDEX_NONE;
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
				else
				{
					bUnique = false;
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

	FPossessableIndex& GetPossessableIndex(UMovieScene& MovieScene)
	{
		static FPossessableIndex Index;
		if (Index.MovieScene != &MovieScene)
		{
			Index.Rebuild(MovieScene);
		}
		return Index;
	}

	// The position of the first possessable with that GUID, or INDEX_NONE.
	int32 FindPossessableIndexed(UMovieScene& MovieScene, const FGuid& Guid)
	{
		FPossessableIndex& Index = GetPossessableIndex(MovieScene);
		const int32 Count = MovieScene.GetPossessableCount();
		const int32 Next = Index.LastFound + 1;
		if (Index.bUnique && Index.IndexedCount == Count && Next < Count && MovieScene.GetPossessable(Next).GetGuid() == Guid)
		{
			Index.LastFound = Next;
			return Next;
		}
		const int32 Found = Index.Find(MovieScene, Guid);
		if (Found != INDEX_NONE && Found < Count && MovieScene.GetPossessable(Found).GetGuid() == Guid)
		{
			Index.LastFound = Found;
			return Found;
		}
		const FMovieScenePossessable* Scanned = MovieScene.FindPossessable(Guid);
		if (!Scanned)
		{
			return INDEX_NONE;
		}
		Index.Rebuild(MovieScene);
		return static_cast<int32>(Scanned - &MovieScene.GetPossessable(0));
	}

	// The parent of the possessable at Position (whose parent GUID is Parent), as FindPossessableIndexed
	// finds it.
	int32 FindParentIndexed(UMovieScene& MovieScene, int32 Position, const FGuid& Parent)
	{
		FPossessableIndex& Index = GetPossessableIndex(MovieScene);
		if (Position < Index.ParentAt.Num())
		{
			const int32 Known = Index.ParentAt[Position];
			if (Known != INDEX_NONE && Known < MovieScene.GetPossessableCount() && MovieScene.GetPossessable(Known).GetGuid() == Parent)
			{
				return Known;
			}
		}
		const int32 Found = FindPossessableIndexed(MovieScene, Parent);
		// Looked up again: finding the parent may have rebuilt the index.
		FPossessableIndex& Current = GetPossessableIndex(MovieScene);
		if (Position < Current.ParentAt.Num())
		{
			Current.ParentAt[Position] = Found;
		}
		return Found;
	}

	// The references of the binding, the possessable at Position (INDEX_NONE for none) when it has
	// that GUID. A remembered run is used only while it is still exactly the GUID's run of the sorted
	// references.
	TArrayView<const FMovieSceneBindingReference> GetReferencesIndexed(
		UMovieScene* MovieScene, const FMovieSceneBindingReferences& References, int32 Position, const FGuid& Guid)
	{
		if (!MovieScene || Position == INDEX_NONE)
		{
			return References.GetReferences(Guid);
		}
		FPossessableIndex& Index = GetPossessableIndex(*MovieScene);
		if (Index.References != &References)
		{
			Index.References = &References;
			Index.FirstReference.Init(INDEX_NONE, Index.FirstReference.Num());
		}
		const TArrayView<const FMovieSceneBindingReference> All = References.GetAllReferences();
		if (Position < Index.FirstReference.Num() && Index.FirstReference[Position] != INDEX_NONE)
		{
			const int32 First = Index.FirstReference[Position];
			const int32 End = First + Index.ReferenceCount[Position];
			if (End <= All.Num() && All[First].ID == Guid && All[End - 1].ID == Guid && (First == 0 || !(All[First - 1].ID == Guid))
				&& (End == All.Num() || !(All[End].ID == Guid)))
			{
				return TArrayView<const FMovieSceneBindingReference>(All.GetData() + First, End - First);
			}
		}
		const TArrayView<const FMovieSceneBindingReference> Found = References.GetReferences(Guid);
		if (Position < Index.FirstReference.Num() && Found.Num() > 0)
		{
			Index.FirstReference[Position] = static_cast<int32>(Found.GetData() - All.GetData());
			Index.ReferenceCount[Position] = Found.Num();
		}
		return Found;
	}
}

namespace
{
	// One resolution's chain (the binding, then its parents) and the objects of two levels.
	struct FResolveScratch
	{
		TArray<FGuid> Chain;
		// The possessable position of each chain entry (INDEX_NONE for a GUID that names none).
		TArray<int32> Positions;
		// Takes over from the chain as the loop check once chains grow long.
		TSet<FGuid> LongChain;
		TArray<const UObject*> Contexts;
		TArray<const UObject*> Resolved;
		bool bInUse = false;

		void ResetChain(const FGuid& ObjectId)
		{
			Chain.Reset();
			Chain.Add(ObjectId);
			Positions.Reset();
			Positions.Add(INDEX_NONE);
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
		UMovieScene* MovieScene = Sequence.GetMovieScene();
		if (MovieScene)
		{
			int32 Position = FindPossessableIndexed(*MovieScene, ObjectId);
			Scratch.Positions[0] = Position;
			while (Position != INDEX_NONE && MovieScene->GetPossessable(Position).GetParent().IsValid())
			{
				const FGuid Parent = MovieScene->GetPossessable(Position).GetParent();
				// A parent loop, a parent the host never spawns and a parent GUID that names nothing
				// all leave the child without a context.
				if (!Scratch.AddToChain(Parent) || MovieScene->FindSpawnable(Parent))
				{
					return;
				}
				Position = FindParentIndexed(*MovieScene, Position, Parent);
				if (Position == INDEX_NONE)
				{
					return;
				}
				Scratch.Positions.Add(Position);
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
				for (const FMovieSceneBindingReference& Reference : GetReferencesIndexed(MovieScene, References, Scratch.Positions[Level], Scratch.Chain[Level]))
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
			for (const FMovieSceneBindingReference& Reference : GetReferencesIndexed(MovieScene, References, Scratch.Positions[0], ObjectId))
			{
				if (UObject* Object = ResolveLocator(Reference.Locator, Outer))
				{
					OutObjects.Add(Object);
				}
			}
		}
	}
}
