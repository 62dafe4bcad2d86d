// Copyright 2026 Vantle contributors. All Rights Reserved.
#include "McpLogWatcher.h"

#include "CoreGlobals.h"
#include "McpLogLine.h"
#include "Misc/OutputDeviceRedirector.h"
#include "Misc/ScopeLock.h"

FMcpLogWatcher::FMcpLogWatcher(int32 InPort)
	: Message(TEXT("Noch nicht gestartet"))
	, Port(InPort)
{
}

void FMcpLogWatcher::Register()
{
	if (FOutputDeviceRedirector* Log = GetGlobalLogSingleton())
	{
		Log->AddOutputDevice(this);
	}
}

void FMcpLogWatcher::Shutdown()
{
	bShuttingDown = true;
	if (FOutputDeviceRedirector* Log = GetGlobalLogSingleton())
	{
		Log->RemoveOutputDevice(this);
	}
	if (PendingRequest.IsValid())
	{
		PendingRequest->OnProcessRequestComplete().Unbind();
		PendingRequest->OnRequestProgress64().Unbind();
		PendingRequest->CancelRequest();
		PendingRequest.Reset();
	}
}

void FMcpLogWatcher::Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category)
{
	const EMcpLogLine Line = MatchMcpLogLine(V, Category, Port);
	if (Line == EMcpLogLine::Unrelated)
	{
		return;
	}
	FScopeLock Lock(&FlagLock);
	switch (Line)
	{
	case EMcpLogLine::StartThisPort:
	case EMcpLogLine::StartOtherPort:
		bStartLineSeen = Line == EMcpLogLine::StartThisPort;
		break;
	case EMcpLogLine::ListenerCreated:
		bListenerCreated = true;
		bBindFailed = false;
		break;
	case EMcpLogLine::BindFailed:
		bListenerCreated = false;
		bBindFailed = true;
		break;
	case EMcpLogLine::ListenerStopped:
		bListenerCreated = false;
		break;
	default:
		break;
	}
}

bool FMcpLogWatcher::IsConfirmedForThisEditor() const
{
	FScopeLock Lock(&FlagLock);
	return bStartLineSeen && bListenerCreated && !bBindFailed;
}

void FMcpLogWatcher::SetStatus(EMcpState NewState, const FString& NewMessage)
{
	State = static_cast<int32>(NewState);
	Message = NewMessage;
}
