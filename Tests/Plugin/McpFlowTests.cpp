// Copyright Vantle contributors. All Rights Reserved.
// The MCP monitor end to end in the headless editor, against the host's MCP server plugin.
#include "HostHttpServer.h"
#include "HttpModule.h"
#include "Interfaces/IHttpResponse.h"
#include "ScriptedHttpPeer.h"
#include "McpEditorTestSupport.h"

#include <atomic>
#include <memory>

namespace
{
	uint16_t FreePort()
	{
		return static_cast<uint16_t>(UE::Host::FindFreeLoopbackPort());
	}

	using McpFlow = Vantle::Test::FMcpEditorTest;
}

TEST_F(McpFlow, StartMcpStartsTheServerAndConfirmsIt)
{
	BootOnPort(FreePort());
	EXPECT_EQ(Watcher().Port, Port);
	Editor.Exec(TEXT("Vantle.StartMCP"));
	EXPECT_EQ(State(), EMcpState::Checking);
	// The panel is closed: the tick keeps driving the check while it is under way.
	ASSERT_TRUE(WaitForState(EMcpState::Confirmed)) << Message();
	EXPECT_EQ(Message(), "MCP l\xC3\xA4uft  /  Port " + std::to_string(Port));
	EXPECT_EQ(Log.Matching("Starting MCP server on port " + std::to_string(Port) + " ").size(), 1u);
	EXPECT_EQ(Log.Matching("Created new HttpListener on 127.0.0.1:" + std::to_string(Port)).size(), 1u);
	EXPECT_EQ(UE::Host::ToUtf8(Module().GetMcpButtonLabel().ToString()), "MCP pr\xC3\xBC" "fen");

	// Checking again with the server up confirms without a second start.
	Module().OnMcpButtonClicked();
	ASSERT_TRUE(WaitForState(EMcpState::Confirmed));
	EXPECT_EQ(Log.Matching("Starting MCP server on port").size(), 1u);
}

TEST_F(McpFlow, AForeignServerOnThePortIsNotThisEditors)
{
	FScriptedHttpPeer Foreign;
	Foreign.Expect(FScriptedExchange::Request("POST", "/mcp").Repeatedly().RespondWith(200, [](const FScriptedHttpRequest& Request) {
		const size_t Start = Request.Body.find("\"id\":\"") + 6;
		return R"({"jsonrpc":"2.0","id":")" + Request.Body.substr(Start, 32) + R"(","result":{}})";
	}));
	BootOnPort(Foreign.GetPort());
	Module().OnMcpButtonClicked();
	ASSERT_TRUE(WaitForState(EMcpState::Problem));
	EXPECT_EQ(Message(), "Port " + std::to_string(Port) + " antwortet, gehoert aber nicht bestaetigt zu diesem Editor.");
	EXPECT_TRUE(Log.Matching("Starting MCP server").empty());
}

TEST_F(McpFlow, APortHeldByAnotherListenerFailsTheStart)
{
	FScriptedHttpPeer Holder;
	Holder.Expect(FScriptedExchange::Request("POST", "/mcp").Respond(404).Repeatedly());
	BootOnPort(Holder.GetPort());
	Editor.Exec(TEXT("Vantle.StartMCP"));
	ASSERT_TRUE(WaitForState(EMcpState::Problem)) << Message();
	EXPECT_EQ(Message(), "Port " + std::to_string(Port) + " belegt. Start fehlgeschlagen.");
	EXPECT_EQ(Log.Matching("HttpListener unable to bind to 127.0.0.1:" + std::to_string(Port)).size(), 1u);
}

TEST_F(McpFlow, WithoutTheMcpPluginTheButtonSaysHowToEnableIt)
{
	BootOnPort(FreePort(), {TEXT("-DisablePlugins=ModelContextProtocol")});
	Editor.Exec(TEXT("Vantle.StartMCP"));
	EXPECT_EQ(State(), EMcpState::PluginMissing);
	EXPECT_EQ(Message(), "Model Context Protocol in Edit > Plugins aktivieren.");
	EXPECT_TRUE(Module().IsMcpButtonEnabled());
}

TEST_F(McpFlow, ThePortComesFromTheCommandLineClamped)
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

TEST_F(McpFlow, ShutdownWithAPingInFlightLeavesNothingBehind)
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

TEST_F(McpFlow, AServerThatCannotAnswerDuringAHitchAnswersInTheFirstFrameAfterIt)
{
	BootOnPort(FreePort());
	const std::string Confirmed = "MCP l\xC3\xA4uft  /  Port " + std::to_string(Port);
	Editor.Exec(TEXT("Vantle.Open"));
	Module().OnMcpButtonClicked();
	ASSERT_TRUE(WaitFor(EMcpState::Confirmed, Confirmed)) << Message();

	// The periodic check leaves, and a client that does not need the game thread pings as well.
	Watcher().NextCheckTime = 0.0;
	ASSERT_TRUE(PumpUntil([&] { return Watcher().PendingRequest.IsValid(); }));
	// Shared with the completion, which may outlive a test that fails early.
	const auto bClientDone = std::make_shared<std::atomic<bool>>(false);
	const auto ClientCode = std::make_shared<std::atomic<int32>>(0);
	const TSharedRef<IHttpRequest, ESPMode::ThreadSafe> Client = FHttpModule::Get().CreateRequest();
	Client->SetURL(FString::Printf(TEXT("http://127.0.0.1:%d/mcp"), Port));
	Client->SetVerb(TEXT("POST"));
	Client->SetHeader(TEXT("Content-Type"), TEXT("application/json"));
	Client->SetContentAsString(TEXT("{\"jsonrpc\":\"2.0\",\"id\":\"hitch\",\"method\":\"ping\"}"));
	Client->SetDelegateThreadPolicy(EHttpRequestDelegateThreadPolicy::CompleteOnHttpThread);
	Client->OnProcessRequestComplete().BindLambda(
		[bClientDone, ClientCode](FHttpRequestPtr, FHttpResponsePtr Response, bool bConnected)
		{
			ClientCode->store(bConnected && Response.IsValid() ? Response->GetResponseCode() : -1);
			bClientDone->store(true);
		});
	ASSERT_TRUE(Client->ProcessRequest());
	const auto WaitWithoutTicking = [](const auto& Done)
	{
		const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
		while (!Done() && std::chrono::steady_clock::now() < Deadline)
		{
			std::this_thread::sleep_for(std::chrono::milliseconds(2));
		}
		return Done();
	};
	// Both usually wait; on a loaded machine the plugin's ping may time out before it connects.
	ASSERT_TRUE(WaitWithoutTicking([] { return UE::Host::GetHttpServerRequestsWaiting() == 2; }) || UE::Host::GetHttpServerRequestsWaiting() == 1);
	const int32 Waiting = UE::Host::GetHttpServerRequestsWaiting();

	// An editor hitch longer than the ping's 2 s time-out: nothing is routed or answered meanwhile.
	Editor.Exec(TEXT("Host.Stall 4"));
	EXPECT_EQ(Log.Matching("Stalled the game thread for 4 s").size(), 1u);
	EXPECT_FALSE(bClientDone->load());
	EXPECT_GE(UE::Host::GetHttpServerRequestsWaiting(), Waiting);
	EXPECT_EQ(State(), EMcpState::Confirmed);

	// The first frame after it routes both and hands the answers over.
	Editor.Tick(0.01);
	EXPECT_EQ(UE::Host::GetHttpServerRequestsWaiting(), 0);
	ASSERT_TRUE(WaitWithoutTicking([&] { return bClientDone->load(); }));
	EXPECT_EQ(ClientCode->load(), 200);

	// The plugin's ping timed out during the hitch: the server counts as unreachable, not started.
	ASSERT_TRUE(PumpUntil([&] { return !Watcher().PendingRequest.IsValid(); }));
	EXPECT_EQ(State(), EMcpState::Idle);
	EXPECT_EQ(Message(), "MCP nicht erreichbar  /  Port " + std::to_string(Port));

	// Ticking again, a press confirms the running server without starting it again.
	Module().OnMcpButtonClicked();
	ASSERT_TRUE(WaitFor(EMcpState::Confirmed, Confirmed)) << Message();
	EXPECT_EQ(Log.Matching("Starting MCP server on port " + std::to_string(Port) + " ").size(), 1u);
}

TEST_F(McpFlow, AServerStartedBeforeTheWatcherJoinedTheLogIsNotConfirmedByIt)
{
	BootOnPort(FreePort());
	// As during the editor's start-up, the log keeps its lines; adding a device does not replay them.
	GLog->EnableBacklog(true);
	Editor.Exec(*FString::Printf(TEXT("ModelContextProtocol.StartServer %d"), Port));
	GLog->FlushThreadedLogs();
	const TSharedPtr<FMcpLogWatcher> Late = MakeShared<FMcpLogWatcher>(Port);
	Late->Register();
	GLog->EnableBacklog(false);
	EXPECT_FALSE(Late->IsConfirmedForThisEditor());

	Late->RequestStart();
	ASSERT_TRUE(PumpUntil([&] { return static_cast<EMcpState>(Late->State) != EMcpState::Checking; }, 8.0));
	EXPECT_EQ(static_cast<EMcpState>(Late->State), EMcpState::Problem);
	EXPECT_EQ(UE::Host::ToUtf8(Late->Message), "Port " + std::to_string(Port) + " antwortet, gehoert aber nicht bestaetigt zu diesem Editor.");
	EXPECT_FALSE(Late->bStartPending);
	EXPECT_FALSE(Late->PendingRequest.IsValid());
	EXPECT_EQ(Log.Matching("Starting MCP server on port " + std::to_string(Port) + " ").size(), 1u);
	Late->Shutdown();
}
