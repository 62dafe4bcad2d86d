// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HttpServerRequest.h"
#include "HttpServerResponse.h"
#include "McpSessions.h"
#include "Templates/UniquePtr.h"

// The "/mcp" endpoint of MCP's Streamable HTTP transport: JSON-RPC over POST, session end by
// DELETE, no event stream (GET is refused). Called from the HTTP server's tick on the game thread.
class FMcpEndpoint
{
public:
	// Answers one request routed to "/mcp".
	TUniquePtr<FHttpServerResponse> HandleRequest(const FHttpServerRequest& Request);

	int32 GetSessionCount() const { return Sessions.Num(); }

private:
	FMcpSessions Sessions;
};
