// Copyright Vantle contributors. All Rights Reserved.
// The MCP monitor's rarer roads: a request that cannot start (HTTP off), a start command that is no command or
// handles nothing, no editor log, a second start after a confirmed one; and what the module
// registers for the console and the tab manager.
#include "HAL/IConsoleManager.h"
#include "HostHttp.h"
#include "HostHttpServer.h"
#include "HostModelContextProtocol.h"
#include "HostSlate.h"
#include "Styling/ISlateStyle.h"
#include "McpWatcherTestSupport.h"
#include "McpEditorTestSupport.h"

using Vantle::Test::FEditorTest;
using Vantle::Test::FStartCommandDouble;
using Vantle::Test::PingAnswer;

namespace
{
	DEFINE_LOG_CATEGORY_STATIC(LogHttpListener, Log, All);
	DEFINE_LOG_CATEGORY_STATIC(LogModelContextProtocol, Log, All);

	void LogListenerLines(int32 Port)
	{
		UE_LOG(LogModelContextProtocol, Log, TEXT("Starting MCP server on port %d (override with -ModelContextProtocolPort=N)."), Port);
		UE_LOG(LogHttpListener, Log, TEXT("Created new HttpListener on 127.0.0.1:%d"), Port);
		GLog->FlushThreadedLogs();
	}

	// Leaves HTTP on, with refused requests completing inside ProcessRequest, whatever a test did.
	struct FHttpDefaultsOnExit
	{
		~FHttpDefaultsOnExit()
		{
			UE::Host::SetHttpEnabled(true);
			UE::Host::SetHttpRefusedCompletion(UE::Host::EHttpRefusedCompletion::InsideProcessRequest);
		}
	};

	struct FNoGlobalLogScope
	{
		FNoGlobalLogScope() { UE::Host::SetGlobalLogAvailable(false); }
		~FNoGlobalLogScope() { Restore(); }
		void Restore() { UE::Host::SetGlobalLogAvailable(true); }
	};

	using WatcherBranches = Vantle::Test::FWatcherTest;

	class McpEditorBranches : public Vantle::Test::FMcpEditorTest
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

TEST_F(McpEditorBranches, WithHttpOffMcpStartenIsAProblemAndStartsNothingWhenRefusedRequestsCompleteAtOnce)
{
	PressStartWithHttpOff(UE::Host::EHttpRefusedCompletion::InsideProcessRequest);
}

TEST_F(McpEditorBranches, WithHttpOffMcpStartenIsAProblemAndStartsNothingWhenRefusedRequestsCompleteAtTheNextTick)
{
	PressStartWithHttpOff(UE::Host::EHttpRefusedCompletion::NextTick);
}

TEST_F(WatcherBranches, AConsoleVariableNamedLikeTheStartCommandMeansThePluginIsMissing)
{
	StartCommand.Command.Reset();
	IConsoleVariable* Variable = IConsoleManager::Get().RegisterConsoleVariable(TEXT("ModelContextProtocol.StartServer"), 0, TEXT("not a command"));
	ASSERT_NE(Variable, nullptr);
	Watcher->RequestStart();
	IConsoleManager::Get().UnregisterConsoleObject(Variable);
	EXPECT_EQ(State(), EMcpState::PluginMissing);
	EXPECT_EQ(Message(), "Model Context Protocol in Edit > Plugins aktivieren.");
	EXPECT_FALSE(Watcher->bStartPending);
	EXPECT_FALSE(Watcher->PendingRequest.IsValid());
	EXPECT_TRUE(Peer.Requests().empty());
}

TEST_F(WatcherBranches, WithoutTheEditorLogAValidAnswerIsNeverConfirmed)
{
	Peer.Expect(FScriptedExchange::Request("POST", "/mcp").Respond(404));
	Peer.Expect(FScriptedExchange::Request("POST", "/mcp").RespondWith(200, [](const FScriptedHttpRequest& R) { return PingAnswer(R); }));
	FNoGlobalLogScope NoLog;
	TSharedPtr<FMcpLogWatcher> Lone = MakeShared<FMcpLogWatcher>(Peer.GetPort());
	Lone->Register();
	// The failed ping starts the server with no log to hand the command's output to.
	Lone->RequestStart();
	ASSERT_TRUE(Pump([&Lone] { return !Lone->PendingRequest.IsValid(); }, 6.0));
	EXPECT_EQ(StartCommand.Runs.load(), 1);
	EXPECT_EQ(static_cast<EMcpState>(Lone->State), EMcpState::Checking);

	// The log is back and carries the server's lines, but this watcher never joined it.
	NoLog.Restore();
	LogListenerLines(Peer.GetPort());
	EXPECT_FALSE(GLog->IsRedirectingTo(Lone.Get()));
	Lone->SendPing();
	ASSERT_TRUE(Pump([&Lone] { return !Lone->PendingRequest.IsValid(); }, 6.0));
	EXPECT_EQ(static_cast<EMcpState>(Lone->State), EMcpState::Problem);
	EXPECT_EQ(UE::Host::ToUtf8(Lone->Message), "Port " + Port() + " antwortet, gehoert aber nicht bestaetigt zu diesem Editor.");
	Lone->Shutdown();
}

TEST_F(McpEditorBranches, ASecondPressAfterAConfirmedStartStartsTheServerAgainWhenThePingFails)
{
	BootOnPort(UE::Host::FindFreeLoopbackPort());
	const std::string Confirmed = "MCP l\xC3\xA4uft  /  Port " + std::to_string(Port);
	Module().OnMcpButtonClicked();
	ASSERT_TRUE(WaitFor(EMcpState::Confirmed, Confirmed)) << Message();
	ASSERT_EQ(Log.Matching("Starting MCP server on port " + std::to_string(Port) + " ").size(), 1u);

	// The server stops behind the panel's back (its listener keeps the port and answers 404); the
	// next press gets no valid answer and starts it again.
	Editor.Exec(TEXT("ModelContextProtocol.StopServer"));
	ASSERT_EQ(Log.Matching("Stopped MCP server on port " + std::to_string(Port)).size(), 1u);
	EXPECT_TRUE(Module().IsMcpButtonEnabled());
	Module().OnMcpButtonClicked();
	EXPECT_EQ(State(), EMcpState::Checking);
	EXPECT_EQ(Message(), "MCP wird geprueft ...");
	ASSERT_TRUE(WaitFor(EMcpState::Confirmed, Confirmed)) << Message();
	EXPECT_EQ(Log.Matching("Starting MCP server on port " + std::to_string(Port) + " ").size(), 2u);
}

TEST_F(McpEditorBranches, AnUnhandledStartCommandIsReplacedByTheConfirmingPingWhileThePanelIsOpen)
{
	FScriptedHttpPeer Peer;
	Peer.Expect(FScriptedExchange::Request("POST", "/mcp").Respond(404).After(std::chrono::milliseconds(200)));
	Peer.Expect(FScriptedExchange::Request("POST", "/mcp").Repeatedly().RespondWith(200, [](const FScriptedHttpRequest& R) { return PingAnswer(R); }));
	BootOnPort(Peer.GetPort(), {TEXT("-DisablePlugins=ModelContextProtocol")});
	FStartCommandDouble Unhandled(false);
	LogListenerLines(Port);

	Module().OnMcpButtonClicked();
	ASSERT_TRUE(Watcher().PendingRequest.IsValid());
	Editor.Exec(TEXT("Vantle.Open"));
	ASSERT_TRUE(Module().PanelTab.IsValid());
	ASSERT_TRUE(WaitFor(EMcpState::Problem, "Startbefehl nicht verfuegbar. Plugin pruefen.")) << Message();
	EXPECT_EQ(Peer.Requests().size(), 1u);
	ASSERT_TRUE(WaitFor(EMcpState::Confirmed, "MCP l\xC3\xA4uft  /  Port " + std::to_string(Port))) << Message();
	EXPECT_EQ(Peer.Requests().size(), 2u);
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
