// Copyright Vantle contributors. All Rights Reserved.
// One capture of the open panel: layout, drawing and PNG encoding of the content and the window
// images, in memory and through the console command (which also writes the three files).
// Run: Build/default/Benchmarks/VantleBenchmarks --benchmark_filter=Capture
#include "Framework/Application/SlateApplication.h"
#include "HostCore.h"
#include "HostEditor.h"
#include "HostImage.h"
#include "ImageCore.h"
#include "Modules/ModuleManager.h"
#include "VantleModule.h"
#include "Widgets/Docking/SDockTab.h"
#include "Widgets/SWindow.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace
{
	// The headless editor on the showcase scene with the panel open, for one benchmark run.
	class FOpenPanel
	{
	public:
		FOpenPanel()
		{
			UE::Host::UseManualClock();
			UE::Host::FEditorOptions Options;
			FString Error;
			const TArray<FString> Args = {FString(VANTLE_SOURCE_DIR) / TEXT("Samples/Scenes/Showcase.json")};
			if (!UE::Host::ParseEditorCommandLine(Args, Options, Error))
			{
				return;
			}
			Options.bLogToStdout = false;
			if (!Editor.Init(Options, Error))
			{
				return;
			}
			Editor.Exec(TEXT("Vantle.Open"));
			if (FVantleModule* Module = FModuleManager::GetModulePtr<FVantleModule>(TEXT("Vantle")))
			{
				Tab = Module->PanelTab.Pin();
			}
		}

		~FOpenPanel()
		{
			Tab.Reset();
			Editor.Shutdown();
			UE::Host::UseRealClock();
		}

		UE::Host::FHeadlessEditor Editor;
		TSharedPtr<SDockTab> Tab;
	};

	void Capture_PanelInMemory(benchmark::State& State)
	{
		FOpenPanel Panel;
		if (!Panel.Tab.IsValid())
		{
			State.SkipWithError("the panel did not open");
			return;
		}
		const TSharedRef<SWindow> Window = Panel.Tab->GetParentWindow().ToSharedRef();
		TArray<FColor> Pixels;
		FIntVector Size;
		TArray<uint8> Png;
		FString Error;
		int64 Bytes = 0;
		for (auto _ : State)
		{
			bool bOk = FSlateApplication::Get().TakeScreenshot(Panel.Tab->GetContent(), Pixels, Size);
			bOk = bOk && UE::Host::EncodePng(FImageView(Pixels.GetData(), Size.X, Size.Y), Png, Error);
			Bytes += Png.Num();
			bOk = bOk && FSlateApplication::Get().TakeScreenshot(Window, Pixels, Size);
			bOk = bOk && UE::Host::EncodePng(FImageView(Pixels.GetData(), Size.X, Size.Y), Png, Error);
			Bytes += Png.Num();
			if (!bOk)
			{
				State.SkipWithError("a screenshot or its encoding failed");
				return;
			}
		}
		State.counters["png_bytes"] = benchmark::Counter(static_cast<double>(Bytes), benchmark::Counter::kAvgIterations);
	}
	BENCHMARK(Capture_PanelInMemory)->Unit(benchmark::kMillisecond);

	void Capture_ConsoleCommand(benchmark::State& State)
	{
		FOpenPanel Panel;
		std::string Template = (std::filesystem::temp_directory_path() / "vantle-capture-bench-XXXXXX").string();
		if (!Panel.Tab.IsValid() || !mkdtemp(Template.data()))
		{
			State.SkipWithError("the panel did not open or no temporary folder");
			return;
		}
		const FString Command = TEXT("Vantle.Capture ") + UE::Host::FromUtf8(Template) / TEXT("Panel.png");
		for (auto _ : State)
		{
			Panel.Editor.Exec(Command);
		}
		std::error_code Ignored;
		std::filesystem::remove_all(Template, Ignored);
	}
	BENCHMARK(Capture_ConsoleCommand)->Unit(benchmark::kMillisecond);
}
