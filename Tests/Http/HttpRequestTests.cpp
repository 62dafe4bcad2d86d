// Copyright Vantle contributors. All Rights Reserved.
#include "HttpTestFixture.h"
#include "ScriptedHttpPeer.h"

using namespace std::chrono_literals;

TEST_F(FHttpTest, PostArrivesAsSentAndTheAnswerReadsBack)
{
	FScriptedHttpPeer Peer;
	const std::string Answer = "{\"jsonrpc\":\"2.0\",\"id\":\"\xc3\x84\x42\x43\",\"result\":{}}";
	Peer.Expect(FScriptedExchange::Request("POST", "/mcp").Respond(200, Answer));
	const FString Body = TEXT("{\"jsonrpc\":\"2.0\",\"id\":\"\u00c4BC\",\"method\":\"ping\"}");
	const std::string BodyUtf8 = UE::Host::ToUtf8(Body);

	const FHttpRequestRef Request = MakeRequest("POST", Peer.Url("/mcp"));
	Request->SetHeader(TEXT("Content-Type"), TEXT("application/json"));
	Request->SetHeader(TEXT("Accept"), TEXT("application/json, text/event-stream"));
	Request->SetContentAsString(Body);
	Request->SetTimeout(10.0f);
	Request->SetDelegateThreadPolicy(EHttpRequestDelegateThreadPolicy::CompleteOnGameThread);
	FCompletionLog Log;
	Log.Bind(Request);

	ASSERT_TRUE(Request->ProcessRequest());
	EXPECT_EQ(Request->GetStatus(), EHttpRequestStatus::Processing);
	ASSERT_TRUE(TickUntil([&]() { return Log.Count() > 0; }));

	const std::vector<FScriptedHttpRequest> Received = Peer.Requests();
	ASSERT_EQ(Received.size(), 1u);
	EXPECT_EQ(Received[0].Body, BodyUtf8);
	EXPECT_EQ(Received[0].Header("Content-Type"), "application/json");
	EXPECT_EQ(Received[0].Header("Accept"), "application/json, text/event-stream");
	EXPECT_EQ(Received[0].Header("Content-Length"), std::to_string(BodyUtf8.size()));
	EXPECT_EQ(Received[0].Header("Expect"), "");

	const FCompletionLog::FCall Call = Log.First();
	EXPECT_TRUE(Call.bConnectedSuccessfully);
	EXPECT_EQ(Call.Thread, GameThread);
	EXPECT_EQ(Call.Request.Get(), &Request.Get());
	ASSERT_TRUE(Call.Response.IsValid());
	EXPECT_EQ(Call.Response, Request->GetResponse());
	EXPECT_EQ(Call.Response->GetResponseCode(), EHttpResponseCodes::Ok);
	const TArray<uint8>& Content = Call.Response->GetContent();
	EXPECT_EQ(std::string(reinterpret_cast<const char*>(Content.GetData()), Content.Num()), Answer);
	EXPECT_EQ(Request->GetStatus(), EHttpRequestStatus::Succeeded);
	EXPECT_EQ(Request->GetFailureReason(), EHttpFailureReason::None);
}

TEST_F(FHttpTest, GameThreadCompletionWaitsForTheCoreTicker)
{
	FScriptedHttpPeer Peer;
	Peer.Expect(FScriptedExchange::Request("GET", "/").Respond(200, "ok"));
	const FHttpRequestRef Request = MakeRequest("GET", Peer.Url("/"));
	FCompletionLog Log;
	Log.Bind(Request);

	ASSERT_TRUE(Request->ProcessRequest());
	// The worker finishes the transfer on its own; the delegate waits in the game-thread queue.
	ASSERT_TRUE(WaitUntil([]() { return UE::Host::GetHttpRequestsInFlight() == 0 && UE::Host::GetHttpGameThreadTasksPending() > 0; }));
	EXPECT_EQ(Log.Count(), 0u);
	EXPECT_EQ(Request->GetStatus(), EHttpRequestStatus::Processing);

	ASSERT_TRUE(TickUntil([&]() { return Log.Count() > 0; }));
	EXPECT_EQ(Log.First().Thread, GameThread);
	EXPECT_TRUE(Log.First().bConnectedSuccessfully);
}

TEST_F(FHttpTest, TimeoutEndsASilentPeerAndADripSlowerThanIt)
{
	FScriptedHttpPeer Peer;
	Peer.Expect(FScriptedExchange::Request("POST", "/mcp").NeverAnswer());
	Peer.Expect(FScriptedExchange::Request("GET", "/slow").Respond(200, std::string(100, 'd')).Drip(1, 200ms));
	for (const char* Path : {"/mcp", "/slow"})
	{
		const FHttpRequestRef Request = MakeRequest(Path[1] == 'm' ? "POST" : "GET", Peer.Url(Path));
		Request->SetTimeout(0.5f);
		FCompletionLog Log;
		Log.Bind(Request);
		ASSERT_TRUE(Request->ProcessRequest());
		ASSERT_TRUE(TickUntil([&]() { return Log.Count() > 0; }));
		EXPECT_FALSE(Log.First().bConnectedSuccessfully) << Path;
		EXPECT_EQ(Request->GetStatus(), EHttpRequestStatus::Failed);
		EXPECT_EQ(Request->GetFailureReason(), EHttpFailureReason::TimedOut) << Path;
	}
	EXPECT_EQ(Peer.Requests().size(), 2u);
	EXPECT_LT(Peer.BodyBytesSent(), 100u);
}

TEST_F(FHttpTest, UnbindingBeforeCancelSilencesTheRequest)
{
	FScriptedHttpPeer Peer;
	Peer.Expect(FScriptedExchange::Request("GET", "/hang").NeverAnswer());
	const FHttpRequestRef Request = MakeRequest("GET", Peer.Url("/hang"));
	FCompletionLog Log;
	Log.Bind(Request);
	std::atomic<int> ProgressCalls{0};
	Request->OnRequestProgress64().BindLambda([&ProgressCalls](FHttpRequestPtr, uint64, uint64) { ++ProgressCalls; });

	ASSERT_TRUE(Request->ProcessRequest());
	ASSERT_TRUE(Peer.WaitForRequests(1));
	Request->OnProcessRequestComplete().Unbind();
	Request->OnRequestProgress64().Unbind();
	const int ProgressBeforeCancel = ProgressCalls.load();
	Request->CancelRequest();

	ASSERT_TRUE(TickUntil([&]() { return Request->GetStatus() == EHttpRequestStatus::Failed; }));
	EXPECT_TRUE(TickUntil([]() { return UE::Host::GetHttpGameThreadTasksPending() == 0 && UE::Host::GetHttpRequestsInFlight() == 0; }));
	EXPECT_EQ(Log.Count(), 0u);
	EXPECT_EQ(ProgressCalls.load(), ProgressBeforeCancel);
}

TEST_F(FHttpTest, RefusedOrResetConnectionsFailWithoutResponse)
{
	FScriptedHttpPeer Peer;
	Peer.Expect(FScriptedExchange::Request("POST", "/mcp").ResetConnection());
	for (const bool bRefused : {true, false})
	{
		const FHttpRequestRef Request = MakeRequest("POST", bRefused ? RefusingUrl("/mcp") : Peer.Url("/mcp"));
		Request->SetTimeout(10.0f);
		FCompletionLog Log;
		Log.Bind(Request);
		ASSERT_TRUE(Request->ProcessRequest());
		ASSERT_TRUE(TickUntil([&]() { return Log.Count() > 0; }));
		EXPECT_FALSE(Log.First().bConnectedSuccessfully) << bRefused;
		EXPECT_FALSE(Log.First().Response.IsValid()) << bRefused;
		EXPECT_EQ(Request->GetStatus(), EHttpRequestStatus::Failed);
		if (bRefused)
		{
			EXPECT_EQ(Request->GetFailureReason(), EHttpFailureReason::ConnectionError);
		}
		else
		{
			EXPECT_NE(Request->GetFailureReason(), EHttpFailureReason::TimedOut);
		}
	}
}

TEST_F(FHttpTest, HostileAnswersFailOrArriveAsSent)
{
	const struct
	{
		const char* Path;
		FScriptedExchange Exchange;
		bool bConnected;
		int32 Code;
		const char* Content;
	} Cases[] = {
		{"/garbage", FScriptedExchange::Request("GET", "/garbage").RawAnswer("this is not HTTP at all\r\n\r\n"), false, 0, ""},
		{"/short", FScriptedExchange::Request("GET", "/short").RawAnswer("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nonly a few bytes"), false, 0, ""},
		// Bytes that are not UTF-8 arrive untouched; an error status is still an answer.
		{"/bytes", FScriptedExchange::Request("GET", "/bytes").Respond(200, "{\"id\":\"\xff\xfe\xc3\"}"), true, 200, "{\"id\":\"\xff\xfe\xc3\"}"},
		{"/missing", FScriptedExchange::Request("GET", "/missing").Respond(404, "nope"), true, 404, "nope"},
	};
	FScriptedHttpPeer Peer;
	std::vector<FHttpRequestRef> Requests;
	std::vector<FCompletionLog> Logs(std::size(Cases));
	for (size_t Index = 0; Index < std::size(Cases); ++Index)
	{
		Peer.Expect(Cases[Index].Exchange);
		Requests.push_back(MakeRequest("GET", Peer.Url(Cases[Index].Path)));
		Requests.back()->SetTimeout(10.0f);
		Logs[Index].Bind(Requests.back());
		ASSERT_TRUE(Requests.back()->ProcessRequest());
	}
	ASSERT_TRUE(TickUntil([&]() { return std::all_of(Logs.begin(), Logs.end(), [](const FCompletionLog& Log) { return Log.Count() > 0; }); }));
	for (size_t Index = 0; Index < std::size(Cases); ++Index)
	{
		const FCompletionLog::FCall Call = Logs[Index].First();
		ASSERT_EQ(Call.bConnectedSuccessfully, Cases[Index].bConnected) << Cases[Index].Path;
		if (Call.bConnectedSuccessfully)
		{
			const TArray<uint8>& Content = Call.Response->GetContent();
			EXPECT_EQ(Call.Response->GetResponseCode(), Cases[Index].Code) << Cases[Index].Path;
			EXPECT_EQ(std::string(reinterpret_cast<const char*>(Content.GetData()), Content.Num()), Cases[Index].Content) << Cases[Index].Path;
		}
	}
}

// Progress arrives on the game thread as bytes arrive; as the editor does with an oversized answer,
// it cancels from every progress call past a limit.
TEST_F(FHttpTest, CancelFromProgressStopsAHugeBodyAndCompletesOnce)
{
	constexpr uint64 BodySize = 512ull * 1024 * 1024;
	constexpr uint64 Enough = 256 * 1024;
	FScriptedHttpPeer Peer;
	Peer.Expect(FScriptedExchange::Request("POST", "/mcp").Respond(200).HugeBody(BodySize));
	const FHttpRequestRef Request = MakeRequest("POST", Peer.Url("/mcp"));
	Request->SetContentAsString(TEXT("{}"));
	FCompletionLog Log;
	Log.Bind(Request);
	uint64 LastReceived = 0;
	int CancelCalls = 0;
	bool bOffThreadOrBackwards = false;
	Request->OnRequestProgress64().BindLambda(
		[&](FHttpRequestPtr InRequest, uint64 BytesSent, uint64 BytesReceived)
		{
			bOffThreadOrBackwards |= std::this_thread::get_id() != GameThread || BytesReceived < LastReceived;
			LastReceived = BytesReceived;
			if (BytesReceived >= Enough)
			{
				++CancelCalls;
				InRequest->CancelRequest();
			}
		});

	ASSERT_TRUE(Request->ProcessRequest());
	ASSERT_TRUE(TickUntil([&]() { return Log.Count() > 0; }));
	// Later ticks and cancels add nothing.
	for (int32 Tick = 0; Tick < 50; ++Tick)
	{
		FTSTicker::GetCoreTicker().Tick(0.001f);
	}
	Request->CancelRequest();
	EXPECT_TRUE(TickUntil([]() { return UE::Host::GetHttpGameThreadTasksPending() == 0; }));

	EXPECT_EQ(Log.Count(), 1u);
	EXPECT_FALSE(Log.First().bConnectedSuccessfully);
	EXPECT_FALSE(Log.First().Response.IsValid());
	EXPECT_EQ(Log.First().Thread, GameThread);
	EXPECT_EQ(Request->GetStatus(), EHttpRequestStatus::Failed);
	EXPECT_EQ(Request->GetFailureReason(), EHttpFailureReason::Cancelled);
	EXPECT_FALSE(bOffThreadOrBackwards);
	EXPECT_GE(CancelCalls, 1);
	EXPECT_GE(LastReceived, Enough);
	EXPECT_LT(LastReceived, BodySize);
	EXPECT_LT(Peer.BodyBytesSent(), BodySize);
}

TEST_F(FHttpTest, ProcessRequestRefusesWhatTheEngineRefusesAndStillCompletes)
{
	for (const char* Url : {"", "ftp://127.0.0.1/file", "127.0.0.1:8000/mcp", "http://", "file:///etc/hostname"})
	{
		FCompletionLog Log;
		const FHttpRequestRef Request = MakeRequest("GET", Url);
		Log.Bind(Request);
		EXPECT_FALSE(Request->ProcessRequest()) << "'" << Url << "'";
		Request->CancelRequest();
		// By default the completion has run before ProcessRequest returns, and only then.
		ASSERT_EQ(Log.Count(), 1u) << "'" << Url << "'";
		EXPECT_TRUE(!Log.First().Response.IsValid() && !Log.First().bConnectedSuccessfully && Log.First().Thread == GameThread) << "'" << Url << "'";
		EXPECT_EQ(Request->GetStatus(), EHttpRequestStatus::Failed);
	}

	// Disabled, with the completion on the next tick: once, from the core ticker, cancel or not.
	UE::Host::SetHttpEnabled(false);
	UE::Host::SetHttpRefusedCompletion(UE::Host::EHttpRefusedCompletion::NextTick);
	FCompletionLog Later;
	const FHttpRequestRef Disabled = MakeRequest("GET", "http://127.0.0.1:1/off");
	Later.Bind(Disabled);
	const bool bStarted = Disabled->ProcessRequest();
	const size_t CountOnReturn = Later.Count();
	Disabled->CancelRequest();
	UE::Host::SetHttpRefusedCompletion(UE::Host::EHttpRefusedCompletion::InsideProcessRequest);
	UE::Host::SetHttpEnabled(true);
	EXPECT_FALSE(bStarted);
	EXPECT_EQ(CountOnReturn, 0u);
	EXPECT_EQ(UE::Host::GetHttpGameThreadTasksPending(), 1);
	FTSTicker::GetCoreTicker().Tick(0.001f);
	FTSTicker::GetCoreTicker().Tick(0.001f);
	ASSERT_EQ(Later.Count(), 1u);
	EXPECT_FALSE(Later.First().Response.IsValid());
	EXPECT_FALSE(Later.First().bConnectedSuccessfully);
	EXPECT_EQ(Disabled->GetStatus(), EHttpRequestStatus::Failed);

	// A second ProcessRequest on a request in flight is refused without completing anything.
	FScriptedHttpPeer Peer;
	Peer.Expect(FScriptedExchange::Request("GET", "/hang").NeverAnswer());
	FCompletionLog BusyLog;
	const FHttpRequestRef Busy = MakeRequest("GET", Peer.Url("/hang"));
	BusyLog.Bind(Busy);
	ASSERT_TRUE(Busy->ProcessRequest());
	EXPECT_FALSE(Busy->ProcessRequest());
	Busy->CancelRequest();
	ASSERT_TRUE(TickUntil([&]() { return BusyLog.Count() > 0; }));
	EXPECT_EQ(BusyLog.Count(), 1u);
}

TEST_F(FHttpTest, ProxyEnvironmentIsIgnored)
{
	const std::string ProxyUrl = RefusingUrl("");
	const char* const Names[] = {"http_proxy", "HTTP_PROXY", "https_proxy", "ALL_PROXY", "all_proxy"};
	for (const char* Name : Names)
	{
		::setenv(Name, ProxyUrl.c_str(), 1);
	}
	::unsetenv("no_proxy");
	::unsetenv("NO_PROXY");

	FScriptedHttpPeer Peer;
	Peer.Expect(FScriptedExchange::Request("GET", "/direct").Respond(200, "direct"));
	const FHttpRequestRef Request = MakeRequest("GET", Peer.Url("/direct"));
	Request->SetTimeout(10.0f);
	FCompletionLog Log;
	Log.Bind(Request);
	ASSERT_TRUE(Request->ProcessRequest());
	const bool bCompleted = TickUntil([&]() { return Log.Count() > 0; });

	for (const char* Name : Names)
	{
		::unsetenv(Name);
	}
	ASSERT_TRUE(bCompleted);
	EXPECT_TRUE(Log.First().bConnectedSuccessfully);
	ASSERT_TRUE(Log.First().Response.IsValid());
	EXPECT_EQ(Log.First().Response->GetContentAsString(), FString(TEXT("direct")));
}
