// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/Array.h"
#include "HttpRouteHandle.h"
#include "IHttpRouter.h"
#include "Templates/SharedPointer.h"

class FMcpEndpoint;

// Starts and stops the MCP endpoint on a port of the HTTP server. Game thread only; the
// endpoint it binds is shared with the route handler that calls it.
class FMcpServer
{
public:
	~FMcpServer();

	// Logs the start line and the usage notice, binds POST, GET and DELETE "/mcp" on the port's
	// router and starts the HTTP listeners. A server running on another port is stopped first.
	void Start(uint32 InPort);
	// Unbinds the routes and forgets the router; the port's listener stays bound.
	void Stop();

	// True once a router exists, whether or not its port could be bound.
	bool IsRunning() const { return Router.IsValid(); }
	uint32 GetPort() const { return IsRunning() ? Port : 0; }
	bool AreRoutesBound() const { return RouteHandles.Num() == 3; }
	int32 GetSessionCount() const;

private:
	uint32 Port = 0;
	TSharedPtr<IHttpRouter> Router;
	TArray<FHttpRouteHandle> RouteHandles;
	TSharedPtr<FMcpEndpoint> Endpoint;
};
