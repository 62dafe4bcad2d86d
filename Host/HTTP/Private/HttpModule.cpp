// Copyright Vantle contributors. All Rights Reserved.
#include "HttpModule.h"

#include <atomic>

#include "CurlHttpManager.h"
#include "HostHttp.h"
#include "HttpLog.h"
#include "Modules/ModuleManager.h"

DEFINE_LOG_CATEGORY(LogHttp);

IMPLEMENT_MODULE(FHttpModule, HTTP);

FHttpModule* FHttpModule::Singleton = nullptr;

FHttpModule& FHttpModule::Get()
{
	if (!Singleton)
	{
		FModuleManager::LoadModuleChecked<FHttpModule>(TEXT("HTTP"));
	}
	check(Singleton);
	return *Singleton;
}

TSharedRef<IHttpRequest, ESPMode::ThreadSafe> FHttpModule::CreateRequest()
{
	return MakeShared<FCurlHttpRequest>(TWeakPtr<FCurlHttpManager>(HttpManager));
}

void FHttpModule::StartupModule()
{
	Singleton = this;
	HttpManager = MakeShared<FCurlHttpManager>();
	HttpManager->Start();

	// The engine's HTTP manager delivers game-thread delegates from its core-ticker tick.
	TWeakPtr<FCurlHttpManager> WeakManager = HttpManager;
	TickerHandle = FTSTicker::GetCoreTicker().AddTicker(FTickerDelegate::CreateLambda(
		[WeakManager](float DeltaTime)
		{
			if (const TSharedPtr<FCurlHttpManager> Manager = WeakManager.Pin())
			{
				Manager->TickGameThread();
			}
			return true;
		}));
}

void FHttpModule::ShutdownModule()
{
	FTSTicker::RemoveTicker(TickerHandle);
	TickerHandle.Reset();
	if (HttpManager.IsValid())
	{
		HttpManager->Shutdown();
		HttpManager.Reset();
	}
	if (Singleton == this)
	{
		Singleton = nullptr;
	}
}

struct FHostHttpAccess
{
	static FCurlHttpManager* Manager() { return FHttpModule::Singleton ? FHttpModule::Singleton->HttpManager.Get() : nullptr; }
};

namespace
{
	std::atomic<bool> GHttpEnabled{true};
	std::atomic<UE::Host::EHttpRefusedCompletion> GRefusedCompletion{UE::Host::EHttpRefusedCompletion::InsideProcessRequest};
}

namespace UE::Host
{
	void SetHttpEnabled(bool bEnabled)
	{
		GHttpEnabled.store(bEnabled);
	}

	bool IsHttpEnabled()
	{
		return GHttpEnabled.load();
	}

	void SetHttpRefusedCompletion(EHttpRefusedCompletion When)
	{
		GRefusedCompletion.store(When);
	}

	EHttpRefusedCompletion GetHttpRefusedCompletion()
	{
		return GRefusedCompletion.load();
	}

	int32 GetHttpRequestsInFlight()
	{
		const FCurlHttpManager* Manager = FHostHttpAccess::Manager();
		return Manager ? Manager->GetInFlightCount() : 0;
	}

	int32 GetHttpGameThreadTasksPending()
	{
		const FCurlHttpManager* Manager = FHostHttpAccess::Manager();
		return Manager ? Manager->GetGameThreadTaskCount() : 0;
	}
}
