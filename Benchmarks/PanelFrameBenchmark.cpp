// Copyright Vantle contributors. All Rights Reserved.
// One Slate frame of the open panel (layout and every getter painting reads, no drawing) with a
// focused sequence of 10,000 or 100,000 bindings, half of them missing: the panel as it is, against
// the same frame with the details text rebuilt in every frame (how the panel used to bind it).
// Run: Build/default/Benchmarks/VantleBenchmarks --benchmark_filter=PanelFrame
#include "Framework/Application/SlateApplication.h"
#include "HostCore.h"
#include "HostEditor.h"
#include "HostScene.h"
#include "HostSlate.h"
#include "Modules/ModuleManager.h"
#include "VantleModule.h"
#include "Widgets/Docking/SDockTab.h"
#include "Widgets/Text/STextBlock.h"

#include <benchmark/benchmark.h>

#include <string>

namespace
{
	// Top-level possessables; the first half bound to actors of the map, the rest to names it lacks.
	FString MakeScene(int32 Bindings, int32 Missing)
	{
		std::string Json = R"({"project":"Bench","world":{"map":"Big","actors":[)";
		for (int32 Index = 0; Index < Bindings - Missing; ++Index)
		{
			Json += (Index ? "," : "") + std::string(R"({"label":"Actor)") + std::to_string(Index) + R"("})";
		}
		Json += R"(]},"sequences":[{"path":"/Game/Big.Big","possessables":[)";
		for (int32 Index = 0; Index < Bindings; ++Index)
		{
			char Guid[33];
			std::snprintf(Guid, sizeof(Guid), "%032X", Index + 1);
			const std::string Target = Index < Bindings - Missing ? "Actor" + std::to_string(Index) : "Gone" + std::to_string(Index);
			Json += (Index ? "," : "") + std::string(R"({"guid":")") + Guid + R"(","name":"Binding)" + std::to_string(Index) + R"(","boundTo":[")" +
					Target + R"("]})";
		}
		Json += R"(]}],"focus":"/Game/Big.Big"})";
		return UE::Host::FromUtf8(Json);
	}

	class FLargePanel
	{
	public:
		FLargePanel(int32 InBindings)
			: Bindings(InBindings), Missing(InBindings / 2)
		{
			UE::Host::UseManualClock();
			UE::Host::FEditorOptions Options;
			const TArray<FString> Args = {FString(VANTLE_SOURCE_DIR) / TEXT("Samples/Scenes/Showcase.json")};
			if (!UE::Host::ParseEditorCommandLine(Args, Options, Error))
			{
				return;
			}
			Options.bLogToStdout = false;
			if (!Editor.Init(Options, Error) || !UE::Host::LoadSceneFromString(MakeScene(Bindings, Missing), TEXT("bench.json"), Error))
			{
				return;
			}
			Editor.Exec(TEXT("Vantle.Open"));
			Module = FModuleManager::GetModulePtr<FVantleModule>(TEXT("Vantle"));
			if (!Module || !Module->PanelTab.IsValid())
			{
				Error = TEXT("the panel did not open");
				return;
			}
			// One whole frame: Sequencer's tool bar is shown and wrapping texts have settled.
			Editor.Tick(0.0);
			Editor.Tick(0.0);
			const FString Details = Module->GetBindingDetails();
			for (const UE::Host::FArrangedWidgetRecord& Record : UE::Host::ArrangeTab(TEXT("Vantle.Panel")))
			{
				const TSharedPtr<SWidget> Widget = Record.Widget.Pin();
				if (STextBlock* Text = dynamic_cast<STextBlock*>(Widget.Get()); Text && Text->GetText().ToString() == Details)
				{
					DetailsBlock = StaticCastSharedPtr<STextBlock>(Widget);
				}
			}
			if (Module->Report.CheckedCount != Bindings || Module->Report.MissingNames.Num() != Missing || !DetailsBlock.IsValid())
			{
				Error = TEXT("the scene did not give the expected report");
			}
		}

		~FLargePanel()
		{
			DetailsBlock.Reset();
			Editor.Shutdown();
			UE::Host::UseRealClock();
		}

		const int32 Bindings;
		const int32 Missing;
		UE::Host::FHeadlessEditor Editor;
		FVantleModule* Module = nullptr;
		TSharedPtr<STextBlock> DetailsBlock;
		FString Error;
	};

	void RunFrames(benchmark::State& State, FLargePanel& Panel)
	{
		if (!Panel.Error.IsEmpty())
		{
			State.SkipWithError(UE::Host::ToUtf8(Panel.Error).c_str());
			return;
		}
		for (auto _ : State)
		{
			FSlateApplication::Get().Tick();
		}
		State.counters["bindings"] = Panel.Bindings;
		State.counters["missing"] = Panel.Missing;
	}

	void PanelFrame_DetailsRebuiltEachFrameBaseline(benchmark::State& State)
	{
		FLargePanel Panel(static_cast<int32>(State.range(0)));
		if (Panel.DetailsBlock.IsValid())
		{
			FVantleModule* Module = Panel.Module;
			Panel.DetailsBlock->SetText(TAttribute<FText>::CreateLambda([Module]() { return FText::FromString(Module->GetBindingDetails()); }));
		}
		RunFrames(State, Panel);
	}

	void PanelFrame_Plugin(benchmark::State& State)
	{
		FLargePanel Panel(static_cast<int32>(State.range(0)));
		RunFrames(State, Panel);
	}
}

BENCHMARK(PanelFrame_DetailsRebuiltEachFrameBaseline)->Unit(benchmark::kMicrosecond)->Arg(10000)->Arg(100000)->MinTime(1.0);
BENCHMARK(PanelFrame_Plugin)->Unit(benchmark::kMicrosecond)->Arg(10000)->Arg(100000)->MinTime(1.0);
