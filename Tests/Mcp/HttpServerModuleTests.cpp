// Copyright Vantle contributors. All Rights Reserved.
// The HTTP server stand-in on its own: when listeners bind, and how routes reach handlers.
#include "McpTestSupport.h"

#include "HostHttpServer.h"
#include "HttpServerModule.h"
#include "Misc/OutputDeviceRedirector.h"
#include "Modules/ModuleManager.h"

#include <gtest/gtest.h>

#include <mutex>
#include <thread>
#include <vector>

using namespace McpTest;

namespace
{
	class FHttpServerModuleTest : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			GLog->EnableBacklog(false);
			GLog->AddOutputDevice(&Log);
		}

		void TearDown() override
		{
			FModuleManager::Get().UnloadModule(TEXT("HTTPServer"));
			for (std::thread& Thread : Completers)
			{
				Thread.join();
			}
			GLog->FlushThreadedLogs();
			GLog->RemoveOutputDevice(&Log);
		}

		static FString CreatedLine(uint32 Port) { return FString::Printf(TEXT("Created new HttpListener on 127.0.0.1:%u"), Port); }

		// A handler that answers from another thread, as an engine handler may.
		FHttpRequestHandler MakeLaterHandler(const FString& Text)
		{
			return FHttpRequestHandler::CreateLambda([this, Text](const FHttpServerRequest& Request, const FHttpResultCallback& OnComplete)
				{
					const FString Echo = Text + TEXT(" ") + UE::Host::FromUtf8(std::string(reinterpret_cast<const char*>(Request.Body.GetData()), Request.Body.Num()));
					const TArray<FString>* Probe = Request.Headers.Find(TEXT("x-probe"));
					const FString ProbeValue = Probe && Probe->Num() == 1 ? (*Probe)[0] : FString(TEXT("-"));
					std::lock_guard<std::mutex> Guard(CompletersMutex);
					Completers.emplace_back([OnComplete, Echo, ProbeValue]
						{
							TUniquePtr<FHttpServerResponse> Response = FHttpServerResponse::Create(Echo + TEXT(" ") + ProbeValue, TEXT("text/plain"));
							Response->Code = EHttpServerResponseCodes::Accepted;
							OnComplete(std::move(Response));
						});
					return true;
				});
		}

		FLogCapture Log;
		std::mutex CompletersMutex;
		std::vector<std::thread> Completers;
	};
}

TEST_F(FHttpServerModuleTest, RoutersBindAtStartAllThenAtOnceAndCanRefuseAFailedBind)
{
	FHttpServerModule& Server = FHttpServerModule::Get();
	const uint32 Early = FindFreePort();
	const TSharedPtr<IHttpRouter> EarlyRouter = Server.GetHttpRouter(Early);
	ASSERT_TRUE(EarlyRouter.IsValid());
	EXPECT_EQ(Log.Count(TEXT("LogHttpListener"), ELogVerbosity::Log, CreatedLine(Early)), 0) << "no listener binds before StartAllListeners";
	EXPECT_FALSE(CanConnect(Early));

	Server.StartAllListeners();
	EXPECT_EQ(Log.Count(TEXT("LogHttpListener"), ELogVerbosity::Log, CreatedLine(Early)), 1);
	EXPECT_TRUE(Server.GetHttpRouter(Early) == EarlyRouter) << "one router per port";

	const uint32 Late = FindFreePort();
	ASSERT_TRUE(Server.GetHttpRouter(Late).IsValid());
	EXPECT_EQ(Log.Count(TEXT("LogHttpListener"), ELogVerbosity::Log, CreatedLine(Late)), 1) << "bound at once while listeners run";
	EXPECT_TRUE(CanConnect(Late));

	const uint32 Held = FindFreePort();
	FPortHolder Holder(Held);
	ASSERT_TRUE(Holder.IsHolding());
	EXPECT_FALSE(Server.GetHttpRouter(Held, true).IsValid());
	EXPECT_EQ(Log.Count(TEXT("LogHttpListener"), ELogVerbosity::Error, FString::Printf(TEXT("HttpListener unable to bind to 127.0.0.1:%u"), Held)), 1);
	EXPECT_TRUE(Server.GetHttpRouter(Held, false).IsValid()) << "without bFailOnBindFailure the router comes back anyway";

	TArray<uint32> Expected{Early, Late};
	Expected.Sort();
	EXPECT_EQ(UE::Host::GetListeningHttpPorts(), Expected);
}

TEST_F(FHttpServerModuleTest, RoutesReachTheirHandlerWithHeadersAndBodyAndRefuseClashes)
{
	FHttpServerModule& Server = FHttpServerModule::Get();
	const uint32 Port = FindFreePort();
	const TSharedPtr<IHttpRouter> Router = Server.GetHttpRouter(Port);
	Server.StartAllListeners();

	const FHttpRouteHandle Route = Router->BindRoute(FHttpPath(TEXT("/echo")), EHttpServerRequestVerbs::VERB_POST | EHttpServerRequestVerbs::VERB_PUT, MakeLaterHandler(TEXT("echo")));
	ASSERT_TRUE(Route.IsValid());
	EXPECT_FALSE(Router->BindRoute(FHttpPath(TEXT("/echo")), EHttpServerRequestVerbs::VERB_PUT, MakeLaterHandler(TEXT("again"))).IsValid());
	EXPECT_FALSE(Router->BindRoute(FHttpPath(TEXT("echo")), EHttpServerRequestVerbs::VERB_GET, MakeLaterHandler(TEXT("relative"))).IsValid());
	EXPECT_FALSE(Router->BindRoute(FHttpPath(TEXT("/a b")), EHttpServerRequestVerbs::VERB_GET, MakeLaterHandler(TEXT("blank"))).IsValid());
	EXPECT_FALSE(Router->BindRoute(FHttpPath(TEXT("/none")), EHttpServerRequestVerbs::VERB_NONE, MakeLaterHandler(TEXT("verbless"))).IsValid());
	const FHttpRouteHandle Declining = Router->BindRoute(FHttpPath(TEXT("/declines")), EHttpServerRequestVerbs::VERB_GET,
		FHttpRequestHandler::CreateLambda([](const FHttpServerRequest&, const FHttpResultCallback&) { return false; }));
	ASSERT_TRUE(Declining.IsValid());
	EXPECT_EQ(UE::Host::GetBoundHttpRoutes(Port), (TArray<FString>{TEXT("POST /echo"), TEXT("PUT /echo"), TEXT("GET /declines")}));

	const FHttpReply Reply = SendHttp(Port, "POST", "/echo", "hello", {{"X-Probe", "1"}});
	EXPECT_EQ(Reply.Status, 202);
	EXPECT_EQ(Reply.Body, "echo hello 1");
	EXPECT_EQ(Reply.Header("content-type"), "text/plain");
	EXPECT_EQ(SendHttp(Port, "PUT", "/echo", "x").Body, "echo x -");
	EXPECT_EQ(SendHttp(Port, "GET", "/echo", "").Status, 404) << "verb not bound";
	EXPECT_EQ(SendHttp(Port, "GET", "/declines", "").Status, 404) << "a handler that declines leaves the request unrouted";

	Router->UnbindRoute(Route);
	EXPECT_EQ(SendHttp(Port, "POST", "/echo", "hello").Status, 404);
	EXPECT_EQ(UE::Host::GetBoundHttpRoutes(Port), TArray<FString>{TEXT("GET /declines")});
}
