// Copyright Vantle contributors. All Rights Reserved.
// The binding check against the same walk done with the engine's per-step array scans, and the
// resolution both do (one GetBoundObjects per binding) on its own, at 1,000, 10,000 and 100,000
// possessables. A walk's own cost is its series minus BindingCheck_Resolution of the same size.
// Run: Build/default/Benchmarks/VantleBenchmarks --benchmark_filter=BindingCheck --benchmark_repetitions=3
#include "BindingReport.h"
#include "HostScene.h"
#include "LevelSequence.h"
#include "LevelSequenceEditorBlueprintLibrary.h"
#include "LiteralBindingWalk.h"
#include "MovieScene.h"

#include <benchmark/benchmark.h>

#include <string>

namespace
{
	using Vantle::Test::CheckWithArrayScans;
	using Vantle::Test::ResolvesToLiveObject;

	// Possessables in chains of three (actor, component, sub-component), one actor with one
	// component per chain; every tenth chain is custom-bound at its root, every twentieth hangs
	// under a spawnable, and every 97th binding names an actor that does not exist.
	std::string MakeScene(int32 Possessables)
	{
		const int32 Actors = (Possessables + 2) / 3;
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
			const std::string Actor = Index % 97 == 5 ? std::string("Gone") : "A" + std::to_string(Chain);
			// A component resolves inside its parent's actor; the sub-component finds nothing inside it.
			Entry += R"(,"boundTo":[")" + (Depth == 0 ? Actor : std::string("C")) + R"("]})";
			Json += (Index ? "," : "") + Entry;
		}
		Json += R"(]}],"focus":"/Game/Big.Big"})";
		return Json;
	}

	// Opens the scene of that size unless it is open already.
	bool LoadScene(benchmark::State& State)
	{
		static int64 Loaded = -1;
		const int64 Possessables = State.range(0);
		if (Loaded != Possessables)
		{
			UE::Host::CreateEditor();
			FString Error;
			if (!UE::Host::LoadSceneFromString(UE::Host::FromUtf8(MakeScene(static_cast<int32>(Possessables))), TEXT("bench.json"), Error))
			{
				State.SkipWithError(UE::Host::ToUtf8(Error).c_str());
				return false;
			}
			Loaded = Possessables;
		}
		State.counters["bindings"] = static_cast<double>(Possessables);
		return true;
	}

	void BindingCheck_ArrayScanBaseline(benchmark::State& State)
	{
		if (!LoadScene(State))
		{
			return;
		}
		for (auto _ : State)
		{
			benchmark::DoNotOptimize(CheckWithArrayScans());
		}
	}

	void BindingCheck_Plugin(benchmark::State& State)
	{
		if (!LoadScene(State))
		{
			return;
		}
		// Checked against the literal walk once per size: Google Benchmark calls this function
		// several times while it settles the iteration count.
		static int64 Agreed = -1;
		const FBindingReport Actual = CheckFocusedSequence();
		if (Agreed != State.range(0))
		{
			const FBindingReport Expected = CheckWithArrayScans();
			if (Actual.CheckedCount != Expected.CheckedCount || Actual.MissingNames != Expected.MissingNames || Actual.UncertainNames != Expected.UncertainNames)
			{
				State.SkipWithError("the plugin's check disagrees with the literal walk");
				return;
			}
			Agreed = State.range(0);
		}
		State.counters["checked"] = Actual.CheckedCount;
		State.counters["uncertain"] = Actual.UncertainNames.Num();
		for (auto _ : State)
		{
			benchmark::DoNotOptimize(CheckFocusedSequence());
		}
	}

	// Only what both walks ask of the host: one GetBoundObjects per possessable, in order.
	void BindingCheck_Resolution(benchmark::State& State)
	{
		if (!LoadScene(State))
		{
			return;
		}
		UMovieScene* MovieScene = ULevelSequenceEditorBlueprintLibrary::GetFocusedLevelSequence()->GetMovieScene();
		for (auto _ : State)
		{
			int32 Resolved = 0;
			for (int32 Index = 0; Index < MovieScene->GetPossessableCount(); ++Index)
			{
				Resolved += ResolvesToLiveObject(MovieScene->GetPossessable(Index).GetGuid()) ? 1 : 0;
			}
			benchmark::DoNotOptimize(Resolved);
		}
	}
}

// Size by size, so that each scene is built once and the three figures a ratio needs sit together.
static const bool GBindingCheckRegistered = []()
{
	for (const int64 Possessables : {1000, 10000, 100000})
	{
		benchmark::RegisterBenchmark("BindingCheck_ArrayScanBaseline", BindingCheck_ArrayScanBaseline)->Arg(Possessables)->Unit(benchmark::kMillisecond)->MinTime(0.5);
		benchmark::RegisterBenchmark("BindingCheck_Plugin", BindingCheck_Plugin)->Arg(Possessables)->Unit(benchmark::kMillisecond)->MinTime(0.5);
		benchmark::RegisterBenchmark("BindingCheck_Resolution", BindingCheck_Resolution)->Arg(Possessables)->Unit(benchmark::kMillisecond)->MinTime(0.5);
	}
	return true;
}();
