// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Misc/OutputDevice.h"

#include <memory>

enum class EOutputDeviceRedirectorFlushOptions : uint32
{
	None = 0,
	Async = 1 << 0,
};

// The global log. Devices that can be used on multiple threads are called on the logging thread;
// all others are fed in order from the primary log thread. While the backlog is enabled the lines
// are kept; a device added later gets them only through SerializeBacklog, not by being added.
class FOutputDeviceRedirector final : public FOutputDevice
{
public:
	CORE_API FOutputDeviceRedirector();
	CORE_API ~FOutputDeviceRedirector() override;

	static CORE_API FOutputDeviceRedirector* Get();

	CORE_API void AddOutputDevice(FOutputDevice* OutputDevice);
	CORE_API void RemoveOutputDevice(FOutputDevice* OutputDevice);
	CORE_API bool IsRedirectingTo(FOutputDevice* OutputDevice);
	// Blocks until every buffered line logged before the call has reached its devices.
	CORE_API void FlushThreadedLogs(EOutputDeviceRedirectorFlushOptions Options = EOutputDeviceRedirectorFlushOptions::None);
	CORE_API void EnableBacklog(bool bEnable);
	// Hands every kept line to the device, on the calling thread.
	CORE_API void SerializeBacklog(FOutputDevice* OutputDevice);
	// Makes the calling thread the one that feeds buffered devices, ending a dedicated log thread.
	CORE_API void SetCurrentThreadAsPrimaryThread();
	// Starts a dedicated thread that feeds buffered devices, as the editor's engine loop does.
	CORE_API bool TryStartDedicatedPrimaryThread();

	CORE_API void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category) override;
	CORE_API void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category, const double Time) override;
	CORE_API void Flush() override;
	CORE_API void TearDown() override;
	bool CanBeUsedOnMultipleThreads() const override { return true; }

private:
	struct FState;
	std::unique_ptr<FState> State;
};
