// Copyright 2026 Vantle contributors. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "HAL/CriticalSection.h"
#include "HttpFwd.h"
#include "Interfaces/IHttpRequest.h"
#include "Misc/OutputDevice.h"

enum class EMcpState : int32
{
	Idle = 0,
	Checking = 1,
	Confirmed = 2,
	Problem = 3,
	PluginMissing = 4,
};

// Follows this editor's log for the MCP server's and its HTTP listener's lines on one port, and
// holds the MCP status together with the ping that verifies it. Serialize may run on any thread;
// everything else runs on the game thread.
class FMcpLogWatcher : public FOutputDevice, public TSharedFromThis<FMcpLogWatcher, ESPMode::ThreadSafe>
{
public:
	explicit FMcpLogWatcher(int32 InPort);

	void Register();
	void Shutdown();

	using FOutputDevice::Serialize;
	virtual void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category) override;
	virtual bool CanBeUsedOnAnyThread() const override { return true; }

	void RequestStart();
	void Tick();
	void SendPing();
	void OnPingComplete(FHttpRequestPtr Request, FHttpResponsePtr Response, bool bConnectedSuccessfully);
	void RunStartCommand();

	// The start line and a created listener for this port, with no bind failure after them.
	bool IsConfirmedForThisEditor() const;

	int32 State = static_cast<int32>(EMcpState::Idle);
	FString Message;
	const int32 Port;
	mutable FCriticalSection FlagLock;
	bool bStartLineSeen = false;
	bool bListenerCreated = false;
	bool bBindFailed = false;
	bool bShuttingDown = false;
	bool bStartPending = false;
	double NextCheckTime = 0.0;
	TSharedPtr<IHttpRequest, ESPMode::ThreadSafe> PendingRequest;
	FString PingId;

private:
	void SetStatus(EMcpState NewState, const FString& NewMessage);
	bool IsValidPingAnswer(const FHttpResponsePtr& Response, bool bConnectedSuccessfully) const;
	void OnPingProgress(FHttpRequestPtr Request, uint64 BytesSent, uint64 BytesReceived);
};
