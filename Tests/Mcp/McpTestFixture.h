// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "McpTestSupport.h"

#include "CoreGlobals.h"
#include "Misc/OutputDeviceRedirector.h"
#include "HAL/IConsoleManager.h"
#include "Modules/ModuleManager.h"

#include <gtest/gtest.h>

namespace McpTest
{
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
