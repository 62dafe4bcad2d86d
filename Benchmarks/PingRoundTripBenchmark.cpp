// Copyright Vantle contributors. All Rights Reserved.
// One MCP ping from the watcher to the host's MCP server on loopback and back, completion included.
// Run: Build/default/Benchmarks/VantleBenchmarks --benchmark_filter=Ping
#include "Containers/Ticker.h"
#include "CoreGlobals.h"
#include "HAL/IConsoleManager.h"
#include "HttpModule.h"
#include "McpLogWatcher.h"
#include "Modules/ModuleManager.h"

#include <benchmark/benchmark.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace
{
	int32 FreePort()
	{
		const int Socket = socket(AF_INET, SOCK_STREAM, 0);
		sockaddr_in Address{};
		Address.sin_family = AF_INET;
		Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
		bind(Socket, reinterpret_cast<sockaddr*>(&Address), sizeof(Address));
		socklen_t Length = sizeof(Address);
		getsockname(Socket, reinterpret_cast<sockaddr*>(&Address), &Length);
		close(Socket);
		return ntohs(Address.sin_port);
	}

	void Ping_RoundTripToHostMcpServer(benchmark::State& State)
	{
		FHttpModule::Get();
		if (!FModuleManager::Get().LoadModule(TEXT("ModelContextProtocol")))
		{
			State.SkipWithError("the MCP server module is not linked");
			return;
		}
		const int32 Port = FreePort();
		IConsoleManager::Get().ProcessUserConsoleInput(*FString::Printf(TEXT("ModelContextProtocol.StartServer %d"), Port), *GLog, nullptr);
		TSharedRef<FMcpLogWatcher> Watcher = MakeShared<FMcpLogWatcher>(Port);
		Watcher->Register();
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
