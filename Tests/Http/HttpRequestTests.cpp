// Copyright Vantle contributors. All Rights Reserved.
#include "HttpTestFixture.h"
#include "ScriptedHttpPeer.h"
#include "Serialization/JsonReader.h"
#include "Serialization/JsonSerializer.h"

using namespace std::chrono_literals;

TEST_F(FHttpTest, PostArrivesAsSentAndTheAnswerReadsBack)
{
	FScriptedHttpPeer Peer;
	ASSERT_TRUE(Peer.IsListening());
	const FString Body = TEXT("{\"jsonrpc\":\"2.0\",\"id\":\"\u00c4BC\",\"method\":\"ping\"}");
	const std::string BodyUtf8 = UE::Host::ToUtf8(Body);
	Peer.Expect(FScriptedExchange::Request("POST", "/mcp")
					.WithBody([BodyUtf8](const std::string& Received) { return Received == BodyUtf8; })
					.Respond(200, "{\"jsonrpc\":\"2.0\",\"id\":\"\xc3\x84\x42\x43\",\"result\":{}}")
					.Header("Content-Type", "application/json")
					.Header("X-Trace", "one")
					.Header("X-Trace", "two"));

	const FHttpRequestRef Request = MakeRequest("post", Peer.Url("/mcp"));
	Request->SetHeader(TEXT("Content-Type"), TEXT("application/json"));
	Request->SetHeader(TEXT("Accept"), TEXT("application/json, text/event-stream"));
	Request->SetContentAsString(Body);
	Request->SetTimeout(10.0f);
	Request->SetDelegateThreadPolicy(EHttpRequestDelegateThreadPolicy::CompleteOnGameThread);
	EXPECT_EQ(Request->GetVerb(), FString(TEXT("POST")));
	FCompletionLog Log;
	Log.Bind(Request);

	ASSERT_TRUE(Request->ProcessRequest());
	EXPECT_EQ(Request->GetStatus(), EHttpRequestStatus::Processing);
	ASSERT_TRUE(TickUntil([&]() { return Log.Count() > 0; }));

	const std::vector<FScriptedHttpRequest> Received = Peer.Requests();
	ASSERT_EQ(Received.size(), 1u);
	EXPECT_EQ(Received[0].Method, "POST");
	EXPECT_EQ(Received[0].Path, "/mcp");
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
	EXPECT_EQ(Call.Response->GetContentType(), FString(TEXT("application/json")));
	EXPECT_EQ(Call.Response->GetHeader(TEXT("x-trace")), FString(TEXT("one, two")));
	EXPECT_EQ(Call.Response->GetURL(), FString(Peer.Url("/mcp").c_str()));
	EXPECT_EQ(Request->GetStatus(), EHttpRequestStatus::Succeeded);
	EXPECT_EQ(Request->GetFailureReason(), EHttpFailureReason::None);

	TSharedPtr<FJsonObject> Answer;
	ASSERT_TRUE(FJsonSerializer::Deserialize(TJsonReaderFactory<>::Create(Call.Response->GetContentAsString()), Answer));
	EXPECT_EQ(Answer->GetStringField(TEXT("id")), FString(TEXT("\u00c4BC")));
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

TEST_F(FHttpTest, HttpThreadPolicyCompletesWithoutTicks)
{
	FScriptedHttpPeer Peer;
	Peer.Expect(FScriptedExchange::Request("GET", "/").Respond(200, "ok"));
	const FHttpRequestRef Request = MakeRequest("GET", Peer.Url("/"));
	Request->SetDelegateThreadPolicy(EHttpRequestDelegateThreadPolicy::CompleteOnHttpThread);
	FCompletionLog Log;
	Log.Bind(Request);

	ASSERT_TRUE(Request->ProcessRequest());
	ASSERT_TRUE(WaitUntil([&]() { return Log.Count() > 0; }));
	EXPECT_NE(Log.First().Thread, GameThread);
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

TEST_F(FHttpTest, CancelCompletesOnceWithFailure)
{
	FScriptedHttpPeer Peer;
	Peer.Expect(FScriptedExchange::Request("GET", "/hang").NeverAnswer());
	const FHttpRequestRef Request = MakeRequest("GET", Peer.Url("/hang"));
	FCompletionLog Log;
	Log.Bind(Request);

	ASSERT_TRUE(Request->ProcessRequest());
	ASSERT_TRUE(Peer.WaitForRequests(1));
	Request->CancelRequest();
	Request->CancelRequest();
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
	FRefusingPort Refusing;
	ASSERT_NE(Refusing.Port, 0);
	FScriptedHttpPeer Peer;
	Peer.Expect(FScriptedExchange::Request("POST", "/mcp").ResetConnection());
	for (const bool bRefused : {true, false})
	{
		const FHttpRequestRef Request = MakeRequest("POST", bRefused ? Refusing.Url("/mcp") : Peer.Url("/mcp"));
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

TEST_F(FHttpTest, HostileAnswersFailOrDecodeSafely)
{
	FScriptedHttpPeer Peer;
	Peer.Expect(FScriptedExchange::Request("GET", "/garbage").RawAnswer("this is not HTTP at all\r\n\r\n"));
	Peer.Expect(FScriptedExchange::Request("GET", "/short").RawAnswer("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nonly a few bytes"));
	Peer.Expect(FScriptedExchange::Request("GET", "/bytes").Respond(200, "{\"id\":\"\xff\xfe\xc3\"}"));
	// An error status is still an answer from a connected server.
	Peer.Expect(FScriptedExchange::Request("GET", "/missing").Respond(404, "nope"));
	FCompletionLog Missing;
	const FHttpRequestRef MissingRequest = MakeRequest("GET", Peer.Url("/missing"));
	Missing.Bind(MissingRequest);

	FCompletionLog Garbage;
	FCompletionLog Short;
	FCompletionLog Bytes;
	const FHttpRequestRef GarbageRequest = MakeRequest("GET", Peer.Url("/garbage"));
	const FHttpRequestRef ShortRequest = MakeRequest("GET", Peer.Url("/short"));
	const FHttpRequestRef BytesRequest = MakeRequest("GET", Peer.Url("/bytes"));
	Garbage.Bind(GarbageRequest);
	Short.Bind(ShortRequest);
	Bytes.Bind(BytesRequest);
	for (const FHttpRequestRef& Request : {GarbageRequest, ShortRequest, BytesRequest, MissingRequest})
	{
		Request->SetTimeout(10.0f);
		ASSERT_TRUE(Request->ProcessRequest());
	}
	ASSERT_TRUE(TickUntil([&]() { return Garbage.Count() > 0 && Short.Count() > 0 && Bytes.Count() > 0 && Missing.Count() > 0; }));
	ASSERT_TRUE(Missing.First().bConnectedSuccessfully);
	EXPECT_EQ(Missing.First().Response->GetResponseCode(), EHttpResponseCodes::NotFound);
	EXPECT_EQ(Missing.First().Response->GetContentAsString(), FString(TEXT("nope")));

	EXPECT_FALSE(Garbage.First().bConnectedSuccessfully);
	EXPECT_FALSE(Short.First().bConnectedSuccessfully);
	ASSERT_TRUE(Bytes.First().bConnectedSuccessfully);
	const FString Text = Bytes.First().Response->GetContentAsString();
	EXPECT_EQ(Bytes.First().Response->GetContent().Num(), 12);
	TSharedPtr<FJsonObject> Object;
	ASSERT_TRUE(FJsonSerializer::Deserialize(TJsonReaderFactory<>::Create(Text), Object)) << UE::Host::ToUtf8(Text);
	EXPECT_EQ(Object->GetStringField(TEXT("id")), FString(TEXT("\uFFFD\uFFFD\uFFFD")));
}

TEST_F(FHttpTest, ProgressArrivesOnTheGameThreadAsBytesArrive)
{
	constexpr uint64 BodySize = 8 * 1024 * 1024;
	FScriptedHttpPeer Peer;
	Peer.Expect(FScriptedExchange::Request("GET", "/big").Respond(200).HugeBody(BodySize));
	const FHttpRequestRef Request = MakeRequest("GET", Peer.Url("/big"));
	FCompletionLog Log;
	Log.Bind(Request);
	std::vector<uint64> Received;
	bool bOffThread = false;
	Request->OnRequestProgress64().BindLambda(
		[&](FHttpRequestPtr, uint64 BytesSent, uint64 BytesReceived)
		{
			bOffThread |= std::this_thread::get_id() != GameThread;
			Received.push_back(BytesReceived);
		});

	ASSERT_TRUE(Request->ProcessRequest());
	ASSERT_TRUE(TickUntil([&]() { return Log.Count() > 0; }));
	ASSERT_TRUE(Log.First().bConnectedSuccessfully);
	EXPECT_EQ(static_cast<uint64>(Log.First().Response->GetContent().Num()), BodySize);
	EXPECT_FALSE(bOffThread);
	ASSERT_FALSE(Received.empty());
	EXPECT_TRUE(std::is_sorted(Received.begin(), Received.end()));
	EXPECT_EQ(Received.back(), BodySize);
}

TEST_F(FHttpTest, CancelFromProgressStopsAHugeBody)
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
	Request->OnRequestProgress64().BindLambda(
		[&](FHttpRequestPtr InRequest, uint64 BytesSent, uint64 BytesReceived)
		{
			LastReceived = BytesReceived;
			if (BytesReceived >= Enough && CancelCalls++ == 0)
			{
				InRequest->CancelRequest();
			}
		});

	ASSERT_TRUE(Request->ProcessRequest());
	ASSERT_TRUE(TickUntil([&]() { return Log.Count() > 0; }));
	EXPECT_EQ(Log.Count(), 1u);
	EXPECT_FALSE(Log.First().bConnectedSuccessfully);
	EXPECT_EQ(Request->GetFailureReason(), EHttpFailureReason::Cancelled);
	EXPECT_GE(CancelCalls, 1);
	EXPECT_GE(LastReceived, Enough);
	EXPECT_LT(LastReceived, BodySize);
	EXPECT_LT(Peer.BodyBytesSent(), BodySize);
}

TEST_F(FHttpTest, ProcessRequestRefusesWhatTheEngineRefusesAndStillCompletes)
{
	FCompletionLog Log;
	size_t Expected = 0;
	for (const char* Url : {"", "ftp://127.0.0.1/file", "127.0.0.1:8000/mcp", "http://", "file:///etc/hostname"})
	{
		const FHttpRequestRef Request = MakeRequest("GET", Url);
		Log.Bind(Request);
		EXPECT_FALSE(Request->ProcessRequest()) << "'" << Url << "'";
		// By default the completion has run before ProcessRequest returns.
		EXPECT_EQ(Log.Count(), ++Expected) << "'" << Url << "'";
		EXPECT_EQ(Request->GetStatus(), EHttpRequestStatus::Failed);
		Request->CancelRequest();
	}
	for (const FCompletionLog::FCall& Call : Log.Calls)
	{
		EXPECT_FALSE(Call.Response.IsValid());
		EXPECT_FALSE(Call.bConnectedSuccessfully);
		EXPECT_EQ(Call.Thread, GameThread);
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
	Busy->SetURL(TEXT("http://127.0.0.1:1/elsewhere"));
	EXPECT_EQ(Busy->GetURL(), FString(Peer.Url("/hang").c_str()));
	Busy->CancelRequest();

	ASSERT_TRUE(TickUntil([&]() { return BusyLog.Count() > 0; }));
	EXPECT_EQ(BusyLog.Count(), 1u);
	EXPECT_EQ(BusyLog.First().Request.Get(), &Busy.Get());
}

TEST_F(FHttpTest, ProxyEnvironmentIsIgnored)
{
	FRefusingPort Proxy;
	const std::string ProxyUrl = Proxy.Url("");
	for (const char* Name : {"http_proxy", "HTTP_PROXY", "https_proxy", "ALL_PROXY", "all_proxy"})
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

	for (const char* Name : {"http_proxy", "HTTP_PROXY", "https_proxy", "ALL_PROXY", "all_proxy"})
	{
		::unsetenv(Name);
	}
	ASSERT_TRUE(bCompleted);
	EXPECT_TRUE(Log.First().bConnectedSuccessfully);
	ASSERT_TRUE(Log.First().Response.IsValid());
	EXPECT_EQ(Log.First().Response->GetContentAsString(), FString(TEXT("direct")));
}
