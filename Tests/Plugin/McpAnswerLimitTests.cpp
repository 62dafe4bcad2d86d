// Copyright Vantle contributors. All Rights Reserved.
// Answers that are valid JSON-RPC but too deep or too large: the watcher's own guards must refuse
// them, while the host's HTTP client and JSON reader deliver and read them whole.
#include "Dom/JsonObject.h"
#include "HostHttp.h"
#include "Interfaces/IHttpResponse.h"
#include "McpWatcherTestSupport.h"
#include "Serialization/JsonReader.h"
#include "Serialization/JsonSerializer.h"

using Vantle::Test::PingAnswer;

namespace
{
	// An object nested Depth levels deep, counting the outermost.
	std::string NestedObject(int32 Depth)
	{
		std::string Json;
		for (int32 Level = 1; Level < Depth; ++Level)
		{
			Json += R"({"a":)";
		}
		Json += "{}";
		Json += std::string(Depth - 1, '}');
		return Json;
	}

	// A valid answer Bytes long, padded inside "result".
	std::string AnswerOfSize(const FScriptedHttpRequest& Request, size_t Bytes)
	{
		const size_t Frame = PingAnswer(Request, R"({"pad":""})").size();
		return PingAnswer(Request, R"({"pad":")" + std::string(Bytes - Frame, 'x') + R"("})");
	}

	bool HostReaderAccepts(const std::string& Body)
	{
		TSharedPtr<FJsonObject> Object;
		return FJsonSerializer::Deserialize(TJsonReaderFactory<>::Create(UE::Host::FromUtf8(Body)), Object) && Object.IsValid();
	}

	class WatcherAnswerLimits : public Vantle::Test::FWatcherTest
	{
	protected:
		void SetUp() override
		{
			FWatcherTest::SetUp();
			ConfirmFromLog();
		}

		// One ping whose answer the peer makes with MakeBody; returns the request for inspection.
		FHttpRequestPtr PingWith(std::function<std::string(const FScriptedHttpRequest&)> MakeBody)
		{
			Peer.Expect(FScriptedExchange::Request("POST", "/mcp").RespondWith(200, std::move(MakeBody)).Header("Content-Type", "application/json"));
			return PingAndWait();
		}

		FHttpRequestPtr PingAndWait()
		{
			Watcher->SendPing();
			FHttpRequestPtr Request = Watcher->PendingRequest;
			EXPECT_TRUE(PumpUntilNoPing()) << "the ping never completed";
			return Request;
		}
	};
}

TEST_F(WatcherAnswerLimits, AnAnswerNestedAHundredLevelsIsRefusedByTheWatcher)
{
	const auto Deep = [](int32 Depth)
	{
		return [Depth](const FScriptedHttpRequest& Request) { return PingAnswer(Request, NestedObject(Depth - 1)); };
	};

	// The same shape, shallow, is a valid answer: only the depth differs below.
	PingWith(Deep(20));
	EXPECT_EQ(State(), EMcpState::Confirmed) << Message();

	FHttpRequestPtr Request = PingWith(Deep(100));
	ASSERT_TRUE(Request.IsValid());
	const std::string Sent = Deep(100)(Peer.Requests().back());
	// Delivered whole by the HTTP client and readable by the JSON reader: the refusal is the watcher's.
	EXPECT_EQ(Request->GetStatus(), EHttpRequestStatus::Succeeded);
	ASSERT_TRUE(Request->GetResponse().IsValid());
	EXPECT_EQ(Request->GetResponse()->GetResponseCode(), 200);
	EXPECT_EQ(static_cast<size_t>(Request->GetResponse()->GetContent().Num()), Sent.size());
	EXPECT_TRUE(HostReaderAccepts(Sent));
	EXPECT_EQ(State(), EMcpState::Idle);
	EXPECT_EQ(Message(), Unreachable());

	// With a start pending, the refused answer runs the start command like any invalid one.
	Peer.Expect(FScriptedExchange::Request("POST", "/mcp").RespondWith(200, Deep(100)));
	Watcher->RequestStart();
	ASSERT_TRUE(PumpUntilNoPing());
	EXPECT_EQ(StartCommand.Runs.load(), 1);
	EXPECT_EQ(State(), EMcpState::Checking);
	EXPECT_EQ(Message(), "MCP startet ... Bestaetigung wird geprueft.");
}

TEST_F(WatcherAnswerLimits, ASeventyKilobyteAnswerIsRefusedWhenItArrivesWhole)
{
	PingWith([](const FScriptedHttpRequest& Request) { return AnswerOfSize(Request, 60 * 1000); });
	EXPECT_EQ(State(), EMcpState::Confirmed) << "a 60 KB answer is still valid";

	// The whole answer is in before the game thread sees any of it, so the progress report that
	// precedes the completion comes too late to cancel: only the check of the finished body can refuse.
	Peer.Expect(FScriptedExchange::Request("POST", "/mcp").RespondWith(200, [](const FScriptedHttpRequest& Request) {
		return AnswerOfSize(Request, 70 * 1000);
	}));
	Watcher->SendPing();
	FHttpRequestPtr Request = Watcher->PendingRequest;
	ASSERT_TRUE(Request.IsValid());
	const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
	while ((UE::Host::GetHttpRequestsInFlight() > 0 || UE::Host::GetHttpGameThreadTasksPending() == 0) && std::chrono::steady_clock::now() < Deadline)
	{
		std::this_thread::sleep_for(std::chrono::milliseconds(2));
	}
	ASSERT_EQ(UE::Host::GetHttpRequestsInFlight(), 0) << "the transfer did not finish";
	ASSERT_TRUE(PumpUntilNoPing());

	const std::string Sent = AnswerOfSize(Peer.Requests().back(), 70 * 1000);
	EXPECT_EQ(Request->GetStatus(), EHttpRequestStatus::Succeeded);
	ASSERT_TRUE(Request->GetResponse().IsValid());
	EXPECT_EQ(static_cast<size_t>(Request->GetResponse()->GetContent().Num()), Sent.size());
	EXPECT_GT(Sent.size(), 64u * 1024u);
	EXPECT_TRUE(HostReaderAccepts(Sent));
	EXPECT_EQ(State(), EMcpState::Idle);
	EXPECT_EQ(Message(), Unreachable());
}

TEST_F(WatcherAnswerLimits, ASeventyKilobyteAnswerIsCancelledWhileItArrives)
{
	// 66 KiB of a valid 70 KB answer, then the peer holds the rest back until the client leaves.
	constexpr size_t FirstPart = 66 * 1024;
	Peer.Expect(FScriptedExchange::Request("POST", "/mcp")
					.RespondWith(200, [](const FScriptedHttpRequest& Request) { return AnswerOfSize(Request, 70 * 1000); })
					.Drip(FirstPart, std::chrono::seconds(60)));
	FHttpRequestPtr Request = PingAndWait();
	ASSERT_TRUE(Request.IsValid());
	// The watcher cancelled it; the request's own time-out did not end it.
	EXPECT_EQ(Request->GetStatus(), EHttpRequestStatus::Failed);
	EXPECT_EQ(Request->GetFailureReason(), EHttpFailureReason::Cancelled);
	Pump([this] { return Peer.BodyBytesSent() >= FirstPart; }, 1.0);
	EXPECT_EQ(Peer.BodyBytesSent(), FirstPart);
	EXPECT_EQ(State(), EMcpState::Idle);
	EXPECT_EQ(Message(), Unreachable());
}
