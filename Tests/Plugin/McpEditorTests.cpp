// Copyright Vantle contributors. All Rights Reserved.
// The MCP monitor where only the host can lead it: HTTP switched off, no editor log, an answer cut
// off while it arrives, the port from the command line, module shut-down and logging threads. Its
// behaviour against a route and the MCP plugin is in the automation tests (Vantle.Mcp).
#include "Containers/Ticker.h"
#include "HAL/IConsoleManager.h"
#include "HostHttp.h"
#include "HostHttpServer.h"
#include "HostModelContextProtocol.h"
#include "HostSlate.h"
#include "HttpModule.h"
#include "McpLogWatcher.h"
#include "Misc/ScopeLock.h"
#include "ScriptedHttpPeer.h"
#include "Styling/ISlateStyle.h"
#include "VantleTestEditor.h"

#include <atomic>
#include <thread>
#include <vector>

using Vantle::Test::FEditorTest;

namespace
{
	DEFINE_LOG_CATEGORY_STATIC(LogHttpListener, Log, All);
	DEFINE_LOG_CATEGORY_STATIC(LogModelContextProtocol, Log, All);

	std::string PingAnswer(const FScriptedHttpRequest& Request, const std::string& ResultJson = "{}")
	{
		const size_t Start = Request.Body.find("\"id\":\"") + 6;
		return R"({"jsonrpc":"2.0","id":")" + Request.Body.substr(Start, 32) + R"(","result":)" + ResultJson + "}";
	}

	void LogListenerLines(int32 Port)
	{
		UE_LOG(LogModelContextProtocol, Log, TEXT("Starting MCP server on port %d (override with -ModelContextProtocolPort=N)."), Port);
		UE_LOG(LogHttpListener, Log, TEXT("Created new HttpListener on 127.0.0.1:%d"), Port);
		GLog->FlushThreadedLogs();
	}

	// A watcher on its own, pinging a scripted peer, with the MCP plugin's start command counting its runs.
	class McpWatcher : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			FHttpModule::Get();
			StartCommand = MakeUnique<FAutoConsoleCommand>(TEXT("ModelContextProtocol.StartServer"), TEXT("test double"),
				FConsoleCommandWithArgsDelegate::CreateLambda([this](const TArray<FString>&) { ++StartRuns; }));
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
		bool Pump(Predicate Done, double Seconds = 6.0)
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

		FScriptedHttpPeer Peer;
		std::atomic<int32> StartRuns{0};
		TUniquePtr<FAutoConsoleCommand> StartCommand;
		TSharedPtr<FMcpLogWatcher> Watcher;
	};

	// The module booted on a chosen MCP port, in real time.
	class McpEditor : public FEditorTest
	{
	protected:
		void SetUp() override {}

		void BootOnPort(int32 InPort, TArray<FString> Extra = {})
		{
			Port = InPort;
			Extra.Add(FString::Printf(TEXT("-VantleMCPPort=%d"), Port));
			Boot(Vantle::Test::SamplePath("Showcase.json"), Extra, false);
		}

		FMcpLogWatcher& Watcher() { return *Module().McpWatcher; }
		EMcpState State() { return static_cast<EMcpState>(Watcher().State); }
		std::string Message() { return UE::Host::ToUtf8(Watcher().Message); }

		int32 Port = 0;
	};

	// Leaves HTTP on, with refused requests completing inside ProcessRequest, whatever a test did.
	struct FHttpDefaultsOnExit
	{
		~FHttpDefaultsOnExit()
		{
			UE::Host::SetHttpEnabled(true);
			UE::Host::SetHttpRefusedCompletion(UE::Host::EHttpRefusedCompletion::InsideProcessRequest);
		}
	};
}

namespace
{
	class McpEditorHttpOff : public McpEditor
	{
	protected:
		// "MCP starten" with HTTP switched off from the console: the refused request's completion
		// (at the given moment) must not count as "no answer" and start the server.
		void PressStartWithHttpOff(UE::Host::EHttpRefusedCompletion When)
		{
			UE::Host::SetHttpRefusedCompletion(When);
			Port = UE::Host::FindFreeLoopbackPort();
			Boot(Vantle::Test::SamplePath("Showcase.json"), {FString::Printf(TEXT("-VantleMCPPort=%d"), Port)});
			Editor.Exec(TEXT("Host.Http Off"));
			ASSERT_EQ(Log.Matching("HTTP disabled").size(), 1u);
			const double PressTime = FPlatformTime::Seconds();
			Module().OnMcpButtonClicked();
			const std::string Refused = "MCP-Pruefung konnte nicht gestartet werden.";
			EXPECT_EQ(State(), EMcpState::Problem);
			EXPECT_EQ(Message(), Refused);

			// The panel open keeps the periodic check going; the next tick delivers a late completion.
			Editor.Exec(TEXT("Vantle.Open"));
			TickFor(0.0);
			TickFor(4.0);
			EXPECT_EQ(State(), EMcpState::Problem);
			EXPECT_EQ(Message(), Refused);
			EXPECT_FALSE(Watcher().PendingRequest.IsValid());
			EXPECT_FALSE(Watcher().bStartPending);
			EXPECT_EQ(UE::Host::GetHttpGameThreadTasksPending(), 0);
			EXPECT_NEAR(Watcher().NextCheckTime, PressTime + 5.0, 1e-6);

			// Not Checking, so the check comes back 5 s after the press, and a press tries again.
			TickFor(1.5);
			EXPECT_NEAR(Watcher().NextCheckTime, PressTime + 5.5 + 5.0, 1e-6);
			Module().OnMcpButtonClicked();
			TickFor(0.0);
			EXPECT_EQ(State(), EMcpState::Problem);
			EXPECT_EQ(Message(), Refused);
			EXPECT_TRUE(Log.Matching("Starting MCP server").empty());
			EXPECT_EQ(UE::Host::GetMcpServerPort(), 0u);
			EXPECT_EQ(Log.Matching("Cannot process HTTP request to http://127.0.0.1:" + std::to_string(Port) + "/mcp: HTTP is disabled.").size(), 3u);
		}

		FHttpDefaultsOnExit HttpDefaults;
	};
}

TEST_F(McpEditorHttpOff, AProblemThatStartsNothingWhenRefusedRequestsCompleteAtOnce)
{
	PressStartWithHttpOff(UE::Host::EHttpRefusedCompletion::InsideProcessRequest);
}

TEST_F(McpEditorHttpOff, AProblemThatStartsNothingWhenRefusedRequestsCompleteAtTheNextTick)
{
	PressStartWithHttpOff(UE::Host::EHttpRefusedCompletion::NextTick);
}

TEST_F(McpWatcher, WithoutTheEditorLogAValidAnswerIsNeverConfirmed)
{
	Peer.Expect(FScriptedExchange::Request("POST", "/mcp").Respond(404));
	Peer.Expect(FScriptedExchange::Request("POST", "/mcp").RespondWith(200, [](const FScriptedHttpRequest& R) { return PingAnswer(R); }));
	UE::Host::SetGlobalLogAvailable(false);
	TSharedPtr<FMcpLogWatcher> Lone = MakeShared<FMcpLogWatcher>(Peer.GetPort());
	Lone->Register();
	// The failed ping starts the server with no log to hand the command's output to.
	Lone->RequestStart();
	const bool bStarted = Pump([&Lone] { return !Lone->PendingRequest.IsValid(); });
	UE::Host::SetGlobalLogAvailable(true);
	ASSERT_TRUE(bStarted);
	EXPECT_EQ(StartRuns.load(), 1);
	EXPECT_EQ(static_cast<EMcpState>(Lone->State), EMcpState::Checking);

	// The log is back and carries the server's lines, but this watcher never joined it.
	LogListenerLines(Peer.GetPort());
	EXPECT_FALSE(GLog->IsRedirectingTo(Lone.Get()));
	Lone->SendPing();
	ASSERT_TRUE(Pump([&Lone] { return !Lone->PendingRequest.IsValid(); }));
	EXPECT_EQ(static_cast<EMcpState>(Lone->State), EMcpState::Problem);
	Lone->Shutdown();
}

TEST_F(McpWatcher, AnOversizedAnswerIsCancelledWhileItArrives)
{
	// 66 KiB of a valid 70 KB answer, then the peer holds the rest back until the client leaves.
	constexpr size_t FirstPart = 66 * 1024;
	LogListenerLines(Peer.GetPort());
	Peer.Expect(FScriptedExchange::Request("POST", "/mcp")
					.RespondWith(200, [](const FScriptedHttpRequest& Request) { return PingAnswer(Request, R"({"pad":")" + std::string(70 * 1000, 'x') + R"("})"); })
					.Drip(FirstPart, std::chrono::seconds(60)));
	Watcher->SendPing();
	FHttpRequestPtr Request = Watcher->PendingRequest;
	ASSERT_TRUE(Pump([this] { return !Watcher->PendingRequest.IsValid(); }));
	// The watcher cancelled it; the request's own time-out did not end it.
	EXPECT_EQ(Request->GetStatus(), EHttpRequestStatus::Failed);
	EXPECT_EQ(Request->GetFailureReason(), EHttpFailureReason::Cancelled);
	Pump([this] { return Peer.BodyBytesSent() >= FirstPart; }, 1.0);
	EXPECT_EQ(Peer.BodyBytesSent(), FirstPart);
	EXPECT_EQ(static_cast<EMcpState>(Watcher->State), EMcpState::Idle);
}

TEST_F(McpWatcher, LinesFromManyThreadsEachUpdateTheFlagsAtomically)
{
	// Every thread logs created/failed pairs; whatever the interleaving, the two flags are never
	// both set or both clear once a listener line has been seen.
	const FName Listener(TEXT("LogHttpListener"));
	const FString Created = FString::Printf(TEXT("Created new HttpListener on 127.0.0.1:%d"), Peer.GetPort());
	const FString Failed = FString::Printf(TEXT("HttpListener unable to bind to 127.0.0.1:%d"), Peer.GetPort());
	std::vector<std::thread> Threads;
	std::atomic<bool> bInconsistent{false};
	for (int32 Index = 0; Index < 8; ++Index)
	{
		Threads.emplace_back([&, Index] {
			for (int32 Round = 0; Round < 2000; ++Round)
			{
				Watcher->Serialize((Round + Index) % 2 ? *Created : *Failed, ELogVerbosity::Log, Listener);
				FScopeLock Lock(&Watcher->FlagLock);
				if (Watcher->bListenerCreated == Watcher->bBindFailed)
				{
					bInconsistent = true;
				}
			}
		});
	}
	for (std::thread& Thread : Threads)
	{
		Thread.join();
	}
	EXPECT_FALSE(bInconsistent);
}

TEST_F(McpEditor, ThePortComesFromTheCommandLineClamped)
{
	struct FCase
	{
		const TCHAR* Arg;
		int32 Port;
	};
	for (const FCase& Case : {FCase{nullptr, 8000}, FCase{TEXT("-VantleMCPPort=70000"), 65535}, FCase{TEXT("-VantleMCPPort=0"), 1},
			 FCase{TEXT("-VantleMCPPort=-5"), 1}, FCase{TEXT("-VantleMCPPort=abc"), 1}, FCase{TEXT("-VantleMCPPort=4294975296"), 65535},
			 FCase{TEXT("-VantleMCPPort=-4294967296"), 1}, FCase{TEXT("-VantleMCPPort=18080"), 18080}})
	{
		TArray<FString> Extra;
		if (Case.Arg)
		{
			Extra.Add(Case.Arg);
		}
		Boot(Vantle::Test::SamplePath("Showcase.json"), Extra);
		EXPECT_EQ(Watcher().Port, Case.Port) << (Case.Arg ? UE::Host::ToUtf8(Case.Arg) : "no key");
		Stop();
	}
}

TEST_F(McpEditor, ShutdownWithAPingInFlightLeavesNothingBehind)
{
	FScriptedHttpPeer Silent;
	Silent.Expect(FScriptedExchange::Request("POST", "/mcp").NeverAnswer());
	BootOnPort(Silent.GetPort());
	Editor.Exec(TEXT("Vantle.StartMCP"));
	ASSERT_TRUE(Watcher().PendingRequest.IsValid());
	TSharedPtr<FMcpLogWatcher> Kept = Module().McpWatcher;
	Stop();
	EXPECT_FALSE(Kept->PendingRequest.IsValid());
	EXPECT_TRUE(Kept->bShuttingDown);
	EXPECT_EQ(Kept.GetSharedReferenceCount(), 1);
}

using ModuleRegistrations = FEditorTest;

TEST_F(ModuleRegistrations, ConsoleHelpTextsAndThePanelsSpawner)
{
	const std::pair<const TCHAR*, const char*> Helps[] = {
		{TEXT("Vantle.Open"), "Open Vantle."},
		{TEXT("Vantle.FixReferences"), "Repair references of the focused sequence; does not save."},
		{TEXT("Vantle.Capture"), "Development: capture the Vantle window to a PNG path."},
		{TEXT("Vantle.StartMCP"), "Start MCP and verify the local listener and protocol response."},
	};
	for (const auto& [Name, Help] : Helps)
	{
		IConsoleObject* Object = IConsoleManager::Get().FindConsoleObject(Name);
		ASSERT_NE(Object, nullptr) << UE::Host::ToUtf8(FString(Name));
		EXPECT_EQ(UE::Host::ToUtf8(FString(Object->GetHelp())), Help);
		EXPECT_EQ(Object->GetFlags(), 0u);
	}

	const FTabSpawnerEntry* Spawner = UE::Host::FindNomadTabSpawner(TEXT("Vantle.Panel"));
	ASSERT_NE(Spawner, nullptr);
	EXPECT_EQ(UE::Host::ToUtf8(Spawner->GetDisplayName().ToString()), "Vantle");
	EXPECT_TRUE(Spawner->GetTooltipText().IsEmpty());
	const FSlateIcon& Icon = Spawner->GetIcon();
	EXPECT_TRUE(Icon.IsSet());
	EXPECT_EQ(Icon.GetStyleSetName(), FName(TEXT("Vantle.Style")));
	EXPECT_EQ(Icon.GetStyleName(), FName(TEXT("Vantle.Icon")));
	ASSERT_NE(Icon.GetOptionalIcon(), nullptr);
	EXPECT_EQ(Icon.GetOptionalIcon(), Icon.GetStyleSet()->GetBrush(TEXT("Vantle.Icon")));
}
