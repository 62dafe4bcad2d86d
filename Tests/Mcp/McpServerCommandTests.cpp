// Copyright Vantle contributors. All Rights Reserved.
// The console commands and the log lines the editor's log watcher relies on.
#include "McpTestSupport.h"

#include "Containers/Ticker.h"
#include "HostHttpServer.h"
#include "HostModelContextProtocol.h"
#include "HttpServerModule.h"

#include <atomic>
#include <chrono>

using namespace McpTest;

namespace
{
	const TCHAR* const McpCategory = TEXT("LogModelContextProtocol");
	const TCHAR* const ListenerCategory = TEXT("LogHttpListener");
	const std::string Ping = R"({"jsonrpc":"2.0","id":"1","method":"ping"})";
}

TEST_F(FMcpModuleTest, StartOnFreePortLogsStartNoticeAndCreatedListener)
{
	const uint32 Port = FindFreePort();
	ASSERT_NE(Port, 0u);
	EXPECT_TRUE(StartServer(Port));

	EXPECT_EQ(Log.Count(McpCategory, ELogVerbosity::Log, StartLine(Port)), 1);
	EXPECT_EQ(Log.Count(ListenerCategory, ELogVerbosity::Log, CreatedLine(Port)), 1);
	EXPECT_LT(Log.Find(McpCategory, ELogVerbosity::Log, StartLine(Port)), Log.Find(ListenerCategory, ELogVerbosity::Log, CreatedLine(Port)));
	EXPECT_EQ(Log.Count(ListenerCategory, ELogVerbosity::Error, BindFailedLine(Port)), 0);

	EXPECT_TRUE(UE::Host::GetListeningHttpPorts().Contains(Port));
	EXPECT_EQ(UE::Host::GetMcpServerPort(), Port);
	EXPECT_EQ(PostMcp(Port, Ping).Status, 200);
}

TEST_F(FMcpModuleTest, PortHeldElsewhereStillLogsStartLineThenBindFailureAndNextStartRetries)
{
	const uint32 Port = FindFreePort();
	{
		// A holder that offers to share the port must not get company either: two editors on one
		// port is exactly what the log lines have to reveal.
		FPortHolder Holder(Port, true);
		ASSERT_TRUE(Holder.IsHolding());
		EXPECT_TRUE(StartServer(Port));

		const int32 Start = Log.Find(McpCategory, ELogVerbosity::Log, StartLine(Port));
		const int32 Failure = Log.Find(ListenerCategory, ELogVerbosity::Error, BindFailedLine(Port));
		ASSERT_NE(Start, INDEX_NONE);
		ASSERT_NE(Failure, INDEX_NONE);
		EXPECT_LT(Start, Failure);
		EXPECT_EQ(Log.Count(ListenerCategory, ELogVerbosity::Log, CreatedLine(Port)), 0);
		EXPECT_FALSE(UE::Host::GetListeningHttpPorts().Contains(Port));
		// The engine counts the server as running once it has a router, bound or not.
		EXPECT_EQ(UE::Host::GetMcpServerPort(), Port);
	}

	// With the port free again, starting once more binds it.
	EXPECT_TRUE(StartServer(Port));
	EXPECT_EQ(Log.Count(McpCategory, ELogVerbosity::Log, StartLine(Port)), 2);
	EXPECT_EQ(Log.Count(ListenerCategory, ELogVerbosity::Log, CreatedLine(Port)), 1);
	EXPECT_EQ(PostMcp(Port, Ping).Status, 200);
}

TEST_F(FMcpModuleTest, InvalidPortsStartNothing)
{
	for (const TCHAR* Argument : {TEXT("0"), TEXT("65536"), TEXT("-80"), TEXT("http")})
	{
		EXPECT_TRUE(RunCommand(FString::Printf(TEXT("ModelContextProtocol.StartServer %s"), Argument)));
	}
	for (const FLogLine& Line : Log.Lines())
	{
		EXPECT_FALSE(Line.Text.StartsWith(TEXT("Starting MCP server"))) << TCHAR_TO_UTF8(*Line.Text);
		EXPECT_FALSE(Line.Category == ListenerCategory) << TCHAR_TO_UTF8(*Line.Text);
	}
	EXPECT_EQ(UE::Host::GetMcpServerPort(), 0u);
	EXPECT_TRUE(UE::Host::GetListeningHttpPorts().IsEmpty());
}

TEST_F(FMcpModuleTest, NoArgumentStartsOnPort8000)
{
	EXPECT_TRUE(RunCommand(TEXT("ModelContextProtocol.StartServer")));
	EXPECT_EQ(Log.Count(McpCategory, ELogVerbosity::Log, StartLine(8000)), 1);
	// Something else on this machine may hold 8000; either listener line proves the port tried.
	EXPECT_EQ(Log.Count(ListenerCategory, ELogVerbosity::Log, CreatedLine(8000)) + Log.Count(ListenerCategory, ELogVerbosity::Error, BindFailedLine(8000)), 1);
	EXPECT_EQ(UE::Host::GetMcpServerPort(), 8000u);
}

TEST_F(FMcpModuleTest, StartOnAnotherPortMovesTheRoutes)
{
	const uint32 First = FindFreePort();
	ASSERT_TRUE(StartServer(First));
	const uint32 Second = FindFreePort();
	ASSERT_NE(First, Second);
	ASSERT_TRUE(StartServer(Second));

	EXPECT_EQ(Log.Count(McpCategory, ELogVerbosity::Log, StartLine(Second)), 1);
	EXPECT_EQ(UE::Host::GetMcpServerPort(), Second);
	EXPECT_TRUE(UE::Host::GetBoundHttpRoutes(First).IsEmpty());
	// The old port's listener stays, as it does in the editor; only the routes moved.
	EXPECT_TRUE(UE::Host::GetListeningHttpPorts().Contains(First));
	EXPECT_EQ(PostMcp(First, Ping).Status, 404);
	EXPECT_EQ(PostMcp(Second, Ping).Status, 200);
}

TEST_F(FMcpModuleTest, StopServerUnbindsRoutesButLeavesTheListener)
{
	const uint32 Port = FindFreePort();
	ASSERT_TRUE(StartServer(Port));
	ASSERT_EQ(PostMcp(Port, Ping).Status, 200);

	EXPECT_TRUE(RunCommand(TEXT("ModelContextProtocol.StopServer")));
	EXPECT_EQ(Log.Count(ListenerCategory, ELogVerbosity::Log, StoppingLine(Port)), 0);
	EXPECT_TRUE(UE::Host::GetListeningHttpPorts().Contains(Port));
	EXPECT_FALSE(UE::Host::AreMcpRoutesBound());
	EXPECT_EQ(UE::Host::GetMcpServerPort(), 0u);
	EXPECT_EQ(PostMcp(Port, Ping).Status, 404);
	EXPECT_EQ(SendHttp(Port, "GET", "/mcp", "").Status, 404);

	// Starting again on the same port reuses the listener: no second created line.
	ASSERT_TRUE(StartServer(Port));
	EXPECT_EQ(Log.Count(ListenerCategory, ELogVerbosity::Log, CreatedLine(Port)), 1);
	EXPECT_EQ(PostMcp(Port, Ping).Status, 200);
}

TEST_F(FMcpModuleTest, ShutdownRemovesCommandsAndTheHttpServerLogsTheStoppingLine)
{
	const uint32 Port = FindFreePort();
	ASSERT_TRUE(StartServer(Port));

	FModuleManager::Get().UnloadModule(TEXT("ModelContextProtocol"));
	EXPECT_EQ(IConsoleManager::Get().FindConsoleObject(TEXT("ModelContextProtocol.StartServer")), nullptr);
	EXPECT_EQ(IConsoleManager::Get().FindConsoleObject(TEXT("ModelContextProtocol.StopServer")), nullptr);
	EXPECT_EQ(Log.Count(ListenerCategory, ELogVerbosity::Log, StoppingLine(Port)), 0) << "the plugin's shut-down leaves the listener to the HTTP server";
	EXPECT_EQ(PostMcp(Port, Ping).Status, 404);

	FModuleManager::Get().UnloadModule(TEXT("HTTPServer"));
	EXPECT_EQ(Log.Count(ListenerCategory, ELogVerbosity::Log, StoppingLine(Port)), 1);
	EXPECT_FALSE(CanConnect(Port));
}

TEST_F(FMcpModuleTest, StopAllListenersLogsOneStoppingLinePerListeningPortAndStartRebinds)
{
	const uint32 Port = FindFreePort();
	ASSERT_TRUE(StartServer(Port));
	const uint32 Held = FindFreePort();
	FPortHolder Holder(Held);
	ASSERT_TRUE(Holder.IsHolding());
	ASSERT_TRUE(StartServer(Held));

	FHttpServerModule::Get().StopAllListeners();
	EXPECT_EQ(Log.Count(ListenerCategory, ELogVerbosity::Log, StoppingLine(Port)), 1);
	EXPECT_EQ(Log.Count(ListenerCategory, ELogVerbosity::Log, StoppingLine(Held)), 0) << "a port that never bound has nothing to stop";
	EXPECT_TRUE(UE::Host::GetListeningHttpPorts().IsEmpty());
	EXPECT_FALSE(CanConnect(Port));

	FHttpServerModule::Get().StartAllListeners();
	EXPECT_EQ(Log.Count(ListenerCategory, ELogVerbosity::Log, CreatedLine(Port)), 2);
	EXPECT_TRUE(UE::Host::GetListeningHttpPorts().Contains(Port));
	EXPECT_FALSE(UE::Host::GetListeningHttpPorts().Contains(Held));
}

// The engine's HTTP server is a ticker object: while the game thread is busy (a hitch) a ping is
// read but not answered, and the first tick after it answers.
TEST_F(FMcpModuleTest, APingWaitsForTheGameThreadsTick)
{
	const uint32 Port = FindFreePort();
	ASSERT_TRUE(StartServer(Port));
	std::atomic<int32> Status{-1};
	std::thread Client([&] { Status = PostMcp(Port, Ping).Status; });
	const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
	while (UE::Host::GetHttpServerRequestsWaiting() == 0 && std::chrono::steady_clock::now() < Deadline)
	{
		std::this_thread::sleep_for(std::chrono::milliseconds(2));
	}
	EXPECT_EQ(UE::Host::GetHttpServerRequestsWaiting(), 1);
	std::this_thread::sleep_for(std::chrono::milliseconds(300));
	EXPECT_EQ(Status.load(), -1) << "answered while the game thread did not tick";

	FTSTicker::GetCoreTicker().Tick(0.001f);
	EXPECT_EQ(UE::Host::GetHttpServerRequestsWaiting(), 0);
	Client.join();
	EXPECT_EQ(Status.load(), 200);
}
