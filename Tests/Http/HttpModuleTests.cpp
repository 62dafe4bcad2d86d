// Copyright Vantle contributors. All Rights Reserved.
#include "HttpTestFixture.h"
#include "ScriptedHttpPeer.h"

TEST_F(FHttpTest, ShutdownCancelsInFlightRequestsOnce)
{
	FScriptedHttpPeer Peer;
	Peer.Expect(FScriptedExchange::Request("GET", "/game").NeverAnswer());
	const FHttpRequestRef Request = MakeRequest("GET", Peer.Url("/game"));
	FCompletionLog Log;
	Log.Bind(Request);
	ASSERT_TRUE(Request->ProcessRequest());
	ASSERT_TRUE(Peer.WaitForRequests(1));

	// Unloading happens on the game thread and delivers what is left before it returns.
	ASSERT_TRUE(FModuleManager::Get().UnloadModule(TEXT("HTTP")));
	EXPECT_EQ(Log.Count(), 1u);
	EXPECT_FALSE(Log.First().bConnectedSuccessfully);
	EXPECT_EQ(Log.First().Thread, GameThread);
	EXPECT_EQ(Request->GetFailureReason(), EHttpFailureReason::Cancelled);
	EXPECT_EQ(UE::Host::GetHttpRequestsInFlight(), 0);

	// The request outlives the module safely; it cannot start again without it, and its refusal
	// completes it once more.
	Request->CancelRequest();
	EXPECT_FALSE(Request->ProcessRequest());
	for (int32 Tick = 0; Tick < 10; ++Tick)
	{
		FTSTicker::GetCoreTicker().Tick(0.001f);
	}
	EXPECT_EQ(Log.Count(), 2u);
}

TEST_F(FHttpTest, GetLoadsTheModuleOnDemand)
{
	ASSERT_TRUE(FModuleManager::Get().UnloadModule(TEXT("HTTP")));
	EXPECT_FALSE(FModuleManager::Get().IsModuleLoaded(TEXT("HTTP")));
	const FHttpRequestRef Request = FHttpModule::Get().CreateRequest();
	EXPECT_TRUE(FModuleManager::Get().IsModuleLoaded(TEXT("HTTP")));
	EXPECT_EQ(Request->GetStatus(), EHttpRequestStatus::NotStarted);
}
