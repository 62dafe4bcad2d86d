// Copyright Vantle contributors. All Rights Reserved.
#include "HttpTestFixture.h"
#include "ScriptedHttpPeer.h"

TEST_F(FHttpTest, ShutdownCancelsInFlightRequestsOnce)
{
	FScriptedHttpPeer Peer;
	Peer.Expect(FScriptedExchange::Request("GET", "/game").NeverAnswer());
	Peer.Expect(FScriptedExchange::Request("GET", "/worker").NeverAnswer());
	const FHttpRequestRef OnGame = MakeRequest("GET", Peer.Url("/game"));
	const FHttpRequestRef OnWorker = MakeRequest("GET", Peer.Url("/worker"));
	OnWorker->SetDelegateThreadPolicy(EHttpRequestDelegateThreadPolicy::CompleteOnHttpThread);
	FCompletionLog GameLog;
	FCompletionLog WorkerLog;
	GameLog.Bind(OnGame);
	WorkerLog.Bind(OnWorker);
	ASSERT_TRUE(OnGame->ProcessRequest());
	ASSERT_TRUE(OnWorker->ProcessRequest());
	ASSERT_TRUE(Peer.WaitForRequests(2));

	// Unloading happens on the game thread and delivers what is left before it returns.
	ASSERT_TRUE(FModuleManager::Get().UnloadModule(TEXT("HTTP")));
	EXPECT_EQ(GameLog.Count(), 1u);
	EXPECT_EQ(WorkerLog.Count(), 1u);
	EXPECT_FALSE(GameLog.First().bConnectedSuccessfully);
	EXPECT_EQ(GameLog.First().Thread, GameThread);
	EXPECT_EQ(OnGame->GetFailureReason(), EHttpFailureReason::Cancelled);
	EXPECT_EQ(OnWorker->GetFailureReason(), EHttpFailureReason::Cancelled);
	EXPECT_EQ(UE::Host::GetHttpRequestsInFlight(), 0);

	// The requests outlive the module safely; one cannot start again without it, and its refusal
	// completes it once more.
	OnGame->CancelRequest();
	EXPECT_FALSE(OnGame->ProcessRequest());
	for (int32 Tick = 0; Tick < 10; ++Tick)
	{
		FTSTicker::GetCoreTicker().Tick(0.001f);
	}
	EXPECT_EQ(GameLog.Count(), 2u);
	EXPECT_EQ(WorkerLog.Count(), 1u);
}

TEST_F(FHttpTest, GetLoadsTheModuleOnDemand)
{
	ASSERT_TRUE(FModuleManager::Get().UnloadModule(TEXT("HTTP")));
	EXPECT_FALSE(FModuleManager::Get().IsModuleLoaded(TEXT("HTTP")));

	const FHttpRequestRef Request = FHttpModule::Get().CreateRequest();
	EXPECT_TRUE(FModuleManager::Get().IsModuleLoaded(TEXT("HTTP")));
	EXPECT_EQ(Request->GetStatus(), EHttpRequestStatus::NotStarted);
	EXPECT_EQ(Request->GetVerb(), FString(TEXT("GET")));
	EXPECT_FALSE(Request->GetResponse().IsValid());
}

TEST_F(FHttpTest, CancellingARequestThatNeverStartedStillCompletes)
{
	const FHttpRequestRef Request = MakeRequest("GET", "http://127.0.0.1:1/never");
	FCompletionLog Log;
	Log.Bind(Request);

	Request->CancelRequest();
	Request->CancelRequest();
	EXPECT_EQ(Log.Count(), 0u);
	ASSERT_TRUE(TickUntil([&]() { return Log.Count() > 0; }));
	for (int32 Tick = 0; Tick < 10; ++Tick)
	{
		FTSTicker::GetCoreTicker().Tick(0.001f);
	}
	EXPECT_EQ(Log.Count(), 1u);
	EXPECT_FALSE(Log.First().bConnectedSuccessfully);
	EXPECT_EQ(Request->GetStatus(), EHttpRequestStatus::Failed);
	EXPECT_EQ(Request->GetFailureReason(), EHttpFailureReason::Cancelled);
}

TEST_F(FHttpTest, ARequestCanRunAgainAfterItCompleted)
{
	FScriptedHttpPeer Peer;
	Peer.Expect(FScriptedExchange::Request("GET", "/again").Respond(200, "first"));
	Peer.Expect(FScriptedExchange::Request("GET", "/again").Respond(201, "second"));
	const FHttpRequestRef Request = MakeRequest("GET", Peer.Url("/again"));
	FCompletionLog Log;
	Log.Bind(Request);

	ASSERT_TRUE(Request->ProcessRequest());
	ASSERT_TRUE(TickUntil([&]() { return Log.Count() == 1; }));
	ASSERT_TRUE(Request->ProcessRequest());
	EXPECT_FALSE(Request->GetResponse().IsValid());
	ASSERT_TRUE(TickUntil([&]() { return Log.Count() == 2; }));
	ASSERT_TRUE(Request->GetResponse().IsValid());
	EXPECT_EQ(Request->GetResponse()->GetResponseCode(), 201);
	EXPECT_EQ(Request->GetResponse()->GetContentAsString(), FString(TEXT("second")));
	EXPECT_EQ(Peer.UnusedExpectations(), 0u);
}
