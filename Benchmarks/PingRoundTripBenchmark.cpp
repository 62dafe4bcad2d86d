// Copyright Vantle contributors. All Rights Reserved.
// One MCP ping from the watcher to the host's MCP server on loopback and back, completion included.
// Run: Build/default/Benchmarks/VantleBenchmarks --benchmark_filter=Ping
#include "Containers/Ticker.h"
#include "CoreGlobals.h"
#include "Misc/OutputDeviceRedirector.h"
#include "HAL/IConsoleManager.h"
#include "HostHttpServer.h"
#include "HttpModule.h"
#include "McpLogWatcher.h"
#include "Modules/ModuleManager.h"

#include <benchmark/benchmark.h>


namespace
{
	void Ping_RoundTripToHostMcpServer(benchmark::State& State)
	{
		FHttpModule::Get();
		if (!FModuleManager::Get().LoadModule(TEXT("ModelContextProtocol")))
		{
			State.SkipWithError("the MCP server module is not linked");
			return;
		}
		const int32 Port = static_cast<int32>(UE::Host::FindFreeLoopbackPort());
		// Registered first: the log does not replay the server's lines to a watcher added later.
		TSharedRef<FMcpLogWatcher> Watcher = MakeShared<FMcpLogWatcher>(Port);
		Watcher->Register();
		IConsoleManager::Get().ProcessUserConsoleInput(*FString::Printf(TEXT("ModelContextProtocol.StartServer %d"), Port), *GLog, nullptr);
		GLog->FlushThreadedLogs();
		for (auto _ : State)
		{
			Watcher->SendPing();
			while (Watcher->PendingRequest.IsValid())
			{
				FTSTicker::GetCoreTicker().Tick(0.0f);
			}
		}
		State.counters["confirmed"] = Watcher->State == static_cast<int32>(EMcpState::Confirmed) ? 1 : 0;
		Watcher->Shutdown();
		FModuleManager::Get().UnloadModule(TEXT("ModelContextProtocol"));
	}
}

BENCHMARK(Ping_RoundTripToHostMcpServer)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(1.0);
