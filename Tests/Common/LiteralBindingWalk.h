// Copyright Vantle contributors. All Rights Reserved.
// The binding check written as literally as it reads, every lookup an array scan of the movie
// scene: what the plugin's check must agree with, and the benchmarks' baseline.
#pragma once

#include "BindingReport.h"
#include "Bindings/MovieSceneCustomBinding.h"
#include "LevelSequence.h"
#include "LevelSequenceEditorBlueprintLibrary.h"
#include "MovieScene.h"
#include "MovieSceneBindingReferences.h"
#include "MovieSceneObjectBindingID.h"
#include "MovieScenePossessable.h"
#include "MovieSceneSpawnable.h"
#include "UObject/Object.h"

namespace Vantle::Test
{
	inline bool ResolvesToLiveObject(const FGuid& Guid)
	{
		for (UObject* Object : ULevelSequenceEditorBlueprintLibrary::GetBoundObjects(
				 FMovieSceneObjectBindingID(UE::MovieScene::FRelativeObjectBindingID(Guid, MovieSceneSequenceID::Root, 0))))
		{
			if (Object && IsValid(Object) && !Object->IsUnreachable())
			{
				return true;
			}
		}
		return false;
	}

	inline FBindingReport CheckWithArrayScans()
	{
		FBindingReport Report;
		ULevelSequence* Sequence = ULevelSequenceEditorBlueprintLibrary::GetFocusedLevelSequence();
		UMovieScene* MovieScene = Sequence->GetMovieScene();
		const FMovieSceneBindingReferences* References = Sequence->GetBindingReferences();
		Report.SequencePath = Sequence->GetPathName();
		for (int32 Index = 0; Index < MovieScene->GetPossessableCount(); ++Index)
		{
			FMovieScenePossessable* Current = &MovieScene->GetPossessable(Index);
			TSet<FGuid> Visited;
			bool bUncertain = false;
			while (true)
			{
				if (Visited.Contains(Current->GetGuid()))
				{
					bUncertain = true;
					break;
				}
				Visited.Add(Current->GetGuid());
				if (References)
				{
					for (const FMovieSceneBindingReference& Reference : References->GetReferences(Current->GetGuid()))
					{
						bUncertain |= Reference.CustomBinding != nullptr;
					}
				}
				if (MovieScene->FindSpawnable(Current->GetParent()))
				{
					bUncertain = true;
					break;
				}
				if (bUncertain || !Current->GetParent().IsValid())
				{
					break;
				}
				Current = MovieScene->FindPossessable(Current->GetParent());
				if (!Current)
				{
					break;
				}
			}
			const FMovieScenePossessable& Possessable = MovieScene->GetPossessable(Index);
			const bool bResolved = ResolvesToLiveObject(Possessable.GetGuid());
			if (bUncertain)
			{
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
		return Report;
	}
}
