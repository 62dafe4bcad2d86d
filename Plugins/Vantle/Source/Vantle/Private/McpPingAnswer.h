// Copyright 2026 Vantle contributors. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"

// Whatever holds the port answers the ping, so its answer is hostile until proven otherwise.
// A ping answer is a few dozen bytes two levels deep; these bounds leave ample room.
inline constexpr uint64 McpMaxPingAnswerBytes = 64 * 1024;
inline constexpr int32 McpMaxPingAnswerDepth = 64;

// Whether an HTTP answer (status and body bytes) is the MCP server's answer to the ping with this
// id: a JSON-RPC 2.0 object with the same id and a result object, and no error.
bool IsMcpPingAnswer(int32 ResponseCode, const TArray<uint8>& Content, const FString& PingId);
