// Copyright Vantle contributors. All Rights Reserved.
// The binding check against the same walk done with the engine's per-step array scans.
// Run: Build/default/Benchmarks/VantleBenchmarks --benchmark_filter=BindingCheck
#include "BindingReport.h"
#include "Bindings/MovieSceneCustomBinding.h"
#include "HostScene.h"
#include "LevelSequence.h"
#include "LevelSequenceEditorBlueprintLibrary.h"
#include "MovieScene.h"
#include "MovieSceneBindingReferences.h"
#include "MovieSceneObjectBindingID.h"
#include "MovieScenePossessable.h"
#include "MovieSceneSpawnable.h"
#include "UObject/Object.h"

#include <benchmark/benchmark.h>

#include <string>

namespace
{
	// 10,000 possessables in chains of three (actor, component, sub-component); every tenth chain
	// is custom-bound at its root and every twentieth hangs under a spawnable. 10,000 actors, each
	// with one component.
	FString MakeLargeScene()
	{
		constexpr int32 Possessables = 10000;
		constexpr int32 Actors = 10000;
		std::string Json = R"({"project":"Bench","world":{"map":"Big","actors":[)";
		for (int32 Index = 0; Index < Actors; ++Index)
		{
			Json += (Index ? "," : "") + std::string(R"({"label":"A)") + std::to_string(Index) + R"(","components":["C"]})";
		}
		Json += R"(]},"sequences":[{"path":"/Game/Big.Big","spawnables":[{"guid":"FFFFFFFF000000000000000000000000","name":"Spawned"}],"possessables":[)";
		auto Guid = [](int32 Value)
		{
			char Text[33];
			std::snprintf(Text, sizeof(Text), "%032X", Value + 1);
			return std::string(Text);
		};
		for (int32 Index = 0; Index < Possessables; ++Index)
		{
			const int32 Chain = Index / 3;
			const int32 Depth = Index % 3;
			std::string Entry = R"({"guid":")" + Guid(Index) + R"(","name":"P)" + std::to_string(Index) + R"(")";
			if (Depth > 0)
			{
				Entry += R"(,"parent":")" + Guid(Index - 1) + R"(")";
			}
			else if (Chain % 20 == 7)
			{
				Entry += R"(,"parent":"FFFFFFFF000000000000000000000000")";
			}
			if (Depth == 0 && Chain % 10 == 3)
			{
				Entry += R"(,"custom":true)";
			}
			const std::string Actor = Index % 97 == 5 ? std::string("Gone") : "A" + std::to_string(Chain % Actors);
			// A component resolves inside its parent's actor; the sub-component finds nothing inside it.
			Entry += R"(,"boundTo":[")" + (Depth == 0 ? Actor : std::string("C")) + R"("]})";
			Json += (Index ? "," : "") + Entry;
		}
		Json += R"(]}],"focus":"/Game/Big.Big"})";
		return UE::Host::FromUtf8(Json);
	}

	void LoadLargeScene()
	{
		static bool bLoaded = false;
		if (!bLoaded)
		{
			UE::Host::CreateEditor();
			FString Error;
			if (!UE::Host::LoadSceneFromString(MakeLargeScene(), TEXT("bench.json"), Error))
			{
				std::fprintf(stderr, "%s\n", UE::Host::ToUtf8(Error).c_str());
				std::abort();
			}
			bLoaded = true;
		}
	}

	// The walk exactly as written, with every lookup an array scan of the movie scene.
	FBindingReport CheckWithArrayScans()
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
			bool bResolved = false;
			const FMovieScenePossessable& Possessable = MovieScene->GetPossessable(Index);
			for (UObject* Object : ULevelSequenceEditorBlueprintLibrary::GetBoundObjects(
					 FMovieSceneObjectBindingID(UE::MovieScene::FRelativeObjectBindingID(Possessable.GetGuid(), MovieSceneSequenceID::Root, 0))))
			{
				if (Object && IsValid(Object) && !Object->IsUnreachable())
				{
					bResolved = true;
					break;
				}
			}
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

	void BindingCheck_ArrayScanBaseline(benchmark::State& State)
	{
		LoadLargeScene();
		for (auto _ : State)
		{
			benchmark::DoNotOptimize(CheckWithArrayScans());
		}
	}

	void BindingCheck_Plugin(benchmark::State& State)
	{
		LoadLargeScene();
		const FBindingReport Expected = CheckWithArrayScans();
		const FBindingReport Actual = CheckFocusedSequence();
		if (Actual.CheckedCount != Expected.CheckedCount || Actual.MissingNames != Expected.MissingNames || Actual.UncertainNames != Expected.UncertainNames)
		{
			State.SkipWithError("the plugin's check disagrees with the literal walk");
			return;
		}
		State.counters["checked"] = Actual.CheckedCount;
		State.counters["uncertain"] = Actual.UncertainNames.Num();
		for (auto _ : State)
		{
			benchmark::DoNotOptimize(CheckFocusedSequence());
		}
	}
}

BENCHMARK(BindingCheck_ArrayScanBaseline)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BindingCheck_Plugin)->Unit(benchmark::kMillisecond)->MinTime(1.0);
