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

	// GUID -> array index, built once per check: open addressing in one flat array, so a lookup is a
	// hash and a probe or two, with no allocation per entry.
	class FGuidIndex
	{
	public:
		// Adds the GUID unless present: the first index of a GUID wins, as the engine's Find* return it.
		template <typename GuidAtType>
		void Build(int32 Count, GuidAtType GuidAt)
		{
			int32 Capacity = 16;
			while (Capacity < Count * 2)
			{
				Capacity *= 2;
			}
			Slots.Init(INDEX_NONE, Capacity);
			Guids.Reset(Count);
			for (int32 Index = 0; Index < Count; ++Index)
			{
				const FGuid& Guid = GuidAt(Index);
				Guids.Add(Guid);
				int32 Slot = GetTypeHash(Guid) & (Capacity - 1);
				while (Slots[Slot] != INDEX_NONE && !(Guids[Slots[Slot]] == Guid))
				{
					Slot = (Slot + 1) & (Capacity - 1);
				}
				if (Slots[Slot] == INDEX_NONE)
				{
					Slots[Slot] = Index;
				}
			}
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
		TArray<int32> Slots;
		TArray<FGuid> Guids;
	};

	// What one check needs to know of the movie scene, built once per check so that each step of a
	// parent walk is a hash lookup instead of a scan of every binding.
	class FBindingLookup
	{
	public:
		// The possessable count is read once here: the cache, the index and the caller's loop all
		// use this count, so bindings added while the check runs cannot index past the cache.
		FBindingLookup(UMovieScene& InMovieScene, const FMovieSceneBindingReferences* InReferences)
			: MovieScene(InMovieScene), References(InReferences), PossessableCount(InMovieScene.GetPossessableCount())
		{
			Possessables.Build(PossessableCount, [this](int32 Index) -> const FGuid& { return MovieScene.GetPossessable(Index).GetGuid(); });
			Spawnables.Build(MovieScene.GetSpawnableCount(), [this](int32 Index) -> const FGuid& { return MovieScene.GetSpawnable(Index).GetGuid(); });
			CustomByIndex.Init(-1, PossessableCount);
		}

		// The possessables this check covers: those present when it began.
		int32 Num() const { return PossessableCount; }

		bool IsSpawnable(const FGuid& Guid) const { return Spawnables.Find(Guid) != INDEX_NONE; }

		// The index of the first possessable with that GUID, or INDEX_NONE.
		int32 FindPossessable(const FGuid& Guid) const
		{
			const int32 Index = Possessables.Find(Guid);
			return Index < PossessableCount ? Index : INDEX_NONE;
		}

		// Whether the sequence holds a custom binding for the possessable at that index; asked of
		// the references once per possessable and check, however many walks pass through it.
		bool HasCustomBinding(int32 Index)
		{
			if (!References)
			{
				return false;
			}
			int8& Known = CustomByIndex[Index];
			if (Known < 0)
			{
				Known = 0;
				for (const FMovieSceneBindingReference& Reference : References->GetReferences(MovieScene.GetPossessable(Index).GetGuid()))
				{
					Known |= Reference.CustomBinding != nullptr ? 1 : 0;
				}
			}
			return Known != 0;
		}

	private:
		UMovieScene& MovieScene;
		const FMovieSceneBindingReferences* References;
		const int32 PossessableCount;
		FGuidIndex Possessables;
		FGuidIndex Spawnables;
		TArray<int8> CustomByIndex;
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
			bUncertain |= Lookup.HasCustomBinding(Current);
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
	for (int32 Index = 0; Index < Lookup.Num(); ++Index)
	{
		// Copies: resolving may run engine code that adds bindings and moves the possessable array.
		const FGuid Guid = MovieScene->GetPossessable(Index).GetGuid();
		const FString Name = MovieScene->GetPossessable(Index).GetName();
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
