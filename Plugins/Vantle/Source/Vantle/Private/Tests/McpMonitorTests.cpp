// Copyright 2026 Vantle contributors. All Rights Reserved.
#include "CoreMinimal.h"

#if WITH_DEV_AUTOMATION_TESTS

#include "Containers/StringFwd.h"
#include "Containers/StringView.h"
#include "Containers/Ticker.h"
#include "HAL/IConsoleManager.h"
#include "HAL/PlatformTime.h"
#include "HttpModule.h"
#include "HttpPath.h"
#include "HttpRequestHandler.h"
#include "HttpResultCallback.h"
#include "HttpRouteHandle.h"
#include "HttpServerConstants.h"
#include "HttpServerModule.h"
#include "HttpServerRequest.h"
#include "HttpServerResponse.h"
#include "IHttpRouter.h"
#include "Interfaces/IHttpBase.h"
#include "Interfaces/IHttpRequest.h"
#include "McpLogLine.h"
#include "McpLogWatcher.h"
#include "McpPingAnswer.h"
#include "Misc/AutomationTest.h"
#include "Misc/Guid.h"
#include "Misc/Timespan.h"
#include "VantleTestScene.h"

namespace
{
	const TCHAR* const McpStartCommand = TEXT("ModelContextProtocol.StartServer");
	const FName McpLogCategory(TEXT("LogModelContextProtocol"));
	const FName ListenerLogCategory(TEXT("LogHttpListener"));

	// Lines of the log as the MCP server and its listener write them.
	enum class ELines : uint8
	{
		ThisEditor,
		StartOnly,
		BindFailed,
	};

	FString Utf8Text(const TArray<uint8>& Bytes)
	{
		const FUTF8ToTCHAR Converted(reinterpret_cast<const ANSICHAR*>(Bytes.GetData()), Bytes.Num());
		return FString(FStringView(Converted.Get(), Converted.Length()));
	}

	TArray<uint8> Utf8Bytes(const FString& Text)
	{
		const FTCHARToUTF8 Converted(*Text);
		TArray<uint8> Bytes;
		Bytes.Append(reinterpret_cast<const uint8*>(Converted.Get()), Converted.Length());
		return Bytes;
	}

	FString Repeat(int32 Count, TCHAR Ch)
	{
		FString Text;
		for (int32 Index = 0; Index < Count; ++Index)
		{
			Text.AppendChar(Ch);
		}
		return Text;
	}

	// A port in [First, First + Count), picked afresh each time.
	uint32 PickPort(uint32 First, uint32 Count)
	{
		return First + FGuid::NewGuid().A % Count;
	}

	FString Answer(const FString& Id, const FString& Result = TEXT("{}"))
	{
		return FString::Printf(TEXT("{\"jsonrpc\":\"2.0\",\"id\":\"%s\",\"result\":%s}"), *Id, *Result);
	}

	// A ping answer Bytes long, padded inside the result.
	FString AnswerOfSize(const FString& Id, int32 Bytes)
	{
		const int32 Frame = Answer(Id, TEXT("{\"pad\":\"\"}")).Len();
		return Answer(Id, FString::Printf(TEXT("{\"pad\":\"%s\"}"), *Repeat(Bytes - Frame, TEXT('x'))));
	}

	TUniquePtr<FHttpServerResponse> MakeResponse(int32 Code, const FString& Body, const FString& Type)
	{
		TUniquePtr<FHttpServerResponse> Response = FHttpServerResponse::Create(Body, Type);
		Response->Code = static_cast<EHttpServerResponseCodes>(Code);
		return Response;
	}

	bool IsConsoleCommand(const TCHAR* Name)
	{
		IConsoleObject* Object = IConsoleManager::Get().FindConsoleObject(Name);
		return Object && Object->AsCommand();
	}
}

BEGIN_DEFINE_SPEC(FVantleMcpMonitorTests, "Vantle.Mcp", EAutomationTestFlags::EditorContext | EAutomationTestFlags::ProductFilter)
	// One port for the test route for the whole editor session: the engine keeps a port's listener.
	static inline uint32 RoutePort = 0;
	TSharedPtr<IHttpRouter> Router;
	FHttpRouteHandle Route;
	TSharedPtr<FMcpLogWatcher, ESPMode::ThreadSafe> Watcher;
	FTSTicker::FDelegateHandle Poll;
	IConsoleObject* StartDouble = nullptr;

	// What the route answers; with bHold it keeps the answer back until the test lets it go.
	int32 AnswerCode = 200;
	FString AnswerType;
	TFunction<FString(const FString& PingId)> AnswerBody;
	bool bHold = false;
	TArray<FHttpResultCallback> Held;
	int32 Requests = 0;
	FHttpServerRequest LastRequest;
	TArray<FString> StartRuns;

	// A port the engine's HTTP server could bind for this test; 0 when none was free.
	static uint32 BindFreePort()
	{
		FHttpServerModule& Server = FHttpServerModule::Get();
		Server.StartAllListeners();
		for (int32 Attempt = 0; Attempt < 20; ++Attempt)
		{
			const uint32 Candidate = PickPort(49152, 12000);
			if (Server.GetHttpRouter(Candidate, true).IsValid())
			{
				return Candidate;
			}
		}
		return 0;
	}

	// A port nothing of this editor listens on: no answer comes, as from a stopped server.
	static int32 UnusedPort() { return static_cast<int32>(PickPort(61000, 4000)); }

	void FeedLines(ELines Lines)
	{
		const int32 Port = Watcher->Port;
		Watcher->Serialize(*FString::Printf(TEXT("Starting MCP server on port %d (override with -ModelContextProtocolPort=N)."), Port), ELogVerbosity::Log, McpLogCategory);
		if (Lines == ELines::ThisEditor)
		{
			Watcher->Serialize(*FString::Printf(TEXT("Created new HttpListener on 127.0.0.1:%d"), Port), ELogVerbosity::Log, ListenerLogCategory);
		}
		else if (Lines == ELines::BindFailed)
		{
			Watcher->Serialize(*FString::Printf(TEXT("HttpListener unable to bind to 127.0.0.1:%d"), Port), ELogVerbosity::Log, ListenerLogCategory);
		}
	}

	// Checks Finished once a frame, ticking the monitor as the module's tick does, then runs Then.
	void Await(TFunction<bool()> Finished, TFunction<void()> Then)
	{
		Poll = FTSTicker::GetCoreTicker().AddTicker(FTickerDelegate::CreateLambda([this, Finished, Then](float)
			{
				if (!Finished())
				{
					if (Watcher.IsValid())
					{
						Watcher->Tick();
					}
					return true;
				}
				Poll.Reset();
				Then();
				return false;
			}));
	}

	void AwaitPing(TFunction<void()> Then)
	{
		Await([this]() { return !Watcher->PendingRequest.IsValid(); }, Then);
	}

	void AwaitSettled(TFunction<void()> Then)
	{
		Await([this]() { return !Watcher->PendingRequest.IsValid() && Watcher->State != static_cast<int32>(EMcpState::Checking); }, Then);
	}

	void TestStatus(EMcpState State, const FString& Message)
	{
		TestEqual(TEXT("state"), Watcher->State, static_cast<int32>(State));
		TestEqual(TEXT("message"), Watcher->Message, Message);
	}

	FString Unreachable() const { return FString::Printf(TEXT("MCP nicht erreichbar  /  Port %d"), Watcher->Port); }
	FString Confirmed() const { return FString::Printf(TEXT("MCP l\u00e4uft  /  Port %d"), Watcher->Port); }
	FString Foreign() const { return FString::Printf(TEXT("Port %d antwortet, gehoert aber nicht bestaetigt zu diesem Editor."), Watcher->Port); }

	// The MCP plugin's start command stands in only where the plugin is not there to give it.
	void RegisterStartDouble(bool bHandles)
	{
		FConsoleCommandWithArgsDelegate Delegate;
		if (bHandles)
		{
			Delegate.BindLambda([this](const TArray<FString>& Args) { StartRuns.Add(FString::Join(Args, TEXT(" "))); });
		}
		StartDouble = IConsoleManager::Get().RegisterConsoleCommand(McpStartCommand, TEXT("Vantle test stand-in"), Delegate);
	}

	bool SkipWithPlugin(const FDoneDelegate& Done)
	{
		if (IsConsoleCommand(McpStartCommand))
		{
			AddInfo(TEXT("The Model Context Protocol plugin is enabled; this case needs it disabled and is skipped."));
			Done.Execute();
			return true;
		}
		return false;
	}
END_DEFINE_SPEC(FVantleMcpMonitorTests)

void FVantleMcpMonitorTests::Define()
{
	BeforeEach([this]()
		{
			if (RoutePort == 0)
			{
				RoutePort = BindFreePort();
			}
			TestTrue(TEXT("a free port for the test route"), RoutePort != 0);
			Router = FHttpServerModule::Get().GetHttpRouter(RoutePort);
			AnswerCode = 200;
			AnswerType = TEXT("application/json");
			AnswerBody = [](const FString& PingId) { return Answer(PingId); };
			bHold = false;
			Requests = 0;
			StartRuns.Reset();
			Route = Router->BindRoute(FHttpPath(TEXT("/mcp")), EHttpServerRequestVerbs::VERB_POST,
				FHttpRequestHandler::CreateLambda([this](const FHttpServerRequest& Request, const FHttpResultCallback& OnComplete)
					{
						++Requests;
						LastRequest = Request;
						if (bHold)
						{
							Held.Add(OnComplete);
							return true;
						}
						OnComplete(MakeResponse(AnswerCode, AnswerBody(Watcher.IsValid() ? Watcher->PingId : FString()), AnswerType));
						return true;
					}));
			TestTrue(TEXT("route bound"), Route.IsValid());
			Watcher = MakeShared<FMcpLogWatcher, ESPMode::ThreadSafe>(static_cast<int32>(RoutePort));
		});

	AfterEach([this]()
		{
			FTSTicker::RemoveTicker(Poll);
			Poll.Reset();
			if (Watcher.IsValid())
			{
				Watcher->Shutdown();
				Watcher.Reset();
			}
			for (const FHttpResultCallback& OnComplete : Held)
			{
				OnComplete(FHttpServerResponse::Create(TEXT("{}"), TEXT("application/json")));
			}
			Held.Reset();
			if (Router.IsValid())
			{
				Router->UnbindRoute(Route);
			}
			Route.Reset();
			if (StartDouble)
			{
				IConsoleManager::Get().UnregisterConsoleObject(StartDouble, false);
				StartDouble = nullptr;
			}
		});

	It("LogLinesCountOnlyForThisPortInTheirShape", [this]()
		{
			struct FCase
			{
				FName Category;
				const TCHAR* Line;
				EMcpLogLine Expected;
			};
			const FCase Cases[] = {
				{McpLogCategory, TEXT("Starting MCP server on port 8000 (override with -ModelContextProtocolPort=N)."), EMcpLogLine::StartThisPort},
				{McpLogCategory, TEXT("STARTING mcp SERVER ON PORT 8000 x"), EMcpLogLine::StartThisPort},
				{McpLogCategory, TEXT("Starting MCP server on port 8001 (override)."), EMcpLogLine::StartOtherPort},
				{McpLogCategory, TEXT("Starting MCP server on port 8000"), EMcpLogLine::StartOtherPort},
				{McpLogCategory, TEXT("Starting MCP server on port 80000 ."), EMcpLogLine::StartOtherPort},
				{McpLogCategory, TEXT("MCP server is already running on port 8000, stopping first."), EMcpLogLine::Unrelated},
				{McpLogCategory, TEXT("Created new HttpListener on 127.0.0.1:8000"), EMcpLogLine::Unrelated},
				{ListenerLogCategory, TEXT("Starting MCP server on port 8000 ."), EMcpLogLine::Unrelated},
				{FName(TEXT("LogTemp")), TEXT("Created new HttpListener on 127.0.0.1:8000"), EMcpLogLine::Unrelated},
				{ListenerLogCategory, TEXT("Created new HttpListener on 127.0.0.1:8000"), EMcpLogLine::ListenerCreated},
				{ListenerLogCategory, TEXT("created new httplistener on [::1]:8000"), EMcpLogLine::ListenerCreated},
				{ListenerLogCategory, TEXT("Created new HttpListener on 127.0.0.1:18000"), EMcpLogLine::Unrelated},
				{ListenerLogCategory, TEXT("Created new HttpListener on 127.0.0.1:80001"), EMcpLogLine::Unrelated},
				{ListenerLogCategory, TEXT("Created new HttpListener on 127.0.0.1:8000."), EMcpLogLine::Unrelated},
				{ListenerLogCategory, TEXT("Something else on 127.0.0.1:8000"), EMcpLogLine::Unrelated},
				{ListenerLogCategory, TEXT(":8000"), EMcpLogLine::Unrelated},
				{ListenerLogCategory, TEXT(""), EMcpLogLine::Unrelated},
				{ListenerLogCategory, TEXT("HttpListener unable to bind to 127.0.0.1:8000"), EMcpLogLine::BindFailed},
				{ListenerLogCategory, TEXT("HttpListener unable to bind to 127.0.0.1:8000 "), EMcpLogLine::Unrelated},
				{ListenerLogCategory, TEXT("httplistener STOPPING listening on port 8000"), EMcpLogLine::ListenerStopped},
				{ListenerLogCategory, TEXT("HttpListener stopping listening on Port 8000 now"), EMcpLogLine::Unrelated},
				{ListenerLogCategory, TEXT("HttpListener stopping listening on Port 800"), EMcpLogLine::Unrelated},
				{ListenerLogCategory, TEXT("HttListener stopping listening on Port 8000"), EMcpLogLine::Unrelated},
			};
			for (const FCase& Case : Cases)
			{
				TestEqual(Case.Line, static_cast<int32>(MatchMcpLogLine(Case.Line, Case.Category, 8000)), static_cast<int32>(Case.Expected));
			}
			// The blank after the number keeps port 800 from taking port 8000's line.
			TestEqual(TEXT("port 800"), static_cast<int32>(MatchMcpLogLine(TEXT("Starting MCP server on port 8000 (x)"), McpLogCategory, 800)), static_cast<int32>(EMcpLogLine::StartOtherPort));
			TestEqual(TEXT("no line"), static_cast<int32>(MatchMcpLogLine(nullptr, McpLogCategory, 8000)), static_cast<int32>(EMcpLogLine::Unrelated));
		});

	It("ConfirmationNeedsTheStartAndListenerLinesAndNoFailureAfter", [this]()
		{
			FMcpLogWatcher Lines(8000);
			FString Steps;
			const auto Step = [&Lines, &Steps](const FName& Category, const TCHAR* Line)
			{
				Lines.Serialize(Line, ELogVerbosity::Log, Category);
				Steps += FString::Printf(TEXT("%d%d%d%d "), Lines.bStartLineSeen, Lines.bListenerCreated, Lines.bBindFailed, Lines.IsConfirmedForThisEditor());
			};
			Step(ListenerLogCategory, TEXT("Created new HttpListener on 127.0.0.1:8000"));
			Step(McpLogCategory, TEXT("Starting MCP server on port 8000 (override with -ModelContextProtocolPort=N)."));
			Step(McpLogCategory, TEXT("Starting MCP server on port 9000 (override with -ModelContextProtocolPort=N)."));
			Step(McpLogCategory, TEXT("Starting MCP server on port 8000 (override with -ModelContextProtocolPort=N)."));
			Step(ListenerLogCategory, TEXT("HttpListener unable to bind to 127.0.0.1:8000"));
			Step(ListenerLogCategory, TEXT("Created new HttpListener on 127.0.0.1:8000"));
			Step(ListenerLogCategory, TEXT("HttpListener stopping listening on Port 8000"));
			Step(ListenerLogCategory, TEXT("HttpListener unable to bind to 127.0.0.1:8000"));
			TestEqual(TEXT("start, listener, failure, confirmed after each line"), Steps, TEXT("0100 1101 0100 1101 1010 1101 1000 1010 "));
		});

	It("PingAnswersAreThisPingsResultWithinTheBounds", [this]()
		{
			const FString Id(TEXT("0123456789ABCDEF0123456789ABCDEF"));
			const auto Nested = [&Id](int32 Depth) { return Answer(Id, TEXT("{\"a\":") + Repeat(Depth - 2, TEXT('[')) + Repeat(Depth - 2, TEXT(']')) + TEXT("}")); };
			struct FCase
			{
				const TCHAR* What;
				int32 Status;
				FString Body;
				bool bValid;
			};
			const FCase Cases[] = {
				{TEXT("valid"), 200, Answer(Id), true},
				{TEXT("id in lower case"), 200, Answer(Id.ToLower()), true},
				{TEXT("other id"), 200, Answer(TEXT("0123456789ABCDEF0123456789ABCDEE")), false},
				{TEXT("status 201"), 201, Answer(Id), false},
				{TEXT("status 404"), 404, Answer(Id), false},
				{TEXT("array result"), 200, Answer(Id, TEXT("[]")), false},
				{TEXT("null result"), 200, Answer(Id, TEXT("null")), false},
				{TEXT("no result"), 200, FString::Printf(TEXT("{\"jsonrpc\":\"2.0\",\"id\":\"%s\"}"), *Id), false},
				{TEXT("result and error"), 200, FString::Printf(TEXT("{\"jsonrpc\":\"2.0\",\"id\":\"%s\",\"result\":{},\"error\":{}}"), *Id), false},
				{TEXT("version 1.0"), 200, FString::Printf(TEXT("{\"jsonrpc\":\"1.0\",\"id\":\"%s\",\"result\":{}}"), *Id), false},
				{TEXT("in an array"), 200, TEXT("[") + Answer(Id) + TEXT("]"), false},
				{TEXT("empty"), 200, FString(), false},
				{TEXT("64 levels"), 200, Nested(64), true},
				{TEXT("65 levels"), 200, Nested(65), false},
				{TEXT("brackets in a string"), 200, Answer(Id, TEXT("{\"s\":\"") + Repeat(100, TEXT('[')) + TEXT("\\\"") + Repeat(100, TEXT('{')) + TEXT("\"}")), true},
				{TEXT("64 KiB"), 200, AnswerOfSize(Id, 64 * 1024), true},
				{TEXT("64 KiB and a byte"), 200, AnswerOfSize(Id, 64 * 1024 + 1), false},
			};
			for (const FCase& Case : Cases)
			{
				TestEqual(Case.What, IsMcpPingAnswer(Case.Status, Utf8Bytes(Case.Body), Id), Case.bValid);
			}
			// Read by length, as the response reads its content: what follows a NUL still counts.
			TArray<uint8> WithNul = Utf8Bytes(Answer(Id));
			WithNul.Add(0);
			TestFalse(TEXT("text after a NUL"), IsMcpPingAnswer(200, WithNul, Id));
			TArray<uint8> BadUtf8 = Utf8Bytes(FString::Printf(TEXT("{\"jsonrpc\":\"2.0\",\"id\":\"%s\",\"result\":{\"n\":\""), *Id));
			BadUtf8.Add(0xFF);
			BadUtf8.Add(0xFE);
			BadUtf8.Append(Utf8Bytes(TEXT("\"}}")).GetData(), 3);
			TestTrue(TEXT("invalid UTF-8 in a string is replaced, not fatal"), IsMcpPingAnswer(200, BadUtf8, Id));
		});

	Describe("Ping", [this]()
		{
			// The monitor pings only while the start command exists.
			BeforeEach([this]()
				{
					if (!IsConsoleCommand(McpStartCommand))
					{
						RegisterStartDouble(true);
					}
				});

			struct FCase
			{
				const TCHAR* Name;
				ELines Lines;
				int32 Code;
				const TCHAR* Type;
				TFunction<FString(const FString&)> Body;
				EMcpState State;
			};
			const TArray<FCase> Cases = {
				{TEXT("AValidAnswerFromThisEditorsServerConfirms"), ELines::ThisEditor, 200, TEXT("application/json"), [](const FString& Id) { return Answer(Id.ToLower(), TEXT("{\"x\":1}")); }, EMcpState::Confirmed},
				{TEXT("AValidAnswerWithoutThisEditorsListenerIsAProblem"), ELines::StartOnly, 200, TEXT("application/json"), [](const FString& Id) { return Answer(Id); }, EMcpState::Problem},
				{TEXT("AWrongIdIsUnreachable"), ELines::ThisEditor, 200, TEXT("application/json"), [](const FString&) { return Answer(FGuid::NewGuid().ToString(EGuidFormats::Digits)); }, EMcpState::Idle},
				{TEXT("AnErrorObjectIsUnreachable"), ELines::ThisEditor, 200, TEXT("application/json"),
					[](const FString& Id) { return FString::Printf(TEXT("{\"jsonrpc\":\"2.0\",\"id\":\"%s\",\"result\":{},\"error\":{\"code\":-32601,\"message\":\"x\"}}"), *Id); }, EMcpState::Idle},
				{TEXT("AnEventStreamAnswerIsUnreachable"), ELines::ThisEditor, 200, TEXT("text/event-stream"), [](const FString& Id) { return TEXT("event: message\ndata: ") + Answer(Id) + TEXT("\n\n"); }, EMcpState::Idle},
				{TEXT("AnOversizedAnswerIsUnreachable"), ELines::ThisEditor, 200, TEXT("application/json"), [](const FString& Id) { return AnswerOfSize(Id, 70 * 1000); }, EMcpState::Idle},
				{TEXT("AValidBodyWithStatus404IsUnreachable"), ELines::ThisEditor, 404, TEXT("application/json"), [](const FString& Id) { return Answer(Id); }, EMcpState::Idle},
				{TEXT("AnInvalidAnswerAfterABindFailureMeansThePortIsTaken"), ELines::BindFailed, 404, TEXT("text/plain"), [](const FString&) { return FString(TEXT("no")); }, EMcpState::Problem},
			};
			for (const FCase& Case : Cases)
			{
				LatentIt(Case.Name, FTimespan::FromSeconds(10.0), [this, Case](const FDoneDelegate& Done)
					{
						AnswerCode = Case.Code;
						AnswerType = Case.Type;
						AnswerBody = Case.Body;
						FeedLines(Case.Lines);
						Watcher->SendPing();
						TestTrue(TEXT("ping in flight"), Watcher->PendingRequest.IsValid());
						AwaitPing([this, Case, Done]()
							{
								TestEqual(TEXT("requests"), Requests, 1);
								const FString Message = Case.State == EMcpState::Confirmed ? Confirmed()
									: Case.State == EMcpState::Idle							   ? Unreachable()
									: Case.Lines == ELines::BindFailed						   ? FString::Printf(TEXT("Port %d belegt. Start fehlgeschlagen."), Watcher->Port)
																							   : Foreign();
								TestStatus(Case.State, Message);
								Done.Execute();
							});
					});
			}

			LatentIt("SendsAJsonRpcPingWithAFreshId", FTimespan::FromSeconds(10.0), [this](const FDoneDelegate& Done)
				{
					Watcher->SendPing();
					const FString FirstId = Watcher->PingId;
					AwaitPing([this, Done, FirstId]()
						{
							const FString Id = Watcher->PingId;
							TestEqual(TEXT("verb"), static_cast<int32>(LastRequest.Verb), static_cast<int32>(EHttpServerRequestVerbs::VERB_POST));
							const TArray<FString>* Type = LastRequest.Headers.Find(TEXT("Content-Type"));
							const TArray<FString>* Accept = LastRequest.Headers.Find(TEXT("Accept"));
							TestEqual(TEXT("content type"), Type ? FString::Join(*Type, TEXT(",")) : FString(), TEXT("application/json"));
							TestEqual(TEXT("accept"), Accept ? FString::Join(*Accept, TEXT(",")) : FString(), TEXT("application/json, text/event-stream"));
							TestEqual(TEXT("body"), Utf8Text(LastRequest.Body), FString::Printf(TEXT("{\"jsonrpc\":\"2.0\",\"id\":\"%s\",\"method\":\"ping\"}"), *Id));
							TestEqual(TEXT("id is 32 hex digits"), Id.Len(), 32);
							TestEqual(TEXT("id in upper case"), Id, Id.ToUpper());
							Watcher->SendPing();
							TestTrue(TEXT("each ping has its own id"), Watcher->PingId != Id && Id == FirstId);
							AwaitPing([Done]() { Done.Execute(); });
						});
				});

			LatentIt("NoServerIsUnreachable", FTimespan::FromSeconds(10.0), [this](const FDoneDelegate& Done)
				{
					Watcher = MakeShared<FMcpLogWatcher, ESPMode::ThreadSafe>(UnusedPort());
					FeedLines(ELines::ThisEditor);
					Watcher->SendPing();
					AwaitPing([this, Done]()
						{
							TestStatus(EMcpState::Idle, Unreachable());
							TestEqual(TEXT("requests to the route"), Requests, 0);
							Done.Execute();
						});
				});

			LatentIt("AServerThatNeverAnswersIsUnreachableAfterTheTimeout", FTimespan::FromSeconds(10.0), [this](const FDoneDelegate& Done)
				{
					bHold = true;
					FeedLines(ELines::ThisEditor);
					Watcher->State = static_cast<int32>(EMcpState::Confirmed);
					Watcher->SendPing();
					AwaitPing([this, Done]()
						{
							TestStatus(EMcpState::Idle, Unreachable());
							TestEqual(TEXT("answers held"), Held.Num(), 1);
							Done.Execute();
						});
				});

			It("OnlyThePingInFlightCountsAndShutdownDropsIt", [this]()
				{
					bHold = true;
					Watcher->Tick();
					FHttpRequestPtr InFlight = Watcher->PendingRequest;
					TestTrue(TEXT("the first tick pings"), InFlight.IsValid());
					TestTrue(TEXT("the next is due later"), Watcher->NextCheckTime > FPlatformTime::Seconds() + 4.0);
					Watcher->Tick();
					TestTrue(TEXT("no second ping while one is in flight"), Watcher->PendingRequest == InFlight);
					const FString IdleMessage = Watcher->Message;
					Watcher->OnPingComplete(FHttpModule::Get().CreateRequest(), FHttpResponsePtr(), false);
					TestTrue(TEXT("a stale completion leaves the ping in flight"), Watcher->PendingRequest == InFlight);
					TestStatus(EMcpState::Idle, IdleMessage);

					Watcher->Shutdown();
					TestFalse(TEXT("shutdown drops the ping"), Watcher->PendingRequest.IsValid());
					Watcher->OnPingComplete(InFlight, FHttpResponsePtr(), false);
					Watcher->RequestStart();
					Watcher->NextCheckTime = 0.0;
					Watcher->Tick();
					TestFalse(TEXT("nothing is sent after shutdown"), Watcher->PendingRequest.IsValid());
					TestStatus(EMcpState::Idle, IdleMessage);
				});

			LatentIt("AnAnswerAfterTheMonitorIsGoneIsDropped", FTimespan::FromSeconds(10.0), [this](const FDoneDelegate& Done)
				{
					bHold = true;
					Watcher->SendPing();
					const FHttpRequestPtr InFlight = Watcher->PendingRequest;
					Watcher.Reset();
					// The request holds the monitor weakly; its completion must find nothing to call.
					Await([this]() { return Held.Num() == 1; }, [this, InFlight, Done]()
						{
							Held[0](FHttpServerResponse::Create(TEXT("{}"), TEXT("application/json")));
							Held.Reset();
							Await([InFlight]() { return InFlight->GetStatus() != EHttpRequestStatus::Processing; }, [Done]() { Done.Execute(); });
						});
				});
		});

	Describe("Start", [this]()
		{
			LatentIt("TheStartCommandIsConfirmedByItsLogLines", FTimespan::FromSeconds(20.0), [this](const FDoneDelegate& Done)
				{
					if (!IsConsoleCommand(McpStartCommand))
					{
						AddInfo(TEXT("The Model Context Protocol plugin is not enabled; skipped."));
						Done.Execute();
						return;
					}
					// A port no listener of this session has held, so the server creates its listener.
					const TSharedPtr<Vantle::Tests::FLogLines> Log = MakeShared<Vantle::Tests::FLogLines>();
					Watcher = MakeShared<FMcpLogWatcher, ESPMode::ThreadSafe>(UnusedPort());
					Watcher->Register();
					Watcher->RequestStart();
					TestStatus(EMcpState::Checking, TEXT("MCP wird geprueft ..."));
					const FString FirstId = Watcher->PingId;
					Watcher->RequestStart();
					TestEqual(TEXT("a second press while checking sends nothing"), Watcher->PingId, FirstId);
					AwaitSettled([this, Log, Done]()
						{
							const FString StartLine = FString::Printf(TEXT("Starting MCP server on port %d "), Watcher->Port);
							TestStatus(EMcpState::Confirmed, Confirmed());
							TestTrue(TEXT("one start line"), Log->Matching(*StartLine).Len() > 0 && !Log->Matching(*StartLine).Contains(TEXT("\n")));
							// Checking again with the server up confirms without a second start.
							Watcher->RequestStart();
							AwaitSettled([this, Log, StartLine, Done]()
								{
									TestStatus(EMcpState::Confirmed, Confirmed());
									TestFalse(TEXT("no second start"), Log->Matching(*StartLine).Contains(TEXT("\n")));
									// The module's own monitor saw another port's start line: give it its server back.
									FVantleModule& Module = Vantle::Tests::FTestScene::Module();
									const bool bModuleConfirmed = Module.McpWatcher->State == static_cast<int32>(EMcpState::Confirmed);
									const FString Restore = bModuleConfirmed ? FString::Printf(TEXT("%s %d"), McpStartCommand, Module.McpWatcher->Port) : FString(TEXT("ModelContextProtocol.StopServer"));
									IConsoleManager::Get().ProcessUserConsoleInput(*Restore, *GLog, nullptr);
									Done.Execute();
								});
						});
				});

			LatentIt("WithoutThePluginThePressSaysHowToEnableIt", [this](const FDoneDelegate& Done)
				{
					if (SkipWithPlugin(Done))
					{
						return;
					}
					const FString Enable(TEXT("Model Context Protocol in Edit > Plugins aktivieren."));
					Watcher->RequestStart();
					TestStatus(EMcpState::PluginMissing, Enable);
					TestFalse(TEXT("no ping"), Watcher->PendingRequest.IsValid());
					// A variable by the command's name is not the command.
					IConsoleVariable* Variable = IConsoleManager::Get().RegisterConsoleVariable(McpStartCommand, 0, TEXT("Vantle test: not a command"));
					Watcher->State = static_cast<int32>(EMcpState::Idle);
					Watcher->RequestStart();
					if (Variable)
					{
						IConsoleManager::Get().UnregisterConsoleObject(Variable, false);
					}
					TestStatus(EMcpState::PluginMissing, Enable);
					Watcher->bStartPending = true;
					Watcher->Tick();
					TestFalse(TEXT("the periodic check drops a pending start"), Watcher->bStartPending);
					TestFalse(TEXT("and sends nothing"), Watcher->PendingRequest.IsValid());
					Done.Execute();
				});

			LatentIt("APressRunsTheStartCommandOnceWhenNothingValidAnswers", FTimespan::FromSeconds(10.0), [this](const FDoneDelegate& Done)
				{
					if (SkipWithPlugin(Done))
					{
						return;
					}
					RegisterStartDouble(true);
					AnswerCode = 404;
					// A failure logged before the start no longer counts once the command runs.
					FeedLines(ELines::BindFailed);
					// The press finds a periodic ping in flight and lets it decide.
					Watcher->Tick();
					Watcher->RequestStart();
					TestStatus(EMcpState::Checking, TEXT("MCP wird geprueft ..."));
					Await([this]() { return !Watcher->PendingRequest.IsValid(); }, [this, Done]()
						{
							TestEqual(TEXT("requests"), Requests, 1);
							TestEqual(TEXT("start runs"), FString::Join(StartRuns, TEXT("|")), FString::FromInt(Watcher->Port));
							TestStatus(EMcpState::Checking, TEXT("MCP startet ... Bestaetigung wird geprueft."));
							TestTrue(TEXT("the confirming ping comes soon"), Watcher->NextCheckTime < FPlatformTime::Seconds() + 1.0);
							AwaitSettled([this, Done]()
								{
									TestEqual(TEXT("requests"), Requests, 2);
									TestEqual(TEXT("start runs"), StartRuns.Num(), 1);
									TestStatus(EMcpState::Idle, Unreachable());
									Done.Execute();
								});
						});
				});

			LatentIt("AStartCommandThatHandlesNothingIsAProblem", FTimespan::FromSeconds(10.0), [this](const FDoneDelegate& Done)
				{
					if (SkipWithPlugin(Done))
					{
						return;
					}
					RegisterStartDouble(false);
					AnswerCode = 404;
					Watcher->RequestStart();
					AwaitPing([this, Done]()
						{
							TestStatus(EMcpState::Problem, TEXT("Startbefehl nicht verfuegbar. Plugin pruefen."));
							Done.Execute();
						});
				});
		});
}

#endif
