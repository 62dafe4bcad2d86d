// Copyright Vantle contributors. All Rights Reserved.
#include "CoreGlobals.h"
#include "HAL/PlatformTime.h"
#include "HostCore.h"
#include "Logging/LogMacros.h"
#include "Misc/OutputDevice.h"
#include "Misc/OutputDeviceRedirector.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <shared_mutex>
#include <thread>
#include <vector>

DEFINE_LOG_CATEGORY(LogTemp);

const TCHAR* ToString(ELogVerbosity::Type Verbosity)
{
	switch (Verbosity & ELogVerbosity::VerbosityMask)
	{
	case ELogVerbosity::NoLogging: return TEXT("NoLogging");
	case ELogVerbosity::Fatal: return TEXT("Fatal");
	case ELogVerbosity::Error: return TEXT("Error");
	case ELogVerbosity::Warning: return TEXT("Warning");
	case ELogVerbosity::Display: return TEXT("Display");
	case ELogVerbosity::Log: return TEXT("Log");
	case ELogVerbosity::Verbose: return TEXT("Verbose");
	case ELogVerbosity::VeryVerbose: return TEXT("VeryVerbose");
	default: return TEXT("UnknownVerbosity");
	}
}

FLogCategoryBase::FLogCategoryBase(const TCHAR* InCategoryName, ELogVerbosity::Type InDefaultVerbosity, ELogVerbosity::Type InCompileTimeVerbosity)
	: Verbosity(InDefaultVerbosity), DefaultVerbosity(InDefaultVerbosity), CompileTimeVerbosity(InCompileTimeVerbosity), CategoryName(InCategoryName)
{
}

void FLogCategoryBase::SetVerbosity(ELogVerbosity::Type NewVerbosity)
{
	const ELogVerbosity::Type Masked = ELogVerbosity::Type(NewVerbosity & ELogVerbosity::VerbosityMask);
	Verbosity = Masked > CompileTimeVerbosity ? CompileTimeVerbosity : Masked;
}

FOutputDevice::FOutputDevice() = default;
FOutputDevice::~FOutputDevice() = default;

void FOutputDevice::SerializeRecord(const UE::FLogRecord& Record)
{
	(void)Record;
}

void FOutputDevice::Log(const TCHAR* S)
{
	Serialize(S, ELogVerbosity::Log, NAME_None);
}

void FOutputDevice::Log(ELogVerbosity::Type Verbosity, const TCHAR* S)
{
	Serialize(S, Verbosity, NAME_None);
}

void FOutputDevice::Log(const FName& Category, ELogVerbosity::Type Verbosity, const TCHAR* Str)
{
	Serialize(Str, Verbosity, Category);
}

struct FOutputDeviceRedirector::FState
{
	struct FLine
	{
		FString Text;
		ELogVerbosity::Type Verbosity;
		FName Category;
		double Time;
		uint64 Sequence;
	};

	// Guards the device lists; delivery holds it shared, changes hold it exclusively.
	std::shared_mutex DevicesMutex;
	std::vector<FOutputDevice*> Unbuffered;
	std::vector<FOutputDevice*> Buffered;

	// Held while buffered devices are fed, so lines reach them one at a time and in order.
	std::recursive_mutex DeliveryMutex;

	std::mutex QueueMutex;
	std::condition_variable QueueChanged;
	std::deque<FLine> Queue;
	std::vector<FLine> Backlog;
	bool bBacklogEnabled = true;
	uint64 NextSequence = 0;
	uint64 DeliveredSequence = 0;

	std::thread LogThread;
	bool bThreadRunning = false;
	bool bStopThread = false;

	void DeliverPending()
	{
		std::lock_guard<std::recursive_mutex> Delivery(DeliveryMutex);
		while (true)
		{
			FLine Line;
			{
				std::lock_guard<std::mutex> Guard(QueueMutex);
				if (Queue.empty())
				{
					return;
				}
				Line = std::move(Queue.front());
				Queue.pop_front();
			}
			{
				std::shared_lock<std::shared_mutex> Devices(DevicesMutex);
				for (FOutputDevice* Device : Buffered)
				{
					Device->Serialize(*Line.Text, Line.Verbosity, Line.Category, Line.Time);
				}
			}
			{
				std::lock_guard<std::mutex> Guard(QueueMutex);
				DeliveredSequence = Line.Sequence + 1;
			}
			QueueChanged.notify_all();
		}
	}

	void ThreadMain()
	{
		std::unique_lock<std::mutex> Guard(QueueMutex);
		while (!bStopThread)
		{
			if (Queue.empty())
			{
				QueueChanged.wait(Guard);
				continue;
			}
			Guard.unlock();
			DeliverPending();
			Guard.lock();
		}
	}

	void StopThread()
	{
		{
			std::lock_guard<std::mutex> Guard(QueueMutex);
			if (!bThreadRunning)
			{
				return;
			}
			bStopThread = true;
		}
		QueueChanged.notify_all();
		LogThread.join();
		std::lock_guard<std::mutex> Guard(QueueMutex);
		bThreadRunning = false;
		bStopThread = false;
	}
};

FOutputDeviceRedirector::FOutputDeviceRedirector() : State(std::make_unique<FState>()) {}

FOutputDeviceRedirector::~FOutputDeviceRedirector()
{
	State->StopThread();
}

FOutputDeviceRedirector* FOutputDeviceRedirector::Get()
{
	// Never destroyed: devices may log from static destructors.
	static FOutputDeviceRedirector* Singleton = new FOutputDeviceRedirector();
	return Singleton;
}

namespace
{
	std::atomic<bool> GHostLogAvailable{true};
}

FOutputDeviceRedirector* GetGlobalLogSingleton()
{
	return GHostLogAvailable.load(std::memory_order_relaxed) ? FOutputDeviceRedirector::Get() : nullptr;
}

void FOutputDeviceRedirector::AddOutputDevice(FOutputDevice* OutputDevice)
{
	if (!OutputDevice)
	{
		return;
	}
	std::lock_guard<std::recursive_mutex> Delivery(State->DeliveryMutex);
	const bool bUnbuffered = OutputDevice->CanBeUsedOnMultipleThreads();
	{
		std::shared_lock<std::shared_mutex> Devices(State->DevicesMutex);
		if (std::find(State->Unbuffered.begin(), State->Unbuffered.end(), OutputDevice) != State->Unbuffered.end()
			|| std::find(State->Buffered.begin(), State->Buffered.end(), OutputDevice) != State->Buffered.end())
		{
			return;
		}
	}
	std::unique_lock<std::shared_mutex> Devices(State->DevicesMutex);
	(bUnbuffered ? State->Unbuffered : State->Buffered).push_back(OutputDevice);
}

void FOutputDeviceRedirector::SerializeBacklog(FOutputDevice* OutputDevice)
{
	if (!OutputDevice)
	{
		return;
	}
	std::lock_guard<std::recursive_mutex> Delivery(State->DeliveryMutex);
	std::vector<FState::FLine> Replay;
	{
		std::lock_guard<std::mutex> Guard(State->QueueMutex);
		Replay = State->Backlog;
	}
	for (const FState::FLine& Line : Replay)
	{
		OutputDevice->Serialize(*Line.Text, Line.Verbosity, Line.Category, Line.Time);
	}
}

void FOutputDeviceRedirector::RemoveOutputDevice(FOutputDevice* OutputDevice)
{
	// Taking the delivery lock waits for a line being fed to this device right now.
	std::lock_guard<std::recursive_mutex> Delivery(State->DeliveryMutex);
	std::unique_lock<std::shared_mutex> Devices(State->DevicesMutex);
	std::erase(State->Unbuffered, OutputDevice);
	std::erase(State->Buffered, OutputDevice);
}

bool FOutputDeviceRedirector::IsRedirectingTo(FOutputDevice* OutputDevice)
{
	std::shared_lock<std::shared_mutex> Devices(State->DevicesMutex);
	return std::find(State->Unbuffered.begin(), State->Unbuffered.end(), OutputDevice) != State->Unbuffered.end()
		|| std::find(State->Buffered.begin(), State->Buffered.end(), OutputDevice) != State->Buffered.end();
}

void FOutputDeviceRedirector::FlushThreadedLogs(EOutputDeviceRedirectorFlushOptions Options)
{
	std::unique_lock<std::mutex> Guard(State->QueueMutex);
	if (!State->bThreadRunning || State->LogThread.get_id() == std::this_thread::get_id())
	{
		Guard.unlock();
		State->DeliverPending();
		return;
	}
	if (Options == EOutputDeviceRedirectorFlushOptions::Async)
	{
		State->QueueChanged.notify_all();
		return;
	}
	const uint64 Target = State->NextSequence;
	State->QueueChanged.notify_all();
	State->QueueChanged.wait(Guard, [&] { return State->DeliveredSequence >= Target; });
}

void FOutputDeviceRedirector::EnableBacklog(bool bEnable)
{
	std::lock_guard<std::mutex> Guard(State->QueueMutex);
	State->bBacklogEnabled = bEnable;
	if (!bEnable)
	{
		State->Backlog.clear();
		State->Backlog.shrink_to_fit();
	}
}

void FOutputDeviceRedirector::SetCurrentThreadAsPrimaryThread()
{
	State->StopThread();
	State->DeliverPending();
}

bool FOutputDeviceRedirector::TryStartDedicatedPrimaryThread()
{
	std::lock_guard<std::mutex> Guard(State->QueueMutex);
	if (State->bThreadRunning)
	{
		return true;
	}
	State->bThreadRunning = true;
	State->bStopThread = false;
	State->LogThread = std::thread([this] { State->ThreadMain(); });
	return true;
}

void FOutputDeviceRedirector::Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category)
{
	Serialize(V, Verbosity, Category, FPlatformTime::Seconds());
}

void FOutputDeviceRedirector::Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category, const double Time)
{
	{
		std::shared_lock<std::shared_mutex> Devices(State->DevicesMutex);
		for (FOutputDevice* Device : State->Unbuffered)
		{
			Device->Serialize(V, Verbosity, Category, Time);
		}
	}
	bool bDeliverHere;
	{
		std::lock_guard<std::mutex> Guard(State->QueueMutex);
		FState::FLine Line{FString(V), Verbosity, Category, Time, State->NextSequence++};
		if (State->bBacklogEnabled)
		{
			State->Backlog.push_back(Line);
		}
		State->Queue.push_back(std::move(Line));
		bDeliverHere = !State->bThreadRunning;
	}
	if (bDeliverHere)
	{
		State->DeliverPending();
	}
	else
	{
		State->QueueChanged.notify_all();
	}
}

void FOutputDeviceRedirector::Flush()
{
	FlushThreadedLogs();
	std::shared_lock<std::shared_mutex> Devices(State->DevicesMutex);
	for (FOutputDevice* Device : State->Buffered)
	{
		Device->Flush();
	}
	for (FOutputDevice* Device : State->Unbuffered)
	{
		Device->Flush();
	}
}

void FOutputDeviceRedirector::TearDown()
{
	FlushThreadedLogs();
	State->StopThread();
	State->DeliverPending();
	std::vector<FOutputDevice*> All;
	{
		std::unique_lock<std::shared_mutex> Devices(State->DevicesMutex);
		All = State->Buffered;
		All.insert(All.end(), State->Unbuffered.begin(), State->Unbuffered.end());
		State->Buffered.clear();
		State->Unbuffered.clear();
	}
	for (FOutputDevice* Device : All)
	{
		Device->TearDown();
	}
}

namespace UE::Host
{
	void LogLine(const FName& Category, ELogVerbosity::Type Verbosity, const FString& Message)
	{
		if (FOutputDeviceRedirector* Log = GetGlobalLogSingleton())
		{
			Log->Serialize(*Message, Verbosity, Category);
		}
		if ((Verbosity & ELogVerbosity::VerbosityMask) == ELogVerbosity::Fatal)
		{
			if (FOutputDeviceRedirector* Log = GetGlobalLogSingleton())
			{
				Log->Flush();
			}
			std::fflush(stdout);
			// Whatever devices are attached, a fatal error says why the process ends.
			std::fprintf(stderr, "Fatal error: %s: %s\n", ToUtf8(Category.ToString()).c_str(), ToUtf8(Message).c_str());
			std::fflush(stderr);
			std::abort();
		}
	}

	void SetGlobalLogAvailable(bool bAvailable)
	{
		GHostLogAvailable.store(bAvailable);
	}

	FString EscapeForProbe(const FString& Text)
	{
		FString Result;
		Result.Reserve(Text.Len());
		for (int32 Index = 0; Index < Text.Len(); ++Index)
		{
			const TCHAR Ch = Text[Index];
			switch (Ch)
			{
			case u'\\':
				Result += TEXT("\\\\");
				break;
			case u'"':
				Result += TEXT("\\\"");
				break;
			case u'\n':
				Result += TEXT("\\n");
				break;
			case u'\r':
				Result += TEXT("\\r");
				break;
			case u'\t':
				Result += TEXT("\\t");
				break;
			default:
				Result += Ch;
				break;
			}
		}
		return Result;
	}

	FString FormatLogLine(const TCHAR* Message, uint8 Verbosity, const FString& Category)
	{
		const ELogVerbosity::Type Masked = ELogVerbosity::Type(Verbosity & ELogVerbosity::VerbosityMask);
		if (Category.IsEmpty() || Category == TEXT("None"))
		{
			return FString(Message);
		}
		if (Masked == ELogVerbosity::Log)
		{
			return Category + TEXT(": ") + Message;
		}
		return Category + TEXT(": ") + ToString(Masked) + TEXT(": ") + Message;
	}
}

namespace
{
	DEFINE_LOG_CATEGORY_STATIC(LogOutputDevice, Log, All);
}

namespace UE::Host
{
	void EnsureFailed(const char* Expr, const char* File, int Line, const char16_t* Message)
	{
		UE_LOG(LogOutputDevice, Error, TEXT("Ensure condition failed: %s [File:%s] [Line: %d]"), *FString(Expr), *FString(File), Line);
		if (Message && *Message)
		{
			UE_LOG(LogOutputDevice, Error, TEXT("%s"), Message);
		}
	}
}
