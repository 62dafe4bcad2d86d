// Copyright Vantle contributors. All Rights Reserved.
// The watcher's ping and state machine against a scripted HTTP peer on loopback.
#include "HAL/PlatformTime.h"
#include "McpWatcherTestSupport.h"

namespace
{
	DEFINE_LOG_CATEGORY_STATIC(LogHttpListener, Log, All);
	DEFINE_LOG_CATEGORY_STATIC(LogModelContextProtocol, Log, All);

	std::string Lower(std::string Text)
	{
		for (char& Ch : Text)
		{
			Ch = static_cast<char>(std::tolower(static_cast<unsigned char>(Ch)));
		}
		return Text;
	}

	using Vantle::Test::PingIdOf;

	std::string ValidAnswer(const FScriptedHttpRequest& Request)
	{
		return Vantle::Test::PingAnswer(Request);
	}

	class WatcherPing : public Vantle::Test::FWatcherTest
	{
	protected:
		// Sends one ping with no start pending and waits for its completion.
		void PingOnce()
		{
			Watcher->SendPing();
			ASSERT_TRUE(PumpUntilNoPing()) << "the ping never completed";
		}

		void Answer(int Status, std::function<std::string(const FScriptedHttpRequest&)> Body)
		{
			Peer.Expect(FScriptedExchange::Request("POST", "/mcp").RespondWith(Status, std::move(Body)).Header("Content-Type", "application/json"));
		}

		void ConfirmFromLog()
		{
			const FString Port = FString::FromInt(Peer.GetPort());
			UE_LOG(LogModelContextProtocol, Log, TEXT("Starting MCP server on port %s (override with -ModelContextProtocolPort=N)."), *Port);
			UE_LOG(LogHttpListener, Log, TEXT("Created new HttpListener on 127.0.0.1:%s"), *Port);
			GLog->FlushThreadedLogs();
		}
	};
}

TEST_F(WatcherPing, SendsTheSpecifiedRequest)
{
	Answer(200, ValidAnswer);
	PingOnce();
	ASSERT_TRUE(Peer.WaitForRequests(1));
	const FScriptedHttpRequest Request = Peer.Requests()[0];
	EXPECT_EQ(Request.Header("Content-Type"), "application/json");
	EXPECT_EQ(Request.Header("Accept"), "application/json, text/event-stream");
	EXPECT_EQ(Request.Body, R"({"jsonrpc":"2.0","id":")" + UE::Host::ToUtf8(Watcher->PingId) + R"(","method":"ping"})");
	EXPECT_EQ(Watcher->PingId.Len(), 32);
	EXPECT_EQ(Watcher->PingId, Watcher->PingId.ToUpper());
}

TEST_F(WatcherPing, AValidAnswerConfirmsOnlyWithTheListenerLines)
{
	Answer(200, [](const FScriptedHttpRequest& R) { return R"({"jsonrpc":"2.0","id":")" + Lower(PingIdOf(R.Body)) + R"(","result":{"x":1}})"; });
	PingOnce();
	EXPECT_EQ(State(), EMcpState::Problem);
	EXPECT_EQ(Message(), "Port " + Port() + " antwortet, gehoert aber nicht bestaetigt zu diesem Editor.");

	// The server's start line without this editor's listener is still someone else's answer.
	Watcher->Serialize(*(TEXT("Starting MCP server on port ") + FString::FromInt(Peer.GetPort()) + TEXT(" ")), ELogVerbosity::Log, FName(TEXT("LogModelContextProtocol")));
	Answer(200, ValidAnswer);
	PingOnce();
	EXPECT_EQ(State(), EMcpState::Problem);

	ConfirmFromLog();
	Answer(200, ValidAnswer);
	PingOnce();
	EXPECT_EQ(State(), EMcpState::Confirmed);
	EXPECT_EQ(Message(), "MCP l\xC3\xA4uft  /  Port " + Port());
}

TEST_F(WatcherPing, EveryInvalidAnswerLeavesTheServerUnreachable)
{
	ConfirmFromLog();
	const std::vector<std::pair<int, std::function<std::string(const FScriptedHttpRequest&)>>> Answers = {
		{404, ValidAnswer},
		{200, [](const FScriptedHttpRequest&) { return std::string("not json"); }},
		{200, [](const FScriptedHttpRequest& R) { return "event: message\ndata: " + ValidAnswer(R) + "\n\n"; }},
		{200, [](const FScriptedHttpRequest& R) { return R"({"jsonrpc":"1.0","id":")" + PingIdOf(R.Body) + R"(","result":{}})"; }},
		{200, [](const FScriptedHttpRequest&) { return std::string(R"({"jsonrpc":"2.0","id":"00000000000000000000000000000001","result":{}})"); }},
		{200, [](const FScriptedHttpRequest& R) { return R"({"jsonrpc":"2.0","id":")" + PingIdOf(R.Body) + R"(","result":null})"; }},
		{200, [](const FScriptedHttpRequest& R) { return R"({"jsonrpc":"2.0","id":")" + PingIdOf(R.Body) + R"(","result":5})"; }},
		{200, [](const FScriptedHttpRequest& R) { return R"({"jsonrpc":"2.0","id":")" + PingIdOf(R.Body) + R"("})"; }},
		{200, [](const FScriptedHttpRequest& R) { return R"({"jsonrpc":"2.0","id":")" + PingIdOf(R.Body) + R"(","result":{},"error":{"code":1}})"; }},
		{200, [](const FScriptedHttpRequest& R) { return ValidAnswer(R) + "{}"; }},
		{200, [](const FScriptedHttpRequest& R) { return "[" + ValidAnswer(R) + "]"; }},
	};
	for (size_t Index = 0; Index < Answers.size(); ++Index)
	{
		Watcher->State = static_cast<int32>(EMcpState::Confirmed);
		Answer(Answers[Index].first, Answers[Index].second);
		PingOnce();
		EXPECT_EQ(State(), EMcpState::Idle) << "answer " << Index;
		EXPECT_EQ(Message(), "MCP nicht erreichbar  /  Port " + Port()) << "answer " << Index;
	}
}

TEST_F(WatcherPing, HostileAnswersEndWithinTheTimeout)
{
	// PingOnce fails the test when a ping does not complete: each must end by its time-out.
	Peer.Expect(FScriptedExchange::Request("POST", "/mcp").HugeBody(100ull * 1024 * 1024));
	PingOnce();
	EXPECT_EQ(State(), EMcpState::Idle);

	Answer(200, [](const FScriptedHttpRequest&) { return std::string(1000000, '[') + std::string(1000000, ']'); });
	PingOnce();
	EXPECT_EQ(State(), EMcpState::Idle);

	Answer(200, [](const FScriptedHttpRequest&) { return std::string(40000, '{'); });
	PingOnce();
	EXPECT_EQ(State(), EMcpState::Idle);

	Peer.Expect(FScriptedExchange::Request("POST", "/mcp").NeverAnswer());
	PingOnce();
	EXPECT_EQ(State(), EMcpState::Idle);

	Peer.Expect(FScriptedExchange::Request("POST", "/mcp").Respond(200, std::string(64, ' ')).Drip(1, std::chrono::milliseconds(1000)));
	PingOnce();
	EXPECT_EQ(State(), EMcpState::Idle);

	Peer.Expect(FScriptedExchange::Request("POST", "/mcp").ResetConnection());
	PingOnce();
	EXPECT_EQ(State(), EMcpState::Idle);

	// Invalid UTF-8 inside an otherwise valid answer is replaced, not fatal.
	Answer(200, [](const FScriptedHttpRequest& R) { return R"({"jsonrpc":"2.0","id":")" + PingIdOf(R.Body) + "\",\"result\":{\"n\":\"\xFF\xFE\"}}"; });
	PingOnce();
	EXPECT_EQ(State(), EMcpState::Problem);

}

TEST_F(WatcherPing, StartRunsTheCommandOnceWhenNothingAnswers)
{
	Peer.Expect(FScriptedExchange::Request("POST", "/mcp").Respond(404).Repeatedly());
	Watcher->RequestStart();
	EXPECT_EQ(State(), EMcpState::Checking);
	EXPECT_EQ(Message(), "MCP wird geprueft ...");
	EXPECT_TRUE(Watcher->bStartPending);
	// A second press while checking does nothing.
	Watcher->RequestStart();
	ASSERT_TRUE(Pump([this] { return !Watcher->PendingRequest.IsValid(); }));
	EXPECT_EQ(StartCommand.Runs.load(), 1);
	EXPECT_EQ(State(), EMcpState::Checking);
	EXPECT_EQ(Message(), "MCP startet ... Bestaetigung wird geprueft.");
	EXPECT_FALSE(Watcher->bStartPending);
	EXPECT_NEAR(Watcher->NextCheckTime - FPlatformTime::Seconds(), 0.5, 0.25);

	// The confirming ping fails too; no second start, and the state says unreachable.
	PingOnce();
	EXPECT_EQ(StartCommand.Runs.load(), 1);
	EXPECT_EQ(State(), EMcpState::Idle);
	EXPECT_EQ(Peer.Requests().size(), 2u);
}

TEST_F(WatcherPing, ABindFailureAfterTheStartMeansThePortIsTaken)
{
	StartCommand.LinesToLog = {"HttpListener unable to bind to 127.0.0.1:" + Port()};
	Peer.Expect(FScriptedExchange::Request("POST", "/mcp").Respond(404).Repeatedly());
	{
		// A failure logged before the start no longer counts once the command runs.
		UE_LOG(LogHttpListener, Error, TEXT("HttpListener unable to bind to 127.0.0.1:%d"), Peer.GetPort());
		GLog->FlushThreadedLogs();
	}
	Watcher->RequestStart();
	ASSERT_TRUE(Pump([this] { return !Watcher->PendingRequest.IsValid(); }));
	GLog->FlushThreadedLogs();
	PingOnce();
	EXPECT_EQ(State(), EMcpState::Problem);
	EXPECT_EQ(Message(), "Port " + Port() + " belegt. Start fehlgeschlagen.");
}

TEST_F(WatcherPing, PressingWhileAPeriodicPingIsInFlightLetsThatPingDecide)
{
	Peer.Expect(FScriptedExchange::Request("POST", "/mcp").Respond(503).After(std::chrono::milliseconds(300)));
	Watcher->Tick();
	ASSERT_TRUE(Watcher->PendingRequest.IsValid());
	Watcher->RequestStart();
	EXPECT_EQ(State(), EMcpState::Checking);
	EXPECT_TRUE(Watcher->bStartPending);
	ASSERT_TRUE(Pump([this] { return !Watcher->PendingRequest.IsValid(); }));
	EXPECT_EQ(Peer.Requests().size(), 1u);
	EXPECT_EQ(StartCommand.Runs.load(), 1);
}

TEST_F(WatcherPing, AMissingOrUnhandledStartCommandIsReported)
{
	StartCommand.Command.Reset();
	Watcher->RequestStart();
	EXPECT_EQ(State(), EMcpState::PluginMissing);
	EXPECT_EQ(Message(), "Model Context Protocol in Edit > Plugins aktivieren.");
	EXPECT_FALSE(Watcher->PendingRequest.IsValid());
	Watcher->bStartPending = true;
	Watcher->Tick();
	EXPECT_EQ(State(), EMcpState::PluginMissing);
	EXPECT_FALSE(Watcher->bStartPending);
	EXPECT_TRUE(Peer.Requests().empty());

	Vantle::Test::FStartCommandDouble Unhandled(false);
	Peer.Expect(FScriptedExchange::Request("POST", "/mcp").Respond(404));
	Watcher->RequestStart();
	ASSERT_TRUE(Pump([this] { return !Watcher->PendingRequest.IsValid(); }));
	EXPECT_EQ(State(), EMcpState::Problem);
	EXPECT_EQ(Message(), "Startbefehl nicht verfuegbar. Plugin pruefen.");
}

TEST_F(WatcherPing, TickSendsOnlyWhenDueAndNothingIsInFlight)
{
	Peer.Expect(FScriptedExchange::Request("POST", "/mcp").Respond(404).Repeatedly());
	Watcher->Tick();
	const double FirstDue = Watcher->NextCheckTime;
	ASSERT_TRUE(Pump([this] { return !Watcher->PendingRequest.IsValid(); }));
	Watcher->Tick();
	EXPECT_EQ(Watcher->NextCheckTime, FirstDue);
	EXPECT_EQ(Peer.Requests().size(), 1u);
}

TEST_F(WatcherPing, ShutdownDropsThePingInFlightAndLateCompletionsChangeNothing)
{
	Peer.Expect(FScriptedExchange::Request("POST", "/mcp").NeverAnswer());
	Watcher->RequestStart();
	ASSERT_TRUE(Watcher->PendingRequest.IsValid());
	FHttpRequestPtr InFlight = Watcher->PendingRequest;
	Watcher->Shutdown();
	EXPECT_FALSE(Watcher->PendingRequest.IsValid());
	EXPECT_FALSE(GLog->IsRedirectingTo(Watcher.Get()));
	Pump([] { return false; }, 0.2);
	Watcher->OnPingComplete(InFlight, nullptr, false);
	Watcher->RequestStart();
	Watcher->Tick();
	EXPECT_EQ(State(), EMcpState::Checking);
	EXPECT_EQ(StartCommand.Runs.load(), 0);
}

TEST_F(WatcherPing, ACompletionAfterTheWatcherIsGoneIsDropped)
{
	Peer.Expect(FScriptedExchange::Request("POST", "/mcp").Respond(200, "{}").After(std::chrono::milliseconds(200)));
	TSharedPtr<FMcpLogWatcher> Doomed = MakeShared<FMcpLogWatcher>(Peer.GetPort());
	Doomed->SendPing();
	FHttpRequestPtr InFlight = Doomed->PendingRequest;
	Doomed.Reset();
	// The request holds the watcher only weakly; its completion must find nothing to call.
	EXPECT_TRUE(Pump([&InFlight] { return InFlight->GetStatus() != EHttpRequestStatus::Processing; }, 5.0));
	Pump([] { return false; }, 0.1);
}

TEST_F(WatcherPing, ListenerLinesFromEightThreadsWhilePingsComplete)
{
	Peer.Expect(FScriptedExchange::Request("POST", "/mcp").RespondWith(200, ValidAnswer).Repeatedly());
	std::atomic<bool> bStop{false};
	std::vector<std::thread> Loggers;
	for (int32 Index = 0; Index < 8; ++Index)
	{
		Loggers.emplace_back([this, Index, &bStop] {
			for (int32 Round = 0; !bStop; ++Round)
			{
				if ((Round + Index) % 2)
				{
					UE_LOG(LogHttpListener, Log, TEXT("Created new HttpListener on 127.0.0.1:%d"), Peer.GetPort());
				}
				else
				{
					UE_LOG(LogModelContextProtocol, Log, TEXT("Starting MCP server on port %d (override with -ModelContextProtocolPort=N)."), Peer.GetPort());
				}
			}
		});
	}
	for (int32 Ping = 0; Ping < 10; ++Ping)
	{
		PingOnce();
		EXPECT_TRUE(State() == EMcpState::Confirmed || State() == EMcpState::Problem);
	}
	bStop = true;
	for (std::thread& Thread : Loggers)
	{
		Thread.join();
	}
	GLog->FlushThreadedLogs();
	PingOnce();
	EXPECT_EQ(State(), EMcpState::Confirmed);
}
