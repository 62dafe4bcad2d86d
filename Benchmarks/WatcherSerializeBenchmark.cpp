// Copyright Vantle contributors. All Rights Reserved.
// What the MCP log watcher costs per log line, against a watcher that copies every line and locks.
// Run: Build/default/Benchmarks/VantleBenchmarks --benchmark_filter=Serialize
#include "McpLogWatcher.h"
#include "Misc/ScopeLock.h"

#include <benchmark/benchmark.h>

namespace
{
	// The straightforward reading: copy the line, lock, compare categories by building names.
	class FCopyThenLockWatcher final : public FOutputDevice
	{
	public:
		explicit FCopyThenLockWatcher(int32 InPort) : Port(InPort) {}

		virtual void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category) override
		{
			const FString Line(V);
			FScopeLock Lock(&FlagLock);
			if (Category == FName(TEXT("LogModelContextProtocol")) && Line.StartsWith(TEXT("Starting MCP server on port ")))
			{
				bStartLineSeen = Line.StartsWith(FString::Printf(TEXT("Starting MCP server on port %d "), Port));
			}
			if (Category == FName(TEXT("LogHttpListener")))
			{
				if (Line.EndsWith(FString::Printf(TEXT(":%d"), Port)))
				{
					if (Line.StartsWith(TEXT("Created new HttpListener on ")))
					{
						bListenerCreated = true;
						bBindFailed = false;
					}
					else if (Line.StartsWith(TEXT("HttpListener unable to bind to ")))
					{
						bListenerCreated = false;
						bBindFailed = true;
					}
				}
				if (Line == FString::Printf(TEXT("HttpListener stopping listening on Port %d"), Port))
				{
					bListenerCreated = false;
				}
			}
		}

		int32 Port;
		FCriticalSection FlagLock;
		bool bStartLineSeen = false;
		bool bListenerCreated = false;
		bool bBindFailed = false;
	};

	const FName OtherCategory(TEXT("LogSlate"));
	const FName ListenerCategory(TEXT("LogHttpListener"));
	const TCHAR* const OtherLine = TEXT("Took 0.012 seconds to synchronously load lazily loaded font '../../../Engine/Content/Slate/Fonts/Roboto-Regular.ttf'");
	const TCHAR* const ListenerLine = TEXT("Created new HttpListener on 127.0.0.1:8000");

	template <typename WatcherType>
	WatcherType& SharedWatcher()
	{
		static WatcherType* Watcher = nullptr;
		if (!Watcher)
		{
			if constexpr (std::is_same_v<WatcherType, FMcpLogWatcher>)
			{
				static TSharedRef<FMcpLogWatcher> Owner = MakeShared<FMcpLogWatcher>(8000);
				Watcher = &Owner.Get();
			}
			else
			{
				Watcher = new WatcherType(8000);
			}
		}
		return *Watcher;
	}

	template <typename WatcherType>
	void Serialize_OtherCategory(benchmark::State& State)
	{
		WatcherType& Watcher = SharedWatcher<WatcherType>();
		for (auto _ : State)
		{
			Watcher.Serialize(OtherLine, ELogVerbosity::Log, OtherCategory);
		}
	}

	template <typename WatcherType>
	void Serialize_ListenerLine(benchmark::State& State)
	{
		WatcherType& Watcher = SharedWatcher<WatcherType>();
		for (auto _ : State)
		{
			Watcher.Serialize(ListenerLine, ELogVerbosity::Log, ListenerCategory);
		}
	}
}

BENCHMARK_TEMPLATE(Serialize_OtherCategory, FMcpLogWatcher)->Threads(1)->Threads(8);
BENCHMARK_TEMPLATE(Serialize_OtherCategory, FCopyThenLockWatcher)->Threads(1)->Threads(8);
BENCHMARK_TEMPLATE(Serialize_ListenerLine, FMcpLogWatcher)->Threads(1)->Threads(8);
BENCHMARK_TEMPLATE(Serialize_ListenerLine, FCopyThenLockWatcher)->Threads(1)->Threads(8);
