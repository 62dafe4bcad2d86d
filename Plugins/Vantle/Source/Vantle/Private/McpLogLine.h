// Copyright 2026 Vantle contributors. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"

// What one line of the editor's log says about the MCP server and its HTTP listener on a port.
enum class EMcpLogLine : uint8
{
	Unrelated,
	StartThisPort,
	// A start line for any other port, or one that does not name the port as the server writes it.
	StartOtherPort,
	ListenerCreated,
	BindFailed,
	ListenerStopped,
};

// Classifies a log line for the given port. Allocates nothing and touches no shared state, so it
// may run on any logging thread.
EMcpLogLine MatchMcpLogLine(const TCHAR* Line, const FName& Category, int32 Port);
