// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/Ticker.h"
#include "Interfaces/IHttpRequest.h"
#include "Modules/ModuleInterface.h"

class FCurlHttpManager;

// The HTTP client module: creates requests and owns the thread that runs them.
class FHttpModule : public IModuleInterface
{
public:
	// The loaded module, loading it through the module manager on first use.
	static HTTP_API FHttpModule& Get();

	// A new request, not started.
	virtual HTTP_API TSharedRef<IHttpRequest, ESPMode::ThreadSafe> CreateRequest();

	// Starts the worker thread and registers the core-ticker tick that delivers game-thread delegates.
	HTTP_API void StartupModule() override;
	// Cancels every request in flight, delivers their completions, joins the worker and removes the tick.
	HTTP_API void ShutdownModule() override;

private:
	friend struct FHostHttpAccess;

	static FHttpModule* Singleton;
	TSharedPtr<FCurlHttpManager> HttpManager;
	FTSTicker::FDelegateHandle TickerHandle;
};
