// Copyright Vantle contributors. All Rights Reserved.
// Boots the headless editor with the real Vantle module for a test, the way the editor does.
#pragma once

#include "CoreGlobals.h"
#include "Input/Reply.h"
#include "HAL/PlatformTime.h"
#include "HostCore.h"
#include "HostEditor.h"
#include "HostScene.h"
#include "McpLogWatcher.h"
#include "Misc/OutputDeviceRedirector.h"
#include "Modules/ModuleManager.h"
#include "VantleModule.h"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace Vantle::Test
{
	// Keeps every log line as "Category: Verbosity: Message" in UTF-8.
	class FLogCapture final : public FOutputDevice
	{
	public:
		virtual void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category) override
		{
			const std::string Line = UE::Host::ToUtf8(UE::Host::FormatLogLine(V, Verbosity, Category.IsNone() ? FString() : Category.ToString()));
			std::lock_guard<std::mutex> Guard(Mutex);
			Lines.push_back(Line);
		}
		std::vector<std::string> Snapshot()
		{
			if (GLog)
			{
				GLog->FlushThreadedLogs();
			}
			std::lock_guard<std::mutex> Guard(Mutex);
			return Lines;
		}
		std::vector<std::string> Matching(const std::string& Needle)
		{
			std::vector<std::string> Result;
			for (const std::string& Line : Snapshot())
			{
				if (Line.find(Needle) != std::string::npos)
				{
					Result.push_back(Line);
				}
			}
			return Result;
		}
		void Clear()
		{
			Snapshot();
			std::lock_guard<std::mutex> Guard(Mutex);
			Lines.clear();
		}

	private:
		std::mutex Mutex;
		std::vector<std::string> Lines;
	};

	inline FString SamplePath(const char* Name)
	{
		return FString(VANTLE_SOURCE_DIR) / TEXT("Samples/Scenes") / UE::Host::FromUtf8(Name);
	}

	class FEditorTest : public ::testing::Test
	{
	protected:
		void SetUp() override { Boot(); }
		void TearDown() override { Stop(); }

		// Starts the editor on a scene file with extra command-line arguments; the manual clock is
		// used unless the test needs real time (HTTP round trips).
		void Boot(const FString& ScenePath = SamplePath("Showcase.json"), const TArray<FString>& ExtraArgs = {}, bool bManualClock = true)
		{
			if (bManualClock)
			{
				UE::Host::UseManualClock();
			}
			else
			{
				UE::Host::UseRealClock();
			}
			TArray<FString> Args = ExtraArgs;
			Args.Insert(ScenePath, 0);
			UE::Host::FEditorOptions Options;
			FString Error;
			ASSERT_TRUE(UE::Host::ParseEditorCommandLine(Args, Options, Error)) << UE::Host::ToUtf8(Error);
			Options.bLogToStdout = false;
			GLog->AddOutputDevice(&Log);
			ASSERT_TRUE(Editor.Init(Options, Error)) << UE::Host::ToUtf8(Error);
			bBooted = true;
		}

		void Stop()
		{
			if (bBooted)
			{
				Editor.Shutdown();
				bBooted = false;
			}
			if (GLog)
			{
				GLog->RemoveOutputDevice(&Log);
			}
			UE::Host::UseRealClock();
		}

		FVantleModule& Module()
		{
			FVantleModule* Found = FModuleManager::GetModulePtr<FVantleModule>(TEXT("Vantle"));
			check(Found);
			return *Found;
		}

		void LoadScene(const char* Json)
		{
			FString Error;
			ASSERT_TRUE(UE::Host::LoadSceneFromString(UE::Host::FromUtf8(Json), TEXT("test.json"), Error)) << UE::Host::ToUtf8(Error);
		}

		// Advances the manual clock and runs one frame.
		void TickFor(double Seconds)
		{
			UE::Host::AdvanceClock(Seconds);
			Editor.Tick(Seconds);
		}

		// Runs frames in real time until the condition holds or the deadline passes.
		template <typename Predicate>
		bool PumpUntil(Predicate Condition, double TimeoutSeconds = 5.0)
		{
			const auto Deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(TimeoutSeconds);
			while (!Condition())
			{
				if (std::chrono::steady_clock::now() > Deadline)
				{
					return false;
				}
				Editor.Tick(0.01);
				std::this_thread::sleep_for(std::chrono::milliseconds(5));
			}
			return true;
		}

		UE::Host::FHeadlessEditor Editor;
		FLogCapture Log;
		bool bBooted = false;
	};
}
