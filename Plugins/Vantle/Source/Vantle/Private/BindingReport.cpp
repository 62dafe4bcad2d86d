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
			Guids.Reset(ExpectedCount);
		}

		// Indexes the next array entry.
		void Add(const FGuid& Guid)
		{
			if ((Guids.Num() + 1) * 2 > Slots.Num())
			{
				Slots.Init(INDEX_NONE, Slots.Num() * 2);
				for (int32 Index = 0; Index < Guids.Num(); ++Index)
				{
					Insert(Index);
				}
			}
			Guids.Add(Guid);
			Insert(Guids.Num() - 1);
		}

		int32 Find(const FGuid& Guid) const
		{
			const int32 Mask = Slots.Num() - 1;
			for (int32 Slot = GetTypeHash(Guid) & Mask; Slots[Slot] != INDEX_NONE; Slot = (Slot + 1) & Mask)
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
			int32 Slot = GetTypeHash(Guid) & Mask;
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
	};

	// What one check needs to know of the movie scene, so that each step of a parent walk is a hash
	// lookup instead of a scan of every binding. Resolving a binding runs engine code that may add
	// or remove bindings, so the caches follow the live arrays: appended possessables are indexed as
	// they appear, and any other change (found by a count or a GUID that no longer matches) rebuilds.
	class FBindingLookup
	{
	public:
		FBindingLookup(UMovieScene& InMovieScene, const FMovieSceneBindingReferences* InReferences)
			: MovieScene(InMovieScene), References(InReferences)
		{
			RebuildPossessables();
			RebuildSpawnables();
		}

		// Brings the caches up to the live possessables and spawnables; called before each visit.
		void Sync()
		{
			const int32 Live = MovieScene.GetPossessableCount();
			const int32 Known = Possessables.Num();
			if (Live > Known && (Known == 0 || Possessables.GuidAt(Known - 1) == MovieScene.GetPossessable(Known - 1).GetGuid()))
			{
				for (int32 Index = Known; Index < Live; ++Index)
				{
					Possessables.Add(MovieScene.GetPossessable(Index).GetGuid());
				}
			}
			else if (Live != Known)
			{
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

		// The index of the first possessable with that GUID, or INDEX_NONE.
		int32 FindPossessable(const FGuid& Guid)
		{
			const int32 Index = Possessables.Find(Guid);
			if (Index == INDEX_NONE || IsCurrent(Index, Guid))
			{
				return Index;
			}
			RebuildPossessables();
			return Possessables.Find(Guid);
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
			Current = Lookup.FindPossessable(Parent);
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
