// Copyright Vantle contributors. All Rights Reserved.
// The MCP monitor's rarer roads: a request that cannot start, a start command that is no command or
// handles nothing, no editor log, a second start after a confirmed one; and what the module
// registers for the console and the tab manager.
#include "HAL/IConsoleManager.h"
#include "HostHttp.h"
#include "HostHttpServer.h"
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

	struct FHttpDisabledScope
	{
		FHttpDisabledScope() { UE::Host::SetHttpEnabled(false); }
		~FHttpDisabledScope() { UE::Host::SetHttpEnabled(true); }
	};

	struct FNoGlobalLogScope
	{
		FNoGlobalLogScope() { UE::Host::SetGlobalLogAvailable(false); }
		~FNoGlobalLogScope() { Restore(); }
		void Restore() { UE::Host::SetGlobalLogAvailable(true); }
	};

	using WatcherBranches = Vantle::Test::FWatcherTest;

	using McpEditorBranches = Vantle::Test::FMcpEditorTest;
}

TEST_F(WatcherBranches, ARequestThatCannotStartIsAProblemAndStartsNothing)
{
	FHttpDisabledScope HttpDisabled;
	Watcher->RequestStart();
	EXPECT_EQ(State(), EMcpState::Problem);
	EXPECT_EQ(Message(), "MCP-Pruefung konnte nicht gestartet werden.");
	EXPECT_FALSE(Watcher->PendingRequest.IsValid());
	EXPECT_FALSE(Watcher->bStartPending);
	EXPECT_NEAR(Watcher->NextCheckTime - FPlatformTime::Seconds(), 5.0, 0.5);
	Pump([] { return false; }, 0.1);
	EXPECT_EQ(StartCommand.Runs.load(), 0);
	EXPECT_TRUE(Peer.Requests().empty());
	// Not Checking, so the button stays usable and a later press tries again.
	Watcher->RequestStart();
	EXPECT_EQ(State(), EMcpState::Problem);
	EXPECT_EQ(Message(), "MCP-Pruefung konnte nicht gestartet werden.");
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
