// Copyright Vantle contributors. All Rights Reserved.
#include "BindingReport.h"

#include "Bindings/MovieSceneCustomBinding.h"
#include "Editor.h"
#include "Editor/EditorEngine.h"
#include "Engine/Engine.h"
#include "Engine/World.h"
#include "LevelSequence.h"
#include "LevelSequenceEditorBlueprintLibrary.h"
#include "MovieScene.h"
#include "MovieSceneBindingReferences.h"
#include "MovieSceneObjectBindingID.h"
#include "MovieScenePossessable.h"
#include "MovieSceneSequenceID.h"
#include "MovieSceneSpawnable.h"
#include "UObject/Object.h"

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

	// What one check needs to know of the movie scene and the references, built once per check so
	// that each step of a parent walk is a hash lookup instead of an array scan.
	class FBindingLookup
	{
	public:
		FBindingLookup(UMovieScene& InMovieScene, const FMovieSceneBindingReferences* InReferences)
			: MovieScene(InMovieScene), References(InReferences)
		{
			// The engine's Find* return the first match, so the first index of a GUID wins.
			const int32 PossessableCount = MovieScene.GetPossessableCount();
			PossessableIndices.Reserve(PossessableCount);
			for (int32 Index = 0; Index < PossessableCount; ++Index)
			{
				const FGuid& Guid = MovieScene.GetPossessable(Index).GetGuid();
				if (!PossessableIndices.Contains(Guid))
				{
					PossessableIndices.Add(Guid, Index);
				}
			}
			const int32 SpawnableCount = MovieScene.GetSpawnableCount();
			SpawnableGuids.Reserve(SpawnableCount);
			for (int32 Index = 0; Index < SpawnableCount; ++Index)
			{
				SpawnableGuids.Add(MovieScene.GetSpawnable(Index).GetGuid());
			}
		}

		bool IsSpawnable(const FGuid& Guid) const { return SpawnableGuids.Contains(Guid); }

		const FMovieScenePossessable* FindPossessable(const FGuid& Guid) const
		{
			const int32* Index = PossessableIndices.Find(Guid);
			return Index && *Index < MovieScene.GetPossessableCount() ? &MovieScene.GetPossessable(*Index) : nullptr;
		}

		bool HasCustomBinding(const FGuid& Guid)
		{
			if (!References)
			{
				return false;
			}
			if (const bool* Known = CustomByGuid.Find(Guid))
			{
				return *Known;
			}
			bool bCustom = false;
			for (const FMovieSceneBindingReference& Reference : References->GetReferences(Guid))
			{
				bCustom |= Reference.CustomBinding != nullptr;
			}
			CustomByGuid.Add(Guid, bCustom);
			return bCustom;
		}

	private:
		UMovieScene& MovieScene;
		const FMovieSceneBindingReferences* References;
		TMap<FGuid, int32> PossessableIndices;
		TSet<FGuid> SpawnableGuids;
		TMap<FGuid, bool> CustomByGuid;
	};

	// Custom or spawn-related anywhere up the parent chain, or a chain that runs in a circle.
	bool IsUncertain(const FMovieScenePossessable& Possessable, FBindingLookup& Lookup, FVisitedGuids& Visited)
	{
		Visited.Reset();
		bool bUncertain = false;
		const FMovieScenePossessable* Current = &Possessable;
		while (true)
		{
			if (!Visited.Add(Current->GetGuid()))
			{
				return true;
			}
			bUncertain |= Lookup.HasCustomBinding(Current->GetGuid());
			const FGuid& Parent = Current->GetParent();
			if (Lookup.IsSpawnable(Parent))
			{
				return true;
			}
			if (bUncertain || !Parent.IsValid())
			{
				return bUncertain;
			}
			Current = Lookup.FindPossessable(Parent);
			if (!Current)
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
	for (int32 Index = 0; Index < MovieScene->GetPossessableCount(); ++Index)
	{
		const FMovieScenePossessable& Possessable = MovieScene->GetPossessable(Index);
		const bool bUncertain = IsUncertain(Possessable, Lookup, Visited);
		const bool bResolved = ResolvesToLiveObject(Possessable.GetGuid());
		if (bUncertain)
		{
			// An uncertain binding that resolves counts nowhere.
			if (!bResolved)
			{
				Report.UncertainNames.Add(Possessable.GetName());
			}
			continue;
		}
		++Report.CheckedCount;
		if (!bResolved)
		{
			Report.MissingNames.Add(Possessable.GetName());
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
