// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Logging/LogMacros.h"

// The MCP server's log category: its start line, warnings and the ping trace.
DECLARE_LOG_CATEGORY_EXTERN(LogModelContextProtocol, Log, All);
