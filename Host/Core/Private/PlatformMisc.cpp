// Copyright Vantle contributors. All Rights Reserved.
#include "HAL/PlatformTime.h"
#include "HostCore.h"
#include "Misc/App.h"
#include "Misc/CommandLine.h"

#include <atomic>
#include <chrono>
#include <mutex>

namespace
{
	std::atomic<bool> GManualClock{false};
	std::atomic<double> GManualSeconds{0.0};

	FString& CommandLineStorage()
	{
		static FString* Storage = new FString();
		return *Storage;
	}

	FString& ProjectNameStorage()
	{
		static FString* Storage = new FString();
		return *Storage;
	}
}

double FPlatformTime::Seconds()
{
	if (GManualClock.load(std::memory_order_acquire))
	{
		return GManualSeconds.load(std::memory_order_acquire);
	}
	using namespace std::chrono;
	return duration<double>(steady_clock::now().time_since_epoch()).count();
}

uint64 FPlatformTime::Cycles64()
{
	using namespace std::chrono;
	return static_cast<uint64>(duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count());
}

const TCHAR* FCommandLine::Get()
{
	return *CommandLineStorage();
}

bool FCommandLine::Set(const TCHAR* NewCommandLine)
{
	CommandLineStorage() = FString(NewCommandLine);
	return true;
}

const TCHAR* FApp::GetProjectName()
{
	return *ProjectNameStorage();
}

void FApp::SetProjectName(const TCHAR* InProjectName)
{
	ProjectNameStorage() = FString(InProjectName);
}

namespace UE::Host
{
	void UseManualClock(double StartSeconds)
	{
		GManualSeconds.store(StartSeconds);
		GManualClock.store(true);
	}

	void UseRealClock()
	{
		GManualClock.store(false);
	}

	void AdvanceClock(double Seconds)
	{
		double Current = GManualSeconds.load();
		while (!GManualSeconds.compare_exchange_weak(Current, Current + Seconds))
		{
		}
	}
}
