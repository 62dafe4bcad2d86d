// Copyright Vantle contributors. All Rights Reserved.
#include "HttpTestFixture.h"
#include "ScriptedHttpPeer.h"

TEST_F(FHttpTest, ScriptedPeerAnswersUnscriptedRequestsWith500AndReportsThem)
{
	FScriptedHttpPeer Peer;
	Peer.Expect(FScriptedExchange::Request("POST", "/mcp").WithBody([](const std::string& Body) { return Body == "expected"; }).Respond(200));
	const FHttpRequestRef Request = MakeRequest("POST", Peer.Url("/mcp"));
	Request->SetContentAsString(TEXT("something else"));
	FCompletionLog Log;
	Log.Bind(Request);

	ASSERT_TRUE(Request->ProcessRequest());
	ASSERT_TRUE(TickUntil([&]() { return Log.Count() > 0; }));
	ASSERT_TRUE(Log.First().Response.IsValid());
	EXPECT_EQ(Log.First().Response->GetResponseCode(), 500);
	const std::vector<std::string> Failures = Peer.TakeFailures();
	ASSERT_EQ(Failures.size(), 1u);
	EXPECT_NE(Failures[0].find("unscripted request: POST /mcp"), std::string::npos);
	EXPECT_FALSE(Peer.Requests()[0].bScripted);
	EXPECT_EQ(Peer.UnusedExpectations(), 1u);
}

TEST_F(FHttpTest, ScriptedPeerCanAnswerFromTheRequest)
{
	FScriptedHttpPeer Peer;
	Peer.Expect(FScriptedExchange::Request("POST", "/echo")
					.Repeatedly()
					.RespondWith(200, [](const FScriptedHttpRequest& Received) { return "echo:" + Received.Body; }));
	FCompletionLog First;
	FCompletionLog Second;
	const FHttpRequestRef One = MakeRequest("POST", Peer.Url("/echo"));
	const FHttpRequestRef Two = MakeRequest("POST", Peer.Url("/echo"));
	One->SetContentAsString(TEXT("1"));
	Two->SetContentAsString(TEXT("2"));
	First.Bind(One);
	Second.Bind(Two);

	ASSERT_TRUE(One->ProcessRequest());
	ASSERT_TRUE(Two->ProcessRequest());
	ASSERT_TRUE(TickUntil([&]() { return First.Count() > 0 && Second.Count() > 0; }));
	ASSERT_TRUE(First.First().Response.IsValid());
	ASSERT_TRUE(Second.First().Response.IsValid());
	EXPECT_EQ(First.First().Response->GetContentAsString(), FString(TEXT("echo:1")));
	EXPECT_EQ(Second.First().Response->GetContentAsString(), FString(TEXT("echo:2")));
}
