// Copyright Vantle contributors. All Rights Reserved.
#include "McpLogWatcher.h"

#include "Misc/ScopeLock.h"

#include <gtest/gtest.h>

#include <atomic>

#include <thread>
#include <vector>

namespace
{
	const FName Mcp(TEXT("LogModelContextProtocol"));
	const FName Listener(TEXT("LogHttpListener"));

	struct FFlags
	{
		bool bStart;
		bool bCreated;
		bool bFailed;
		bool operator==(const FFlags& O) const { return bStart == O.bStart && bCreated == O.bCreated && bFailed == O.bFailed; }
	};

	class WatcherLogLines : public ::testing::Test
	{
	protected:
		TSharedRef<FMcpLogWatcher> Watcher = MakeShared<FMcpLogWatcher>(8000);

		void Line(const FName& Category, const TCHAR* Text) { Watcher->Serialize(Text, ELogVerbosity::Log, Category); }
		FFlags Flags() const { return {Watcher->bStartLineSeen, Watcher->bListenerCreated, Watcher->bBindFailed}; }
	};
}

TEST_F(WatcherLogLines, StartLinesMustNameThisPortFollowedByABlank)
{
	Line(Mcp, TEXT("Starting MCP server on port 8000 (override with -ModelContextProtocolPort=N)."));
	EXPECT_TRUE(Watcher->bStartLineSeen);
	Line(Mcp, TEXT("Starting MCP server on port 8001 (override with -ModelContextProtocolPort=N)."));
	EXPECT_FALSE(Watcher->bStartLineSeen);
	Line(Mcp, TEXT("STARTING mcp SERVER ON PORT 8000 x"));
	EXPECT_TRUE(Watcher->bStartLineSeen);
	Line(Mcp, TEXT("Starting MCP server on port 8000"));
	EXPECT_FALSE(Watcher->bStartLineSeen);
	Line(Mcp, TEXT("Starting MCP server on port 80000 ."));
	EXPECT_FALSE(Watcher->bStartLineSeen);
	Line(Mcp, TEXT("Starting MCP server on port 8000 ."));
	// Other lines of the category and the same line in another category change nothing.
	Line(Mcp, TEXT("MCP server is already running on port 8001, stopping first."));
	Line(Listener, TEXT("Starting MCP server on port 8001 ."));
	Line(FName(TEXT("LogTemp")), TEXT("Starting MCP server on port 8001 ."));
	EXPECT_TRUE(Watcher->bStartLineSeen);

	TSharedRef<FMcpLogWatcher> Short = MakeShared<FMcpLogWatcher>(800);
	Short->Serialize(TEXT("Starting MCP server on port 8000 (override)"), ELogVerbosity::Log, Mcp);
	EXPECT_FALSE(Short->bStartLineSeen);
}

TEST_F(WatcherLogLines, ListenerLinesMatchOnlyThisPortAtTheVeryEnd)
{
	Line(Listener, TEXT("HttpListener unable to bind to 127.0.0.1:8000"));
	EXPECT_EQ(Flags(), (FFlags{false, false, true}));
	for (const TCHAR* Ignored : {TEXT("Created new HttpListener on 127.0.0.1:18000"), TEXT("Created new HttpListener on 127.0.0.1:80001"),
			 TEXT("Created new HttpListener on 127.0.0.1:8000 "), TEXT("Created new HttpListener on 127.0.0.1:8000."),
			 TEXT("Something else on 127.0.0.1:8000"), TEXT("8000"), TEXT(""), TEXT(":8000")})
	{
		Line(Listener, Ignored);
		EXPECT_EQ(Flags(), (FFlags{false, false, true})) << UE::Host::ToUtf8(FString(Ignored));
	}
	Line(Mcp, TEXT("Created new HttpListener on 127.0.0.1:8000"));
	EXPECT_EQ(Flags(), (FFlags{false, false, true}));
	Line(Listener, TEXT("created new httplistener on [::1]:8000"));
	EXPECT_EQ(Flags(), (FFlags{false, true, false}));
}

TEST_F(WatcherLogLines, TheStopLineMustMatchWholly)
{
	Line(Listener, TEXT("Created new HttpListener on 127.0.0.1:8000"));
	Line(Listener, TEXT("HttpListener unable to bind to 127.0.0.1:8000"));
	Line(Listener, TEXT("Created new HttpListener on 127.0.0.1:8000"));
	EXPECT_EQ(Flags(), (FFlags{false, true, false}));
	for (const TCHAR* Ignored : {TEXT("HttpListener stopping listening on Port 8000 now"), TEXT("HttpListener stopping listening on Port 8001"),
			 TEXT("HttpListener stopping listening on Port 800"), TEXT("HttListener stopping listening on Port 80000")})
	{
		Line(Listener, Ignored);
		EXPECT_TRUE(Watcher->bListenerCreated) << UE::Host::ToUtf8(FString(Ignored));
	}
	Line(Listener, TEXT("HttpListener unable to bind to 127.0.0.1:8000"));
	Line(Listener, TEXT("httplistener STOPPING listening on port 8000"));
	EXPECT_EQ(Flags(), (FFlags{false, false, true}));
}

TEST_F(WatcherLogLines, ConfirmationNeedsBothLinesInEitherOrderAndNothingAfter)
{
	EXPECT_FALSE(Watcher->IsConfirmedForThisEditor());
	Line(Listener, TEXT("Created new HttpListener on 127.0.0.1:8000"));
	EXPECT_FALSE(Watcher->IsConfirmedForThisEditor());
	Line(Mcp, TEXT("Starting MCP server on port 8000 (override with -ModelContextProtocolPort=N)."));
	EXPECT_TRUE(Watcher->IsConfirmedForThisEditor());
	Line(Mcp, TEXT("Starting MCP server on port 9000 (override with -ModelContextProtocolPort=N)."));
	EXPECT_FALSE(Watcher->IsConfirmedForThisEditor());
	Line(Mcp, TEXT("Starting MCP server on port 8000 (override with -ModelContextProtocolPort=N)."));
	EXPECT_TRUE(Watcher->IsConfirmedForThisEditor());
	Line(Listener, TEXT("HttpListener stopping listening on Port 8000"));
	EXPECT_FALSE(Watcher->IsConfirmedForThisEditor());
	Line(Listener, TEXT("Created new HttpListener on 127.0.0.1:8000"));
	Line(Listener, TEXT("HttpListener unable to bind to 127.0.0.1:8000"));
	EXPECT_FALSE(Watcher->IsConfirmedForThisEditor());
}

TEST_F(WatcherLogLines, LinesFromManyThreadsEachUpdateTheFlagsAtomically)
{
	// Every thread logs created/failed pairs; whatever the interleaving, the two flags are never
	// both set or both clear once a listener line has been seen.
	std::vector<std::thread> Threads;
	std::atomic<bool> bInconsistent{false};
	for (int32 Index = 0; Index < 8; ++Index)
	{
		Threads.emplace_back([this, Index, &bInconsistent] {
			for (int32 Round = 0; Round < 2000; ++Round)
			{
				Line(Listener, (Round + Index) % 2 ? TEXT("Created new HttpListener on 127.0.0.1:8000") : TEXT("HttpListener unable to bind to 127.0.0.1:8000"));
				Line(FName(TEXT("LogOther")), TEXT("noise"));
				FScopeLock Lock(&Watcher->FlagLock);
				if (Watcher->bListenerCreated == Watcher->bBindFailed)
				{
					bInconsistent = true;
				}
			}
		});
	}
	for (std::thread& Thread : Threads)
	{
		Thread.join();
	}
	EXPECT_FALSE(bInconsistent);
}
