// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/UnrealString.h"
#include "HttpServerConstants.h"

#include <string>
#include <string_view>

class FMcpSessions;

// The HTTP side of one JSON-RPC answer.
struct FMcpReply
{
	EHttpServerResponseCodes Code = EHttpServerResponseCodes::Ok;
	// The JSON text; empty for an answer without body (202).
	std::string Json;
	// Set when the answer opens a session, for the Mcp-Session-Id header.
	FString NewSessionId;
};

namespace UE::Mcp
{
	// JSON-RPC error codes this server answers with.
	constexpr int32 ParseError = -32700;
	constexpr int32 InvalidRequest = -32600;
	constexpr int32 MethodNotFound = -32601;
	constexpr int32 InvalidParams = -32602;
	// Transport-level refusals (origin, verb, missing session), as MCP servers commonly number them.
	constexpr int32 TransportError = -32000;
	constexpr int32 SessionNotFound = -32001;

	// Answers one POSTed JSON-RPC message. SessionId is the request's Mcp-Session-Id header, or
	// null when it carries none. Safe on any thread.
	FMcpReply HandleMessage(std::string_view Body, const FString* SessionId, FMcpSessions& Sessions);
	// A JSON-RPC error answer with a null id, for refusals before any message is read.
	FMcpReply MakeErrorReply(EHttpServerResponseCodes Code, int32 RpcCode, const char* Message);
}
