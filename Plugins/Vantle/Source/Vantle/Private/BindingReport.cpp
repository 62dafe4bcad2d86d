// Copyright 2026 Vantle contributors. All Rights Reserved.
#include "BindingReport.h"

#include "Bindings/MovieSceneCustomBinding.h"
#include "Editor.h"
#include "Editor/EditorEngine.h"
#include "Engine/Engine.h"
#include "Engine/World.h"
#include "LevelSequence.h"
#include "LevelSequenceEditorBlueprintLibrary.h"
#include "Misc/Guid.h"
#include "MovieScene.h"
#include "MovieSceneBindingReferences.h"
#include "MovieSceneObjectBindingID.h"
#include "MovieScenePossessable.h"
#include "MovieSceneSequenceID.h"
#include "MovieSceneSpawnable.h"
#include "UObject/Object.h"
#include "UObject/ObjectPtr.h"

namespace
{
	// GUIDs seen on one parent walk. Chains are short, so a flat list usually suffices; a set takes
	// over for long chains so that a pathological sequence does not turn the walk cubic.
	class FVisitedGuids
	{
	public:
		void Reset()
		{
			Recent.Reset();
			if (!Overflow.IsEmpty())
			{
				Overflow.Reset();
			}
		}

		// Adds the GUID; false when it was already there.
		bool Add(const FGuid& Guid)
		{
			if (Overflow.Num() > 0)
			{
				bool bAlreadyThere = false;
				Overflow.Add(Guid, &bAlreadyThere);
				return !bAlreadyThere;
			}
			if (Recent.Contains(Guid))
			{
				return false;
			}
			Recent.Add(Guid);
			if (Recent.Num() > 16)
			{
				for (const FGuid& Seen : Recent)
				{
					Overflow.Add(Seen);
				}
			}
			return true;
		}

	private:
		TArray<FGuid> Recent;
		TSet<FGuid> Overflow;
	};

	// Two bits per GUID, both in one 64-bit word, in a table of sixteen bits per entry: a GUID
	// never added is turned away by one read of a table an eighth the size of the GUIDs themselves.
	class FGuidBits
	{
	public:
		void Reset(int32 Entries)
		{
			uint32 Count = 16;
			while (Count < (1u << 25) && uint64(Count) * 64 < uint64(Entries) * 16)
			{
				Count *= 2;
			}
			WordMask = Count - 1;
			Words.Init(0, static_cast<int32>(Count));
		}

		// Sets the bits of the GUID with that hash; true when both were set already (the GUID may
		// have been added).
		bool TestAndSet(uint32 Hash)
		{
			uint64& Word = Words[static_cast<int32>(Hash & WordMask)];
			const uint64 Bits = BitsOf(Hash);
			const bool bWasSet = (Word & Bits) == Bits;
			Word |= Bits;
			return bWasSet;
		}

		bool MayContain(uint32 Hash) const { return (Words[static_cast<int32>(Hash & WordMask)] & BitsOf(Hash)) == BitsOf(Hash); }

	private:
		// Two bit positions from hash bits the word's place does not use.
		static uint64 BitsOf(uint32 Hash)
		{
			const uint32 Mixed = Hash * 0x9E3779B9u;
			return uint64(1) << (Mixed >> 26) | uint64(1) << (Mixed >> 20 & 63);
		}

		TArray<uint64> Words;
		uint32 WordMask = 0;
	};

	// GUID -> array index for one check: open addressing over indices in one flat array (small, so
	// it stays in cache), with no allocation per entry. The first index of a GUID wins, as the
	// engine's Find* return it.
	class FGuidIndex
	{
	public:
		int32 Num() const { return Guids.Num(); }
		const FGuid& GuidAt(int32 Index) const { return Guids[Index]; }

		void Reset(int32 ExpectedCount)
		{
			int32 Capacity = 16;
			while (Capacity < ExpectedCount * 2)
			{
				Capacity *= 2;
			}
			Slots.Init(INDEX_NONE, Capacity);
			Filter.Reset(Capacity / 2);
			Guids.Reset(ExpectedCount);
		}

		// Indexes the next array entry.
		void Add(const FGuid& Guid)
		{
			if ((Guids.Num() + 1) * 2 > Slots.Num())
			{
				Slots.Init(INDEX_NONE, Slots.Num() * 2);
				Filter.Reset(Slots.Num() / 2);
				for (int32 Index = 0; Index < Guids.Num(); ++Index)
				{
					Insert(Index);
				}
			}
			Guids.Add(Guid);
			Insert(Guids.Num() - 1);
		}

		bool MayContain(uint32 Hash) const { return Filter.MayContain(Hash); }

		int32 Find(const FGuid& Guid) const
		{
			const uint32 Hash = GetTypeHash(Guid);
			if (!Filter.MayContain(Hash))
			{
				return INDEX_NONE;
			}
			const int32 Mask = Slots.Num() - 1;
			for (int32 Slot = Hash & Mask; Slots[Slot] != INDEX_NONE; Slot = (Slot + 1) & Mask)
			{
				if (Guids[Slots[Slot]] == Guid)
				{
					return Slots[Slot];
				}
			}
			return INDEX_NONE;
		}

	private:
		void Insert(int32 Index)
		{
			const int32 Mask = Slots.Num() - 1;
			const FGuid& Guid = Guids[Index];
			const uint32 Hash = GetTypeHash(Guid);
			Filter.TestAndSet(Hash);
			int32 Slot = Hash & Mask;
			while (Slots[Slot] != INDEX_NONE && !(Guids[Slots[Slot]] == Guid))
			{
				Slot = (Slot + 1) & Mask;
			}
			if (Slots[Slot] == INDEX_NONE)
			{
				Slots[Slot] = Index;
			}
		}

		TArray<int32> Slots;
		TArray<FGuid> Guids;
		FGuidBits Filter;
	};

	// The GUIDs that more than one possessable carries, found without a table as large as the
	// sequence: a bit filter that stays in cache flags, in one pass in array order, every GUID that
	// may have come before; a second pass settles the few flagged exactly. A possessable whose GUID
	// is not among them is the one FindPossessable finds, wherever it sits.
	class FRepeatedGuids
	{
	public:
		void Build(UMovieScene& MovieScene)
		{
			const int32 Count = MovieScene.GetPossessableCount();
			// About one GUID in seventy is flagged for the second pass, which reads the hashes the
			// first kept and a GUID only where its hash may be a flagged one.
			FGuidBits Seen;
			Seen.Reset(Count);
			TArray<uint32> Hashes;
			Hashes.Init(0, Count);
			FGuidIndex Flagged;
			Flagged.Reset(0);
			for (int32 Index = 0; Index < Count; ++Index)
			{
				const FGuid& Guid = MovieScene.GetPossessable(Index).GetGuid();
				const uint32 Hash = GetTypeHash(Guid);
				Hashes[Index] = Hash;
				if (Seen.TestAndSet(Hash) && Flagged.Find(Guid) == INDEX_NONE)
				{
					Flagged.Add(Guid);
				}
			}
			Repeated.Reset(0);
			if (Flagged.Num() == 0)
			{
				return;
			}
			TArray<int32> Occurrences;
			Occurrences.Init(0, Flagged.Num());
			for (int32 Index = 0; Index < Count; ++Index)
			{
				if (!Flagged.MayContain(Hashes[Index]))
				{
					continue;
				}
				const FGuid& Guid = MovieScene.GetPossessable(Index).GetGuid();
				const int32 Found = Flagged.Find(Guid);
				if (Found != INDEX_NONE && ++Occurrences[Found] == 2)
				{
					Repeated.Add(Guid);
				}
			}
		}

		bool Contains(const FGuid& Guid) const { return Repeated.Find(Guid) != INDEX_NONE; }

	private:
		FGuidIndex Repeated;
	};

	// What one check needs to know of the movie scene, so that each step of a parent walk is a look
	// at a neighbour or a hash lookup instead of a scan of every binding. Resolving a binding runs
	// engine code that may add or remove bindings, so the caches follow the live arrays: appended
	// possessables are indexed as they appear, and any other change (found by a count or a GUID that
	// no longer matches) rebuilds.
	class FBindingLookup
	{
	public:
		FBindingLookup(UMovieScene& InMovieScene, const FMovieSceneBindingReferences* InReferences)
			: MovieScene(InMovieScene), References(InReferences)
		{
			RebuildSpawnables();
			Repeated.Build(MovieScene);
			NearbyCount = MovieScene.GetPossessableCount();
			if (NearbyCount > 0)
			{
				NearbyLast = MovieScene.GetPossessable(NearbyCount - 1).GetGuid();
			}
		}

		// Brings the caches up to the live possessables and spawnables; called before each visit.
		void Sync()
		{
			const int32 Live = MovieScene.GetPossessableCount();
			// The repeated GUIDs were found for the array as it was; once it has grown or lost
			// entries, every parent comes from the index.
			if (bNearby && !EndsAsKnown(NearbyCount, NearbyLast))
			{
				bNearby = false;
			}
			// The index is built when a parent is first not found nearby.
			const int32 Known = Possessables.Num();
			if (bIndexed && Live > Known && (Known == 0 || Possessables.GuidAt(Known - 1) == MovieScene.GetPossessable(Known - 1).GetGuid()))
			{
				for (int32 Index = Known; Index < Live; ++Index)
				{
					Possessables.Add(MovieScene.GetPossessable(Index).GetGuid());
				}
			}
			else if (bIndexed && !EndsAsKnown(Known, Known > 0 ? Possessables.GuidAt(Known - 1) : FGuid()))
			{
				// Also when entries went and as many came: a GUID that came would be found nowhere.
				RebuildPossessables();
			}
			if (MovieScene.GetSpawnableCount() != Spawnables.Num())
			{
				RebuildSpawnables();
			}
		}

		bool IsSpawnable(const FGuid& Guid)
		{
			const int32 Index = Spawnables.Find(Guid);
			if (Index == INDEX_NONE || (Index < MovieScene.GetSpawnableCount() && MovieScene.GetSpawnable(Index).GetGuid() == Guid))
			{
				return Index != INDEX_NONE;
			}
			RebuildSpawnables();
			return Spawnables.Find(Guid) != INDEX_NONE;
		}

		// The index of the first possessable with that GUID, the parent of the possessable at Child,
		// or INDEX_NONE.
		int32 FindParent(const FGuid& Guid, int32 Child)
		{
			// Sequencer adds a parent before its children, so the parent is most often just before
			// the child or the one a sibling found. Either is the one FindPossessable finds when no
			// other possessable carries its GUID.
			if (bNearby && !Repeated.Contains(Guid))
			{
				for (const int32 Near : {Child - 1, LastParent})
				{
					if (Near >= 0 && Near < MovieScene.GetPossessableCount() && MovieScene.GetPossessable(Near).GetGuid() == Guid)
					{
						LastParent = Near;
						return Near;
					}
				}
			}
			if (!bIndexed)
			{
				RebuildPossessables();
			}
			int32 Index = Possessables.Find(Guid);
			if (Index != INDEX_NONE && !IsCurrent(Index, Guid))
			{
				RebuildPossessables();
				Index = Possessables.Find(Guid);
			}
			LastParent = Index;
			return Index;
		}

		// Whether the sequence holds a custom binding for that GUID. Custom bindings are few, so they
		// are gathered in one pass over every reference into a small index that stays in cache,
		// instead of a lookup of each possessable's references in a table as large as the sequence.
		bool HasCustomBinding(const FGuid& Guid)
		{
			if (!References)
			{
				return false;
			}
			const TArrayView<const FMovieSceneBindingReference> All = References->GetAllReferences();
			if (All.GetData() != KnownReferences || All.Num() != KnownReferenceCount)
			{
				RebuildCustomBindings();
			}
			return CustomBindings.Find(Guid) != INDEX_NONE;
		}

	private:
		// Whether the live array still has Count entries ending with Last: what tells, without a pass
		// over the array, that possessables came or went.
		bool EndsAsKnown(int32 Count, const FGuid& Last) const
		{
			return MovieScene.GetPossessableCount() == Count && (Count == 0 || MovieScene.GetPossessable(Count - 1).GetGuid() == Last);
		}

		// Whether the index still names the live possessable with that GUID.
		bool IsCurrent(int32 Index, const FGuid& Guid)
		{
			return Index < Possessables.Num() && Index < MovieScene.GetPossessableCount() && Possessables.GuidAt(Index) == Guid
				&& MovieScene.GetPossessable(Index).GetGuid() == Guid;
		}

		void RebuildPossessables()
		{
			const int32 Count = MovieScene.GetPossessableCount();
			Possessables.Reset(Count);
			for (int32 Index = 0; Index < Count; ++Index)
			{
				Possessables.Add(MovieScene.GetPossessable(Index).GetGuid());
			}
			bIndexed = true;
		}

		void RebuildCustomBindings()
		{
			const TArrayView<const FMovieSceneBindingReference> All = References->GetAllReferences();
			KnownReferences = All.GetData();
			KnownReferenceCount = All.Num();
			CustomBindings.Reset(0);
			for (const FMovieSceneBindingReference& Reference : All)
			{
				if (Reference.CustomBinding != nullptr)
				{
					CustomBindings.Add(Reference.ID);
				}
			}
		}

		void RebuildSpawnables()
		{
			const int32 Count = MovieScene.GetSpawnableCount();
			Spawnables.Reset(Count);
			for (int32 Index = 0; Index < Count; ++Index)
			{
				Spawnables.Add(MovieScene.GetSpawnable(Index).GetGuid());
			}
		}

		UMovieScene& MovieScene;
		const FMovieSceneBindingReferences* References;
		FGuidIndex Possessables;
		bool bIndexed = false;
		FRepeatedGuids Repeated;
		// While the array holds what the repeated GUIDs were found in, parents are looked for nearby.
		bool bNearby = true;
		int32 NearbyCount = 0;
		FGuid NearbyLast;
		int32 LastParent = INDEX_NONE;
		FGuidIndex Spawnables;
		FGuidIndex CustomBindings;
		const FMovieSceneBindingReference* KnownReferences = nullptr;
		int32 KnownReferenceCount = INDEX_NONE;
	};

	// Custom or spawn-related anywhere up the parent chain, or a chain that runs in a circle.
	bool IsUncertain(int32 PossessableIndex, UMovieScene& MovieScene, FBindingLookup& Lookup, FVisitedGuids& Visited)
	{
		Visited.Reset();
		bool bUncertain = false;
		int32 Current = PossessableIndex;
		while (true)
		{
			const FMovieScenePossessable& Possessable = MovieScene.GetPossessable(Current);
			if (!Visited.Add(Possessable.GetGuid()))
			{
				return true;
			}
			bUncertain |= Lookup.HasCustomBinding(Possessable.GetGuid());
			const FGuid& Parent = Possessable.GetParent();
			if (Lookup.IsSpawnable(Parent))
			{
				return true;
			}
			if (bUncertain || !Parent.IsValid())
			{
				return bUncertain;
			}
			Current = Lookup.FindParent(Parent, Current);
			if (Current == INDEX_NONE)
			{
				return false;
			}
		}
	}

	bool IsLive(const UObject* Object)
	{
		return Object != nullptr && IsValid(Object) && !Object->IsUnreachable();
	}

	bool ResolvesToLiveObject(const FGuid& Guid)
	{
		const FMovieSceneObjectBindingID BindingId(UE::MovieScene::FRelativeObjectBindingID(Guid, MovieSceneSequenceID::Root, 0));
		for (const UObject* Object : ULevelSequenceEditorBlueprintLibrary::GetBoundObjects(BindingId))
		{
			if (IsLive(Object))
			{
				return true;
			}
		}
		return false;
	}
}

FBindingReport CheckFocusedSequence()
{
	FBindingReport Report;

	if (GEditor)
	{
		if (UWorld* EditorWorld = GEditor->GetEditorWorldContext(false).World())
		{
			Report.MapName = EditorWorld->GetMapName();
		}
	}

	ULevelSequence* Sequence = ULevelSequenceEditorBlueprintLibrary::GetFocusedLevelSequence();
	if (!Sequence)
	{
		return Report;
	}
	UMovieScene* MovieScene = Sequence->GetMovieScene();
	if (!MovieScene)
	{
		return Report;
	}
	Report.SequenceName = Sequence->GetName();
	Report.SequencePath = Sequence->GetPathName();

	FBindingLookup Lookup(*MovieScene, Sequence->GetBindingReferences());
	FVisitedGuids Visited;
	// Copied before resolving, which may move or shrink the possessable array; one buffer for all.
	FString Name;
	// The count is read again before each visit: resolving runs engine code that may add or remove bindings.
	for (int32 Index = 0; Index < MovieScene->GetPossessableCount(); ++Index)
	{
		Lookup.Sync();
		const FGuid Guid = MovieScene->GetPossessable(Index).GetGuid();
		Name = MovieScene->GetPossessable(Index).GetName();
		const bool bUncertain = IsUncertain(Index, *MovieScene, Lookup, Visited);
		const bool bResolved = ResolvesToLiveObject(Guid);
		if (bUncertain)
		{
			// An uncertain binding that resolves counts nowhere.
			if (!bResolved)
			{
				Report.UncertainNames.Add(Name);
			}
			continue;
		}
		++Report.CheckedCount;
		if (!bResolved)
		{
			Report.MissingNames.Add(Name);
		}
	}

	if (!Report.MissingNames.IsEmpty())
	{
		Report.State = EBindingReportState::HasMissing;
	}
	else if (!Report.UncertainNames.IsEmpty())
	{
		Report.State = EBindingReportState::HasUncertain;
	}
	else if (Report.CheckedCount > 0)
	{
		Report.State = EBindingReportState::AllResolved;
	}
	return Report;
}
