// Copyright Vantle contributors. All Rights Reserved.
// The "/mcp" endpoint as an MCP client (or the editor's ping) sees it over HTTP.
#include "McpTestSupport.h"

#include "HostModelContextProtocol.h"
#include "ModelContextProtocol.h"

#include <nlohmann/json.hpp>

#include <atomic>
#include <thread>
#include <vector>

using namespace McpTest;
using FJson = nlohmann::json;

namespace
{
	class FMcpEndpointTest : public FMcpModuleTest
	{
	protected:
		void SetUp() override
		{
			FMcpModuleTest::SetUp();
			Port = FindFreePort();
			ASSERT_TRUE(StartServer(Port));
			ASSERT_TRUE(UE::Host::AreMcpRoutesBound());
		}

		static FJson ParseBody(const FHttpReply& Reply)
		{
			return FJson::parse(Reply.Body, nullptr, false);
		}

		static void ExpectRpcError(const FHttpReply& Reply, int32 Status, int32 Code, const FJson& Id)
		{
			EXPECT_EQ(Reply.Status, Status) << Reply.Body;
			EXPECT_EQ(Reply.Header("content-type"), "application/json");
			const FJson Body = ParseBody(Reply);
			ASSERT_TRUE(Body.is_object()) << Reply.Body;
			EXPECT_EQ(Body.value("jsonrpc", ""), "2.0");
			EXPECT_EQ(Body["id"], Id) << Reply.Body;
			EXPECT_EQ(Body["error"]["code"], Code) << Reply.Body;
			EXPECT_TRUE(Body["error"]["message"].is_string());
			EXPECT_FALSE(Body.contains("result"));
		}

		uint32 Port = 0;
	};
}

TEST_F(FMcpEndpointTest, PingIsAnsweredWithoutSessionAndEchoesTheIdAsGiven)
{
	LogModelContextProtocol.SetVerbosity(ELogVerbosity::Verbose);
	const FHttpReply Text = PostMcp(Port, R"({"jsonrpc":"2.0","id":"5F0C39A4D2B84E61A0D3C9E7B1F24A68","method":"ping"})");
	EXPECT_EQ(Text.Status, 200);
	EXPECT_EQ(Text.Header("content-type"), "application/json");
	EXPECT_EQ(Text.Body, R"({"jsonrpc":"2.0","id":"5F0C39A4D2B84E61A0D3C9E7B1F24A68","result":{}})");

	const FHttpReply Number = PostMcp(Port, R"({"jsonrpc":"2.0","id":42,"method":"ping"})");
	EXPECT_EQ(Number.Status, 200);
	EXPECT_EQ(Number.Body, R"({"jsonrpc":"2.0","id":42,"result":{}})");
	LogModelContextProtocol.SetVerbosity(ELogVerbosity::Log);

	EXPECT_EQ(Log.Count(TEXT("LogModelContextProtocol"), ELogVerbosity::Verbose, TEXT("Replying to Ping")), 2);
	EXPECT_EQ(UE::Host::GetMcpSessionCount(), 0) << "a ping opens no session";
}

TEST_F(FMcpEndpointTest, InitializeOpensASessionForTheToolMethods)
{
	const FHttpReply Reply = PostMcp(Port, R"({"jsonrpc":"2.0","id":"init","method":"initialize","params":{"protocolVersion":"2024-11-05","capabilities":{},"clientInfo":{"name":"t","version":"1"}}})");
	ASSERT_EQ(Reply.Status, 200);
	EXPECT_EQ(Reply.Header("content-type"), "application/json");
	const std::string Session = Reply.Header("mcp-session-id");
	ASSERT_FALSE(Session.empty());
	EXPECT_EQ(ParseBody(Reply)["result"]["protocolVersion"], "2024-11-05");
	EXPECT_EQ(UE::Host::GetMcpSessionCount(), 1);

	const FHeaderList WithSession = {{"Mcp-Session-Id", Session}};
	const FHttpReply Initialized = PostMcp(Port, R"({"jsonrpc":"2.0","method":"notifications/initialized"})", WithSession);
	EXPECT_EQ(Initialized.Status, 202);
	EXPECT_TRUE(Initialized.Body.empty());

	const FHttpReply List = PostMcp(Port, R"({"jsonrpc":"2.0","id":2,"method":"tools/list"})", WithSession);
	ASSERT_EQ(List.Status, 200);
	const FJson Tools = ParseBody(List)["result"]["tools"];
	ASSERT_TRUE(Tools.is_array());
	ASSERT_EQ(Tools.size(), 1u);
	EXPECT_EQ(Tools[0]["name"], "echo");

	// Ending the session makes its id unknown from then on.
	const FHttpReply Deleted = SendHttp(Port, "DELETE", "/mcp", "", WithSession);
	EXPECT_EQ(Deleted.Status, 204);
	EXPECT_EQ(UE::Host::GetMcpSessionCount(), 0);
	ExpectRpcError(PostMcp(Port, R"({"jsonrpc":"2.0","id":6,"method":"tools/list"})", WithSession), 404, -32001, 6);
	EXPECT_EQ(SendHttp(Port, "DELETE", "/mcp", "", WithSession).Status, 404);
}

TEST_F(FMcpEndpointTest, SessionBoundMethodsNeedAKnownSession)
{
	ExpectRpcError(PostMcp(Port, R"({"jsonrpc":"2.0","id":1,"method":"tools/list"})"), 400, -32000, 1);
	ExpectRpcError(PostMcp(Port, R"({"jsonrpc":"2.0","id":2,"method":"tools/call","params":{"name":"echo"}})"), 400, -32000, 2);
	ExpectRpcError(PostMcp(Port, R"({"jsonrpc":"2.0","id":3,"method":"tools/list"})", {{"Mcp-Session-Id", "0123456789ABCDEF0123456789ABCDEF"}}), 404, -32001, 3);
	// Even a ping, which needs no session, is refused with an unknown one.
	ExpectRpcError(PostMcp(Port, R"({"jsonrpc":"2.0","id":4,"method":"ping"})", {{"Mcp-Session-Id", "0123456789ABCDEF0123456789ABCDEF"}}), 404, -32001, 4);
}

TEST_F(FMcpEndpointTest, MalformedMessagesGetJsonRpcErrors)
{
	ExpectRpcError(PostMcp(Port, R"({"jsonrpc":"2.0","id":1,"method":"ping")"), 400, -32700, nullptr);
	ExpectRpcError(PostMcp(Port, "\xff\xfe{}"), 400, -32700, nullptr);
	ExpectRpcError(PostMcp(Port, R"({"id":2,"method":"ping"})"), 400, -32600, 2);
	ExpectRpcError(PostMcp(Port, R"({"jsonrpc":"1.0","id":"x","method":"ping"})"), 400, -32600, "x");
	ExpectRpcError(PostMcp(Port, R"([{"jsonrpc":"2.0","id":4,"method":"ping"}])"), 400, -32600, nullptr);
	ExpectRpcError(PostMcp(Port, R"({"jsonrpc":"2.0","id":5})"), 400, -32600, 5);
	ExpectRpcError(PostMcp(Port, R"({"jsonrpc":"2.0","id":null,"method":"ping"})"), 400, -32600, nullptr);
	ExpectRpcError(PostMcp(Port, R"({"jsonrpc":"2.0","id":7,"method":"resources/list"})"), 200, -32601, 7);
	ExpectRpcError(PostMcp(Port, R"({"jsonrpc":"2.0","id":8,"method":"ping","params":"x"})"), 400, -32600, 8);

	// Nested far deeper than any message needs: refused or answered, but the server lives on.
	const std::string Deep = std::string(200000, '[') + std::string(200000, ']');
	EXPECT_EQ(PostMcp(Port, Deep).Status, 400);
	EXPECT_EQ(PostMcp(Port, R"({"jsonrpc":"2.0","id":9,"method":"ping"})").Status, 200);
}

TEST_F(FMcpEndpointTest, ForeignOriginsAreRefusedAndLocalOnesAccepted)
{
	const std::string Ping = R"({"jsonrpc":"2.0","id":1,"method":"ping"})";
	for (const char* Origin : {"http://localhost", "http://localhost:3000", "https://127.0.0.1:8443", "http://[::1]:8080", "HTTP://LOCALHOST"})
	{
		EXPECT_EQ(PostMcp(Port, Ping, {{"Origin", Origin}}).Status, 200) << Origin;
	}
	for (const char* Origin : {"http://evil.example", "null", "http://localhost.evil.example", "http://127.0.0.1.nip.io", "http://user@localhost",
			 "http://localhost/path", "file://localhost", "localhost", "http://[::2]"})
	{
		const FHttpReply Reply = PostMcp(Port, Ping, {{"Origin", Origin}});
		EXPECT_EQ(Reply.Status, 403) << Origin;
		EXPECT_EQ(Reply.Body.find("result"), std::string::npos) << Origin;
	}
	EXPECT_EQ(SendHttp(Port, "GET", "/mcp", "", {{"Origin", "http://evil.example"}}).Status, 403);
	EXPECT_EQ(PostMcp(Port, R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{"protocolVersion":"2025-06-18"}})", {{"Origin", "http://evil.example"}}).Status, 403);
	EXPECT_EQ(UE::Host::GetMcpSessionCount(), 0);
}

TEST_F(FMcpEndpointTest, HttpLevelLimitsAndOtherPaths)
{
	const FHttpReply Get = SendHttp(Port, "GET", "/mcp", "");
	EXPECT_EQ(Get.Status, 405);
	EXPECT_EQ(SendHttp(Port, "PUT", "/mcp", "{}").Status, 404) << "only POST, GET and DELETE are bound";
	EXPECT_EQ(PostMcp(Port, "{}", {}).Status, 400);
	EXPECT_EQ(SendHttp(Port, "POST", "/other", "{}").Status, 404);
	EXPECT_EQ(SendHttp(Port, "DELETE", "/mcp", "").Status, 400) << "no session named";

	// A body over 1 MiB is refused without being kept.
	EXPECT_EQ(PostMcp(Port, std::string(2000000, ' ')).Status, 413);
	// A body just under the limit is read and judged as JSON.
	const std::string Padded = R"({"jsonrpc":"2.0","id":1,"method":"ping","pad":")" + std::string(1000000, 'x') + R"("})";
	EXPECT_EQ(PostMcp(Port, Padded).Status, 200);
	EXPECT_EQ(SendRaw(Port, "BREW /mcp HTTP/1.1\r\nConnection: close\r\n\r\n").Status, 400);
	EXPECT_EQ(PostMcp(Port, R"({"jsonrpc":"2.0","id":1,"method":"ping"})").Status, 200);
}

TEST_F(FMcpEndpointTest, ConcurrentClientsAreAnsweredWhileRoutesMove)
{
	struct FTally
	{
		std::atomic<int32> Right{0};
		std::atomic<int32> NotFound{0};
		std::atomic<int32> Wrong{0};
	};
	constexpr int32 Threads = 6;
	constexpr int32 RequestsPerThread = 12;
	const auto RunClients = [this](FTally& Tally)
	{
		std::vector<std::thread> Clients;
		for (int32 ThreadIndex = 0; ThreadIndex < Threads; ++ThreadIndex)
		{
			Clients.emplace_back([this, &Tally, ThreadIndex]
				{
					for (int32 Index = 0; Index < RequestsPerThread; ++Index)
					{
						const std::string Id = std::to_string(ThreadIndex * 1000 + Index);
						const FHttpReply Reply = PostMcp(Port, R"({"jsonrpc":"2.0","id":)" + Id + R"(,"method":"ping"})");
						const bool bRight = Reply.Status == 200 && Reply.Body == R"({"jsonrpc":"2.0","id":)" + Id + R"(,"result":{}})";
						(bRight ? Tally.Right : Reply.Status == 404 ? Tally.NotFound : Tally.Wrong) += 1;
					}
				});
		}
		return Clients;
	};

	const auto Total = [](const FTally& Tally) { return Tally.Right.load() + Tally.NotFound.load() + Tally.Wrong.load(); };
	FTally Steady;
	std::vector<std::thread> SteadyClients = RunClients(Steady);
	JoinTicking(SteadyClients, [&] { return Total(Steady) == Threads * RequestsPerThread; });
	EXPECT_EQ(Steady.Right.load(), Threads * RequestsPerThread);

	// The game thread moves the routes away and back meanwhile: each answer is right or a 404
	// from the gap, never a half-served request.
	FTally Moving;
	std::vector<std::thread> Clients = RunClients(Moving);
	for (int32 Round = 0; Round < 5; ++Round)
	{
		EXPECT_TRUE(RunCommand(TEXT("ModelContextProtocol.StopServer")));
		EXPECT_TRUE(StartServer(Port));
	}
	JoinTicking(Clients, [&] { return Total(Moving) == Threads * RequestsPerThread; });
	EXPECT_EQ(Moving.Wrong.load(), 0);
	EXPECT_EQ(Moving.Right.load() + Moving.NotFound.load(), Threads * RequestsPerThread);
	EXPECT_EQ(Log.Count(TEXT("LogHttpListener"), ELogVerbosity::Log, CreatedLine(Port)), 1);
}
