// Copyright Vantle contributors. All Rights Reserved.
#include "HttpServerModule.h"

#include "HostHttpServer.h"
#include "HttpListener.h"
#include "HttpRouter.h"
#include "HttpServerLog.h"
#include "Modules/ModuleManager.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

DEFINE_LOG_CATEGORY(LogHttpListener);
DEFINE_LOG_CATEGORY(LogHttpServerModule);

// The listeners by port. Only the game thread changes them; the lock lets probes read meanwhile.
// It is never held while a listener binds or stops, since that waits for the listener's thread.
class FHttpServerModuleImpl
{
public:
	std::shared_ptr<FHttpListener> Find(uint32 Port) const
	{
		std::lock_guard<std::mutex> Guard(Mutex);
		const auto It = Listeners.find(Port);
		return It == Listeners.end() ? nullptr : It->second;
	}

	std::vector<std::shared_ptr<FHttpListener>> All() const
	{
		std::lock_guard<std::mutex> Guard(Mutex);
		std::vector<std::shared_ptr<FHttpListener>> Result;
		for (const auto& Entry : Listeners)
		{
			Result.push_back(Entry.second);
		}
		return Result;
	}

	void Add(const std::shared_ptr<FHttpListener>& Listener)
	{
		std::lock_guard<std::mutex> Guard(Mutex);
		Listeners[Listener->GetPort()] = Listener;
	}

	void Clear()
	{
		std::map<uint32, std::shared_ptr<FHttpListener>> Dying;
		{
			std::lock_guard<std::mutex> Guard(Mutex);
			Dying.swap(Listeners);
		}
	}

	bool bListenersEnabled = false;

private:
	mutable std::mutex Mutex;
	std::map<uint32, std::shared_ptr<FHttpListener>> Listeners;
};

FHttpServerModule::FHttpServerModule() : Impl(MakeUnique<FHttpServerModuleImpl>()) {}

FHttpServerModule::~FHttpServerModule() = default;

void FHttpServerModule::StartupModule()
{
	TickerHandle = FTSTicker::GetCoreTicker().AddTicker(FTickerDelegate::CreateLambda(
		[this](float DeltaTime)
		{
			for (const std::shared_ptr<FHttpListener>& Listener : Impl->All())
			{
				Listener->TickGameThread();
			}
			return true;
		}));
}

void FHttpServerModule::ShutdownModule()
{
	FTSTicker::RemoveTicker(TickerHandle);
	TickerHandle.Reset();
	StopAllListeners();
	Impl->Clear();
}

FHttpServerModule& FHttpServerModule::Get()
{
	return FModuleManager::LoadModuleChecked<FHttpServerModule>(TEXT("HTTPServer"));
}

TSharedPtr<IHttpRouter> FHttpServerModule::GetHttpRouter(uint32 Port, bool bFailOnBindFailure)
{
	if (const std::shared_ptr<FHttpListener> Existing = Impl->Find(Port))
	{
		return Existing->GetRouter();
	}
	const std::shared_ptr<FHttpListener> Listener = std::make_shared<FHttpListener>(Port, MakeShared<FHttpRouter>());
	if (Impl->bListenersEnabled && !Listener->StartListening() && bFailOnBindFailure)
	{
		return nullptr;
	}
	Impl->Add(Listener);
	return Listener->GetRouter();
}

void FHttpServerModule::StartAllListeners()
{
	UE_LOG(LogHttpServerModule, Log, TEXT("Starting all listeners..."));
	Impl->bListenersEnabled = true;
	for (const std::shared_ptr<FHttpListener>& Listener : Impl->All())
	{
		if (!Listener->IsListening())
		{
			Listener->StartListening();
		}
	}
	UE_LOG(LogHttpServerModule, Log, TEXT("All listeners started"));
}

void FHttpServerModule::StopAllListeners()
{
	for (const std::shared_ptr<FHttpListener>& Listener : Impl->All())
	{
		Listener->StopListening();
	}
	Impl->bListenersEnabled = false;
}

IMPLEMENT_MODULE(FHttpServerModule, HTTPServer)

struct FHttpServerHostAccess
{
	static FHttpServerModuleImpl* Find()
	{
		FHttpServerModule* Module = FModuleManager::GetModulePtr<FHttpServerModule>(TEXT("HTTPServer"));
		return Module ? Module->Impl.Get() : nullptr;
	}
};

namespace UE::Host
{
	TArray<uint32> GetListeningHttpPorts()
	{
		TArray<uint32> Ports;
		if (FHttpServerModuleImpl* Impl = FHttpServerHostAccess::Find())
		{
			for (const std::shared_ptr<FHttpListener>& Listener : Impl->All())
			{
				if (Listener->IsListening())
				{
					Ports.Add(Listener->GetPort());
				}
			}
		}
		return Ports;
	}

	int32 GetHttpServerRequestsWaiting()
	{
		int32 Count = 0;
		if (FHttpServerModuleImpl* Impl = FHttpServerHostAccess::Find())
		{
			for (const std::shared_ptr<FHttpListener>& Listener : Impl->All())
			{
				Count += Listener->GetWaitingCount();
			}
		}
		return Count;
	}

	TArray<FString> GetBoundHttpRoutes(uint32 Port)
	{
		if (FHttpServerModuleImpl* Impl = FHttpServerHostAccess::Find())
		{
			if (const std::shared_ptr<FHttpListener> Listener = Impl->Find(Port))
			{
				return Listener->GetRouter()->DescribeRoutes();
			}
		}
		return TArray<FString>();
	}
}
