// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/UnrealString.h"
#include "CoreGlobals.h"
#include "HAL/IConsoleManager.h"
#include "Logging/LogVerbosity.h"
#include "Misc/OutputDevice.h"
#include "Misc/OutputDeviceRedirector.h"
#include "Modules/ModuleManager.h"
#include "UObject/NameTypes.h"

#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace McpTest
{
	struct FLogLine
	{
		FString Category;
		ELogVerbosity::Type Verbosity;
		FString Text;
	};

	// Collects every log line it is given; the log feeds it from its own thread.
	class FLogCapture final : public FOutputDevice
	{
	public:
		using FOutputDevice::Serialize;
		void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category) override;

		// The lines so far, after the log has handed over everything logged before the call.
		std::vector<FLogLine> Lines() const;
		// Indices of the lines of the category whose text equals Text exactly (case included).
		std::vector<int32> Matches(const TCHAR* Category, ELogVerbosity::Type Verbosity, const FString& Text) const;
		int32 Count(const TCHAR* Category, ELogVerbosity::Type Verbosity, const FString& Text) const
		{
			return static_cast<int32>(Matches(Category, Verbosity, Text).size());
		}
		// Index of the first such line, or INDEX_NONE.
		int32 Find(const TCHAR* Category, ELogVerbosity::Type Verbosity, const FString& Text) const
		{
			const std::vector<int32> Found = Matches(Category, Verbosity, Text);
			return Found.empty() ? INDEX_NONE : Found.front();
		}

	private:
		mutable std::mutex Mutex;
		std::vector<FLogLine> Captured;
	};

	struct FHttpReply
	{
		// 0 when no complete answer arrived (no connection, time-out, garbage).
		int32 Status = 0;
		// Header names in lower case.
		std::vector<std::pair<std::string, std::string>> Headers;
		std::string Body;

		// The first value of the header, or empty.
		std::string Header(const std::string& LowerName) const;
	};

	using FHeaderList = std::vector<std::pair<std::string, std::string>>;

	// One request over a fresh loopback connection ("Connection: close"), read to the end. Every
	// socket step is bounded by a time-out, so a silent server yields Status 0 instead of a hang.
	// Called on the main thread, it ticks the core ticker meanwhile, since the server answers only
	// in the game thread's tick; other threads just wait.
	FHttpReply SendHttp(uint32 Port, const std::string& Method, const std::string& Path, const std::string& Body, const FHeaderList& Headers = {});
	// Sends the bytes as they are and reads the answer.
	FHttpReply SendRaw(uint32 Port, const std::string& Bytes);
	// A JSON-RPC POST to /mcp with the headers the editor's own ping sends.
	FHttpReply PostMcp(uint32 Port, const std::string& Json, const FHeaderList& ExtraHeaders = {});

	// Ticks the core ticker until AllDone holds, then joins the threads.
	void JoinTicking(std::vector<std::thread>& Threads, const std::function<bool()>& AllDone);

	// A loopback port that nothing listened on a moment ago.
	uint32 FindFreePort();
	// True when a connection to 127.0.0.1:Port is accepted.
	bool CanConnect(uint32 Port);

	// Holds a loopback port with a listening socket of its own, as another program would. With
	// bShareable the socket offers to share the port (SO_REUSEPORT), as some servers do.
	class FPortHolder
	{
	public:
		explicit FPortHolder(uint32 Port, bool bShareable = false);
		~FPortHolder();
		FPortHolder(const FPortHolder&) = delete;
		FPortHolder& operator=(const FPortHolder&) = delete;
		bool IsHolding() const { return Socket >= 0; }

	private:
		int Socket = -1;
	};

	// Loads the MCP plugin module the way the editor does and captures the log. Each test unloads
	// both modules again, so listeners and routes never leak from one test into the next.
	class FMcpModuleTest : public ::testing::Test
	{
	protected:
		static void SetUpTestSuite()
		{
			// As in the editor: lines reach buffered devices from the log's own thread, and a device
			// added later gets no replay of lines that other tests caused.
			GLog->EnableBacklog(false);
			GLog->TryStartDedicatedPrimaryThread();
		}

		void SetUp() override
		{
			GLog->AddOutputDevice(&Log);
			ASSERT_NE(FModuleManager::Get().LoadModule(TEXT("ModelContextProtocol")), nullptr);
		}

		void TearDown() override
		{
			FModuleManager::Get().UnloadModule(TEXT("ModelContextProtocol"));
			FModuleManager::Get().UnloadModule(TEXT("HTTPServer"));
			GLog->FlushThreadedLogs();
			GLog->RemoveOutputDevice(&Log);
		}

		bool RunCommand(const FString& Line) { return IConsoleManager::Get().ProcessUserConsoleInput(*Line, *GLog, nullptr); }

		bool StartServer(uint32 Port) { return RunCommand(FString::Printf(TEXT("ModelContextProtocol.StartServer %u"), Port)); }

		static FString StartLine(uint32 Port)
		{
			return FString::Printf(TEXT("Starting MCP server on port %u (override with -ModelContextProtocolPort=N)."), Port);
		}
		static FString CreatedLine(uint32 Port) { return FString::Printf(TEXT("Created new HttpListener on 127.0.0.1:%u"), Port); }
		static FString BindFailedLine(uint32 Port) { return FString::Printf(TEXT("HttpListener unable to bind to 127.0.0.1:%u"), Port); }
		static FString StoppingLine(uint32 Port) { return FString::Printf(TEXT("HttpListener stopping listening on Port %u"), Port); }

		FLogCapture Log;
	};
}
