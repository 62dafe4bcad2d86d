// Copyright Vantle contributors. All Rights Reserved.
// Host-only probes of the Model Context Protocol server stand-in, for the headless editor and
// the tests. The plugin never includes this header.
#pragma once

#include "HAL/Platform.h"

namespace UE::Host
{
	// The port the MCP server was started on; 0 once it is stopped or while the module is not
	// loaded. A server counts as started when its router exists, whether or not the port bound.
	uint32 GetMcpServerPort();
	// True while the server's POST, GET and DELETE routes for "/mcp" are bound.
	bool AreMcpRoutesBound();
	// Sessions the running server holds open; 0 when it is stopped.
	int32 GetMcpSessionCount();
}
