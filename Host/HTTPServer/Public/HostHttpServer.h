// Copyright Vantle contributors. All Rights Reserved.
// Host-only probes of the HTTP server stand-in, for the headless editor and the tests.
// The plugin never includes this header.
#pragma once

#include "Containers/Array.h"
#include "Containers/UnrealString.h"

namespace UE::Host
{
	// Ports whose listener is bound and accepting, ascending; empty while the module is not loaded.
	TArray<uint32> GetListeningHttpPorts();
	// Requests the listeners have read that wait for the game thread's tick (to be routed, or for
	// their answer to be handed over); 0 while the module is not loaded.
	int32 GetHttpServerRequestsWaiting();
	// The bindings of the port's router as "VERB /path", one per verb, in binding order; empty when
	// the port has no router or the module is not loaded.
	TArray<FString> GetBoundHttpRoutes(uint32 Port);
	// A loopback port nothing listens on right now (the system's pick), or 0 when none can be had.
	uint32 FindFreeLoopbackPort();
}
