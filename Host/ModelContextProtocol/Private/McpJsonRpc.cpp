// Copyright Vantle contributors. All Rights Reserved.

// Ahead of the engine headers, whose assertion macros (check, verify) would rewrite its code.
#include <nlohmann/json.hpp>

#include "McpJsonRpc.h"

#include "McpSessions.h"
#include "ModelContextProtocol.h"

namespace
{
	// Answers keep the member order of the request's own spelling: "jsonrpc", "id", then the rest.
	using FJson = nlohmann::ordered_json;

	// Newest first; a client asking for another version is offered the newest.
	const char* const GSupportedProtocolVersions[] = {"2025-11-25", "2025-06-18", "2024-11-05"};
	const char* const GServerName = "unreal-mcp";
	const char* const GServerVersion = "1.0.0";
	const char* const GEchoToolName = "echo";

	std::string Dump(const FJson& Value)
	{
		// Replacing bad UTF-8 instead of failing; parsed input is valid already, so this never bites.
		return Value.dump(-1, ' ', false, FJson::error_handler_t::replace);
	}

	FMcpReply MakeResult(const FJson& Id, FJson Result)
	{
		FJson Answer = FJson::object();
		Answer["jsonrpc"] = "2.0";
		Answer["id"] = Id;
		Answer["result"] = std::move(Result);
		FMcpReply Reply;
		Reply.Json = Dump(Answer);
		return Reply;
	}

	FMcpReply MakeError(EHttpServerResponseCodes Code, const FJson& Id, int32 RpcCode, const std::string& Message)
	{
		FJson Error = FJson::object();
		Error["code"] = RpcCode;
		Error["message"] = Message;
		FJson Answer = FJson::object();
		Answer["jsonrpc"] = "2.0";
		Answer["id"] = Id;
		Answer["error"] = std::move(Error);
		FMcpReply Reply;
		Reply.Code = Code;
		Reply.Json = Dump(Answer);
		return Reply;
	}

	FMcpReply MakeAccepted()
	{
		FMcpReply Reply;
		Reply.Code = EHttpServerResponseCodes::Accepted;
		return Reply;
	}

	const std::string* FindString(const FJson& Object, const char* Name)
	{
		const auto It = Object.find(Name);
		return It != Object.end() && It->is_string() ? It->get_ptr<const std::string*>() : nullptr;
	}

	FMcpReply Initialize(const FJson& Id, const FJson* Params, FMcpSessions& Sessions)
	{
		const std::string* Requested = Params && Params->is_object() ? FindString(*Params, "protocolVersion") : nullptr;
		if (!Requested)
		{
			return MakeError(EHttpServerResponseCodes::Ok, Id, UE::Mcp::InvalidParams, "Invalid params: \"protocolVersion\" must be a string");
		}
		const char* Chosen = GSupportedProtocolVersions[0];
		for (const char* Version : GSupportedProtocolVersions)
		{
			if (*Requested == Version)
			{
				Chosen = Version;
			}
		}
		FJson Result = FJson::object();
		Result["protocolVersion"] = Chosen;
		Result["capabilities"]["tools"]["listChanged"] = false;
		Result["serverInfo"]["name"] = GServerName;
		Result["serverInfo"]["version"] = GServerVersion;
		FMcpReply Reply = MakeResult(Id, std::move(Result));
		Reply.NewSessionId = Sessions.Open();
		return Reply;
	}

	FJson ListTools()
	{
		FJson Text = FJson::object();
		Text["type"] = "string";
		Text["description"] = "The text to return.";
		FJson Schema = FJson::object();
		Schema["type"] = "object";
		Schema["properties"]["text"] = std::move(Text);
		Schema["required"] = FJson::array({"text"});
		FJson Echo = FJson::object();
		Echo["name"] = GEchoToolName;
		Echo["description"] = "Returns the given text unchanged; a check that tool calls reach the editor.";
		Echo["inputSchema"] = std::move(Schema);
		FJson Result = FJson::object();
		Result["tools"] = FJson::array();
		Result["tools"].push_back(std::move(Echo));
		return Result;
	}

	FMcpReply CallTool(const FJson& Id, const FJson* Params)
	{
		const std::string* Name = Params && Params->is_object() ? FindString(*Params, "name") : nullptr;
		if (!Name)
		{
			return MakeError(EHttpServerResponseCodes::Ok, Id, UE::Mcp::InvalidParams, "Invalid params: \"name\" must be a string");
		}
		if (*Name != GEchoToolName)
		{
			return MakeError(EHttpServerResponseCodes::Ok, Id, UE::Mcp::InvalidParams, "Unknown tool: " + *Name);
		}
		const auto Arguments = Params->find("arguments");
		const std::string* Text = Arguments != Params->end() && Arguments->is_object() ? FindString(*Arguments, "text") : nullptr;
		if (!Text)
		{
			return MakeError(EHttpServerResponseCodes::Ok, Id, UE::Mcp::InvalidParams, "Invalid params: \"arguments.text\" must be a string");
		}
		FJson Content = FJson::object();
		Content["type"] = "text";
		Content["text"] = *Text;
		FJson Result = FJson::object();
		Result["content"] = FJson::array();
		Result["content"].push_back(std::move(Content));
		Result["isError"] = false;
		return MakeResult(Id, std::move(Result));
	}
}

namespace UE::Mcp
{
	FMcpReply HandleMessage(std::string_view Body, const FString* SessionId, FMcpSessions& Sessions)
	{
		// No exceptions: a malformed document comes back discarded.
		const FJson Message = FJson::parse(Body.begin(), Body.end(), nullptr, false);
		if (Message.is_discarded())
		{
			return MakeError(EHttpServerResponseCodes::BadRequest, nullptr, ParseError, "Parse error");
		}
		if (!Message.is_object())
		{
			return MakeError(EHttpServerResponseCodes::BadRequest, nullptr, InvalidRequest, "Invalid Request: expected one JSON-RPC object");
		}

		const auto IdIt = Message.find("id");
		const bool bHasId = IdIt != Message.end();
		const bool bIdUsable = bHasId && (IdIt->is_string() || IdIt->is_number());
		const FJson Id = bIdUsable ? *IdIt : FJson(nullptr);

		const std::string* Version = FindString(Message, "jsonrpc");
		if (!Version || *Version != "2.0")
		{
			return MakeError(EHttpServerResponseCodes::BadRequest, Id, InvalidRequest, "Invalid Request: \"jsonrpc\" must be \"2.0\"");
		}
		const auto MethodIt = Message.find("method");
		if (MethodIt == Message.end())
		{
			// A client's answer to a server request. This server sends none, so nothing waits for it.
			if (bHasId && (Message.contains("result") || Message.contains("error")))
			{
				return MakeAccepted();
			}
			return MakeError(EHttpServerResponseCodes::BadRequest, Id, InvalidRequest, "Invalid Request: \"method\" is missing");
		}
		if (!MethodIt->is_string())
		{
			return MakeError(EHttpServerResponseCodes::BadRequest, Id, InvalidRequest, "Invalid Request: \"method\" must be a string");
		}
		const std::string& Method = MethodIt->get_ref<const std::string&>();
		const auto ParamsIt = Message.find("params");
		const FJson* Params = ParamsIt != Message.end() ? &*ParamsIt : nullptr;
		if (Params && !Params->is_object() && !Params->is_array())
		{
			return MakeError(EHttpServerResponseCodes::BadRequest, Id, InvalidRequest, "Invalid Request: \"params\" must be an object or an array");
		}

		// A session this server does not know (closed, evicted or made up) is refused for anything
		// but opening a new one.
		if (SessionId && Method != "initialize" && !Sessions.Contains(*SessionId))
		{
			return MakeError(EHttpServerResponseCodes::NotFound, Id, SessionNotFound, "Session not found");
		}
		if (!bHasId)
		{
			return MakeAccepted();
		}
		if (!bIdUsable)
		{
			return MakeError(EHttpServerResponseCodes::BadRequest, nullptr, InvalidRequest, "Invalid Request: \"id\" must be a string or a number");
		}

		if (Method == "ping")
		{
			UE_LOG(LogModelContextProtocol, Verbose, TEXT("Replying to Ping"));
			return MakeResult(Id, FJson::object());
		}
		if (Method == "initialize")
		{
			return Initialize(Id, Params, Sessions);
		}
		if (Method == "tools/list" || Method == "tools/call")
		{
			if (!SessionId)
			{
				return MakeError(EHttpServerResponseCodes::BadRequest, Id, TransportError, "Bad Request: Mcp-Session-Id header is required");
			}
			return Method == "tools/list" ? MakeResult(Id, ListTools()) : CallTool(Id, Params);
		}
		return MakeError(EHttpServerResponseCodes::Ok, Id, MethodNotFound, "Method not found");
	}

	FMcpReply MakeErrorReply(EHttpServerResponseCodes Code, int32 RpcCode, const char* Message)
	{
		return MakeError(Code, nullptr, RpcCode, Message);
	}
}
