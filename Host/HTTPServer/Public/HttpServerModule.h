// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/Ticker.h"
#include "IHttpRouter.h"
#include "Modules/ModuleInterface.h"
#include "Templates/SharedPointer.h"
#include "Templates/UniquePtr.h"

class FHttpServerModuleImpl;

// The HTTP server: one listener and router per port, bound to the loopback address. Route handlers
// run, and answers go back to the connections, only in its core-ticker tick on the game thread.
class FHttpServerModule : public IModuleInterface
{
public:
	FHttpServerModule();
	~FHttpServerModule() override;

	// Nothing listens until a router is asked for and the listeners are started. Adds the tick.
	void StartupModule() override;
	// Stops every listener (each logs its stopping line) and drops all routers.
	void ShutdownModule() override;

	// Loads the module on first use and returns it; game thread only.
	static FHttpServerModule& Get();

	// The router of the port, created on first request. While listeners are started, a new
	// port's listener binds at once; otherwise it binds at StartAllListeners. With
	// bFailOnBindFailure a failed bind returns null instead of the router.
	TSharedPtr<IHttpRouter> GetHttpRouter(uint32 Port, bool bFailOnBindFailure = false);
	// Binds every listener that is not listening yet, and binds later ports at once.
	void StartAllListeners();
	// Stops every listening listener; routers and their bindings stay.
	void StopAllListeners();

private:
	friend struct FHttpServerHostAccess;
	TUniquePtr<FHttpServerModuleImpl> Impl;
	FTSTicker::FDelegateHandle TickerHandle;
};
