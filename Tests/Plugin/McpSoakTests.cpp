// Copyright Vantle contributors. All Rights Reserved.
// A bounded soak for the thread sanitizer: eight threads log watched and unrelated lines while the
// game thread starts, stops and pings the MCP server. Each round both sides work at once; the
// test waits for both and checks states and flags, never durations.
#include "HostHttpServer.h"
#include "Misc/ScopeLock.h"
#include "VantleTestEditor.h"

#include <atomic>
#include <thread>
#include <vector>

using Vantle::Test::FEditorTest;

namespace
{
	DEFINE_LOG_CATEGORY_STATIC(LogHttpListener, Log, All);
	DEFINE_LOG_CATEGORY_STATIC(LogModelContextProtocol, Log, All);
	DEFINE_LOG_CATEGORY_STATIC(LogSoakNoise, Log, All);

	constexpr int32 LoggerCount = 8;
	constexpr int32 Rounds = 6;
	constexpr int32 LinesPerRound = 250;

	// Lines that only ever confirm this port, lines of the watched categories for other ports or
	// in other shapes, and unrelated lines that look like watched ones.
	void LogOneLine(int32 Port, int32 Kind)
	{
		switch (Kind % 8)
		{
		case 0:
			UE_LOG(LogModelContextProtocol, Log, TEXT("Starting MCP server on port %d (override with -ModelContextProtocolPort=N)."), Port);
			break;
		case 1:
			UE_LOG(LogHttpListener, Log, TEXT("Created new HttpListener on 127.0.0.1:%d"), Port);
			break;
		case 2:
			UE_LOG(LogHttpListener, Error, TEXT("HttpListener unable to bind to 127.0.0.1:%d"), Port + 1);
			break;
		case 3:
			UE_LOG(LogHttpListener, Log, TEXT("HttpListener stopping listening on Port %d"), Port + 1);
			break;
		case 4:
			UE_LOG(LogHttpListener, Log, TEXT("Created new HttpListener on 127.0.0.1:%d."), Port);
			break;
		case 5:
			UE_LOG(LogSoakNoise, Log, TEXT("HttpListener unable to bind to 127.0.0.1:%d"), Port);
			break;
		case 6:
			UE_LOG(LogSoakNoise, Warning, TEXT("HttpListener stopping listening on Port %d"), Port);
			break;
		default:
			UE_LOG(LogModelContextProtocol, Log, TEXT("MCP server is not running."));
			break;
		}
	}

	class McpSoak : public FEditorTest
	{
	protected:
		void SetUp() override {}

		FMcpLogWatcher& Watcher() { return *Module().McpWatcher; }
		EMcpState State() { return static_cast<EMcpState>(Watcher().State); }
		std::string Message() { return UE::Host::ToUtf8(Watcher().Message); }
	};
}

TEST_F(McpSoak, EightLoggersWhileTheServerStartsStopsAndIsPinged)
{
	const int32 Port = UE::Host::FindFreeLoopbackPort();
	Boot(Vantle::Test::SamplePath("Showcase.json"), {FString::Printf(TEXT("-VantleMCPPort=%d"), Port)}, false);
	const std::string Confirmed = "MCP l\xC3\xA4uft  /  Port " + std::to_string(Port);
	const std::string Unreachable = "MCP nicht erreichbar  /  Port " + std::to_string(Port);

	std::atomic<int32> Round{-1};
	std::atomic<int32> ChunksDone{0};
	std::vector<std::thread> Loggers;
	for (int32 Logger = 0; Logger < LoggerCount; ++Logger)
	{
		Loggers.emplace_back([&, Logger] {
			for (int32 Chunk = 0; Chunk < Rounds; ++Chunk)
			{
				while (Round.load() < Chunk)
				{
					std::this_thread::yield();
				}
				for (int32 Line = 0; Line < LinesPerRound; ++Line)
				{
					LogOneLine(Port, Logger + Line);
				}
				++ChunksDone;
			}
		});
	}

	for (int32 Step = 0; Step < Rounds; ++Step)
	{
		Round.store(Step);
		if (Step % 2 == 0)
		{
			// A start through the plugin: the ping finds no route, the start command runs, the
			// confirming ping is answered.
			Editor.Exec(TEXT("Vantle.StartMCP"));
			EXPECT_TRUE(PumpUntil([&] { return State() != EMcpState::Checking; }, 20.0)) << "round " << Step;
			EXPECT_EQ(State(), EMcpState::Confirmed) << "round " << Step;
			EXPECT_EQ(Message(), Confirmed) << "round " << Step;
		}
		else
		{
			Editor.Exec(TEXT("ModelContextProtocol.StopServer"));
			Watcher().SendPing();
			EXPECT_TRUE(PumpUntil([&] { return !Watcher().PendingRequest.IsValid(); }, 20.0)) << "round " << Step;
			EXPECT_EQ(State(), EMcpState::Idle) << "round " << Step;
			EXPECT_EQ(Message(), Unreachable) << "round " << Step;
		}
		while (ChunksDone.load() < (Step + 1) * LoggerCount)
		{
			Editor.Tick(0.0);
			std::this_thread::yield();
		}
	}
	for (std::thread& Thread : Loggers)
	{
		Thread.join();
	}
	GLog->FlushThreadedLogs();

	EXPECT_EQ(ChunksDone.load(), Rounds * LoggerCount);
	{
		FScopeLock Lock(&Watcher().FlagLock);
		EXPECT_TRUE(Watcher().bStartLineSeen);
		EXPECT_TRUE(Watcher().bListenerCreated);
		EXPECT_FALSE(Watcher().bBindFailed);
	}
	EXPECT_FALSE(Watcher().bStartPending);
	EXPECT_EQ(Log.Matching("Starting MCP server on port " + std::to_string(Port) + " ").size(),
			  static_cast<size_t>(Rounds / 2 + Rounds * LoggerCount * LinesPerRound / 8));

	// The server is stopped after the last round; a last start confirms it again.
	Editor.Exec(TEXT("Vantle.StartMCP"));
	ASSERT_TRUE(PumpUntil([&] { return State() != EMcpState::Checking; }, 20.0));
	EXPECT_EQ(State(), EMcpState::Confirmed);
	EXPECT_EQ(Message(), Confirmed);
}
