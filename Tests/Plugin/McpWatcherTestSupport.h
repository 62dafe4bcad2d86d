// Copyright Vantle contributors. All Rights Reserved.
// A watcher on its own, pinging a scripted HTTP peer on loopback, with the MCP plugin's start
// command as a test double.
#pragma once

#include "Containers/Ticker.h"
#include "CoreGlobals.h"
#include "HAL/IConsoleManager.h"
#include "HttpModule.h"
#include "McpLogWatcher.h"
#include "Misc/OutputDeviceRedirector.h"
#include "ScriptedHttpPeer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace Vantle::Test
{
	inline std::string PingIdOf(const std::string& Body)
	{
		const std::string Key = "\"id\":\"";
		const size_t Start = Body.find(Key);
		if (Start == std::string::npos)
		{
			return {};
		}
		const size_t End = Body.find('"', Start + Key.size());
		return Body.substr(Start + Key.size(), End - Start - Key.size());
	}

	// A valid answer to the ping whose "result" is ResultJson.
	inline std::string PingAnswer(const FScriptedHttpRequest& Request, const std::string& ResultJson = "{}")
	{
		return R"({"jsonrpc":"2.0","id":")" + PingIdOf(Request.Body) + R"(","result":)" + ResultJson + "}";
	}

	// The MCP plugin's start command: counts its runs and can log what a starting listener logs;
	// unbound, it is a command that handles nothing.
	struct FStartCommandDouble
	{
		std::atomic<int32> Runs{0};
		std::vector<std::string> LinesToLog;
		TUniquePtr<FAutoConsoleCommand> Command;

		explicit FStartCommandDouble(bool bHandles = true)
		{
			FConsoleCommandWithArgsDelegate Delegate;
			if (bHandles)
			{
				Delegate.BindLambda([this](const TArray<FString>&)
				{
					++Runs;
					for (const std::string& Line : LinesToLog)
					{
						GLog->Serialize(*UE::Host::FromUtf8(Line), ELogVerbosity::Log, FName(TEXT("LogHttpListener")));
					}
				});
			}
			Command = MakeUnique<FAutoConsoleCommand>(TEXT("ModelContextProtocol.StartServer"), TEXT("test double"), Delegate);
		}
	};

	class FWatcherTest : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			FHttpModule::Get();
			Watcher = MakeShared<FMcpLogWatcher>(Peer.GetPort());
			Watcher->Register();
		}

		void TearDown() override
		{
			Watcher->Shutdown();
			Pump([] { return false; }, 0.05);
		}

		// Ticks the core ticker (HTTP completions and progress) until Done or the deadline.
		template <typename Predicate>
		bool Pump(Predicate Done, double Seconds = 5.0)
		{
			const auto Deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(Seconds);
			while (!Done())
			{
				if (std::chrono::steady_clock::now() > Deadline)
				{
					return false;
				}
				FTSTicker::GetCoreTicker().Tick(0.005f);
				std::this_thread::sleep_for(std::chrono::milliseconds(2));
			}
			return true;
		}

		bool PumpUntilNoPing(double Seconds = 6.0)
		{
			return Pump([this] { return !Watcher->PendingRequest.IsValid(); }, Seconds);
		}

		// The lines of this editor's server and listener for the peer's port: a valid answer confirms.
		void ConfirmFromLog()
		{
			const FString Port = FString::FromInt(Peer.GetPort());
			Watcher->Serialize(*(TEXT("Starting MCP server on port ") + Port + TEXT(" ")), ELogVerbosity::Log, FName(TEXT("LogModelContextProtocol")));
			Watcher->Serialize(*(TEXT("Created new HttpListener on 127.0.0.1:") + Port), ELogVerbosity::Log, FName(TEXT("LogHttpListener")));
			ASSERT_TRUE(Watcher->IsConfirmedForThisEditor());
		}

		EMcpState State() const { return static_cast<EMcpState>(Watcher->State); }
		std::string Message() const { return UE::Host::ToUtf8(Watcher->Message); }
		std::string Port() const { return std::to_string(Peer.GetPort()); }
		std::string Unreachable() const { return "MCP nicht erreichbar  /  Port " + Port(); }

		FScriptedHttpPeer Peer;
		FStartCommandDouble StartCommand;
		TSharedPtr<FMcpLogWatcher> Watcher;
	};
}
