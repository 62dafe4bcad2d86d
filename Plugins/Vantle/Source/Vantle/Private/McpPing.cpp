// Copyright 2026 Vantle contributors. All Rights Reserved.
#include "CoreGlobals.h"
#include "Editor.h"
#include "Editor/EditorEngine.h"
#include "Engine/Engine.h"
#include "Engine/World.h"
#include "HAL/IConsoleManager.h"
#include "HAL/PlatformTime.h"
#include "HttpFwd.h"
#include "HttpModule.h"
#include "Interfaces/IHttpResponse.h"
#include "McpLogWatcher.h"
#include "McpPingAnswer.h"
#include "Misc/Guid.h"
#include "Misc/OutputDeviceRedirector.h"
#include "Misc/ScopeLock.h"

namespace
{
	const TCHAR* const StartCommandName = TEXT("ModelContextProtocol.StartServer");
	constexpr double RecheckInterval = 5.0;
	constexpr double StartSettleDelay = 0.5;
	constexpr float PingTimeout = 2.0f;

	// Log output of the start command goes to the editor's log; without one it is dropped.
	class FDiscardOutput final : public FOutputDevice
	{
	public:
		virtual void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category) override {}
	};
}

void FMcpLogWatcher::RequestStart()
{
	if (bShuttingDown || State == static_cast<int32>(EMcpState::Checking))
	{
		return;
	}
	IConsoleObject* StartCommand = IConsoleManager::Get().FindConsoleObject(StartCommandName);
	if (!StartCommand || !StartCommand->AsCommand())
	{
		SetStatus(EMcpState::PluginMissing, TEXT("Model Context Protocol in Edit > Plugins aktivieren."));
		return;
	}
	SetStatus(EMcpState::Checking, TEXT("MCP wird geprueft ..."));
	bStartPending = true;
	if (!PendingRequest.IsValid())
	{
		SendPing();
	}
}

void FMcpLogWatcher::Tick()
{
	if (bShuttingDown || PendingRequest.IsValid())
	{
		return;
	}
	if (FPlatformTime::Seconds() >= NextCheckTime)
	{
		SendPing();
	}
}

void FMcpLogWatcher::SendPing()
{
	NextCheckTime = FPlatformTime::Seconds() + RecheckInterval;
	if (!IConsoleManager::Get().FindConsoleObject(StartCommandName))
	{
		SetStatus(EMcpState::PluginMissing, TEXT("Model Context Protocol in Edit > Plugins aktivieren."));
		bStartPending = false;
		return;
	}

	PingId = FGuid::NewGuid().ToString(EGuidFormats::Digits);
	TSharedRef<IHttpRequest, ESPMode::ThreadSafe> Request = FHttpModule::Get().CreateRequest();
	Request->SetURL(FString::Printf(TEXT("http://127.0.0.1:%d/mcp"), Port));
	Request->SetVerb(TEXT("POST"));
	Request->SetHeader(TEXT("Content-Type"), TEXT("application/json"));
	Request->SetHeader(TEXT("Accept"), TEXT("application/json, text/event-stream"));
	Request->SetContentAsString(FString::Printf(TEXT("{\"jsonrpc\":\"2.0\",\"id\":\"%s\",\"method\":\"ping\"}"), *PingId));
	Request->SetTimeout(PingTimeout);
	Request->SetDelegateThreadPolicy(EHttpRequestDelegateThreadPolicy::CompleteOnGameThread);
	Request->OnProcessRequestComplete().BindSP(AsShared(), &FMcpLogWatcher::OnPingComplete);
	Request->OnRequestProgress64().BindSP(AsShared(), &FMcpLogWatcher::OnPingProgress);
	// Held as in flight only once it started: a refused request may complete inside
	// ProcessRequest, and that completion must not count as an answer (it would run the start).
	if (Request->ProcessRequest())
	{
		PendingRequest = Request;
		return;
	}
	bStartPending = false;
	SetStatus(EMcpState::Problem, TEXT("MCP-Pruefung konnte nicht gestartet werden."));
}

void FMcpLogWatcher::OnPingProgress(FHttpRequestPtr Request, uint64 BytesSent, uint64 BytesReceived)
{
	// An endless or oversized answer is no ping answer; stop reading it instead of buffering it.
	if (BytesReceived > McpMaxPingAnswerBytes && Request.IsValid() && Request == PendingRequest)
	{
		Request->CancelRequest();
	}
}

void FMcpLogWatcher::OnPingComplete(FHttpRequestPtr Request, FHttpResponsePtr Response, bool bConnectedSuccessfully)
{
	if (bShuttingDown || !Request.IsValid() || Request != PendingRequest)
	{
		return;
	}
	PendingRequest.Reset();

	bool bConfirmed;
	bool bBindFailure;
	{
		FScopeLock Lock(&FlagLock);
		bConfirmed = bStartLineSeen && bListenerCreated && !bBindFailed;
		bBindFailure = bBindFailed;
	}

	if (IsValidPingAnswer(Response, bConnectedSuccessfully))
	{
		bStartPending = false;
		if (bConfirmed)
		{
			SetStatus(EMcpState::Confirmed, FString::Printf(TEXT("MCP l\u00e4uft  /  Port %d"), Port));
		}
		else
		{
			SetStatus(EMcpState::Problem, FString::Printf(TEXT("Port %d antwortet, gehoert aber nicht bestaetigt zu diesem Editor."), Port));
		}
		return;
	}
	if (bStartPending)
	{
		bStartPending = false;
		RunStartCommand();
		return;
	}
	if (bBindFailure)
	{
		SetStatus(EMcpState::Problem, FString::Printf(TEXT("Port %d belegt. Start fehlgeschlagen."), Port));
	}
	else
	{
		SetStatus(EMcpState::Idle, FString::Printf(TEXT("MCP nicht erreichbar  /  Port %d"), Port));
	}
}

bool FMcpLogWatcher::IsValidPingAnswer(const FHttpResponsePtr& Response, bool bConnectedSuccessfully) const
{
	return bConnectedSuccessfully && Response.IsValid() && IsMcpPingAnswer(Response->GetResponseCode(), Response->GetContent(), PingId);
}

void FMcpLogWatcher::RunStartCommand()
{
	{
		FScopeLock Lock(&FlagLock);
		bBindFailed = false;
	}
	SetStatus(EMcpState::Checking, TEXT("MCP startet ... Bestaetigung wird geprueft."));

	UWorld* World = GEditor ? GEditor->GetEditorWorldContext().World() : nullptr;
	FDiscardOutput Discard;
	FOutputDevice& Output = GLog ? static_cast<FOutputDevice&>(*GLog) : static_cast<FOutputDevice&>(Discard);
	if (!IConsoleManager::Get().ProcessUserConsoleInput(*FString::Printf(TEXT("%s %d"), StartCommandName, Port), Output, World))
	{
		SetStatus(EMcpState::Problem, TEXT("Startbefehl nicht verfuegbar. Plugin pruefen."));
	}
	NextCheckTime = FPlatformTime::Seconds() + StartSettleDelay;
}
