// Copyright Vantle contributors. All Rights Reserved.
#include "McpEndpoint.h"

#include "McpJsonRpc.h"

#include <string_view>

namespace
{
	const FString* FindFirstHeader(const FHttpServerRequest& Request, const TCHAR* Name)
	{
		const TArray<FString>* Values = Request.Headers.Find(FString(Name));
		return Values && Values->Num() > 0 ? &(*Values)[0] : nullptr;
	}

	bool IsPortSuffix(const FString& Text)
	{
		if (Text.Len() < 2 || Text.Len() > 6 || Text[0] != TEXT(':'))
		{
			return false;
		}
		for (int32 Index = 1; Index < Text.Len(); ++Index)
		{
			if (!FChar::IsDigit(Text[Index]))
			{
				return false;
			}
		}
		return true;
	}

	// True for an origin whose host is this machine's loopback name or address, with any port:
	// "http://localhost:3000", "https://127.0.0.1", "http://[::1]:8080". Anything else, the opaque
	// origin "null" included, is another site.
	bool IsLocalOrigin(const FString& Origin)
	{
		FString Scheme;
		FString Rest;
		if (!Origin.TrimStartAndEnd().Split(TEXT("://"), &Scheme, &Rest))
		{
			return false;
		}
		if (Scheme != TEXT("http") && Scheme != TEXT("https"))
		{
			return false;
		}
		FString Host = Rest;
		FString Port;
		if (Rest.StartsWith(TEXT("[")))
		{
			int32 Close = INDEX_NONE;
			if (!Rest.FindChar(TEXT(']'), Close))
			{
				return false;
			}
			Host = Rest.Left(Close + 1);
			Port = Rest.RightChop(Close + 1);
		}
		else
		{
			int32 Colon = INDEX_NONE;
			if (Rest.FindChar(TEXT(':'), Colon))
			{
				Host = Rest.Left(Colon);
				Port = Rest.RightChop(Colon);
			}
		}
		// An origin is scheme, host and port only: a path or user part makes it something else.
		if (!Port.IsEmpty() && !IsPortSuffix(Port))
		{
			return false;
		}
		return Host == TEXT("localhost") || Host == TEXT("127.0.0.1") || Host == TEXT("[::1]");
	}

	bool HasForeignOrigin(const FHttpServerRequest& Request)
	{
		if (const TArray<FString>* Origins = Request.Headers.Find(FString(TEXT("Origin"))))
		{
			for (const FString& Origin : *Origins)
			{
				if (!IsLocalOrigin(Origin))
				{
					return true;
				}
			}
		}
		return false;
	}

	TUniquePtr<FHttpServerResponse> ToResponse(const FMcpReply& Reply)
	{
		TUniquePtr<FHttpServerResponse> Response;
		if (Reply.Json.empty())
		{
			Response = MakeUnique<FHttpServerResponse>();
		}
		else
		{
			Response = FHttpServerResponse::Create(UE::Host::FromUtf8(Reply.Json), TEXT("application/json"));
		}
		Response->Code = Reply.Code;
		if (!Reply.NewSessionId.IsEmpty())
		{
			Response->Headers.Add(TEXT("Mcp-Session-Id"), TArray<FString>{Reply.NewSessionId});
		}
		return Response;
	}
}

TUniquePtr<FHttpServerResponse> FMcpEndpoint::HandleRequest(const FHttpServerRequest& Request)
{
	// Browsers send an Origin; a page of another site must not reach the editor through them.
	if (HasForeignOrigin(Request))
	{
		return ToResponse(UE::Mcp::MakeErrorReply(EHttpServerResponseCodes::Forbidden, UE::Mcp::TransportError, "Forbidden: Origin is not a local address"));
	}

	const FString* SessionId = FindFirstHeader(Request, TEXT("Mcp-Session-Id"));
	switch (Request.Verb)
	{
	case EHttpServerRequestVerbs::VERB_POST:
	{
		const std::string_view Body(reinterpret_cast<const char*>(Request.Body.GetData()), static_cast<size_t>(Request.Body.Num()));
		return ToResponse(UE::Mcp::HandleMessage(Body, SessionId, Sessions));
	}
	case EHttpServerRequestVerbs::VERB_DELETE:
	{
		if (!SessionId)
		{
			return ToResponse(UE::Mcp::MakeErrorReply(EHttpServerResponseCodes::BadRequest, UE::Mcp::TransportError, "Bad Request: Mcp-Session-Id header is required"));
		}
		if (!Sessions.Close(*SessionId))
		{
			return ToResponse(UE::Mcp::MakeErrorReply(EHttpServerResponseCodes::NotFound, UE::Mcp::SessionNotFound, "Session not found"));
		}
		FMcpReply Closed;
		Closed.Code = EHttpServerResponseCodes::NoContent;
		return ToResponse(Closed);
	}
	default:
	{
		TUniquePtr<FHttpServerResponse> Response = ToResponse(
			UE::Mcp::MakeErrorReply(EHttpServerResponseCodes::BadMethod, UE::Mcp::TransportError, "Method Not Allowed: this server offers no event stream"));
		Response->Headers.Add(TEXT("Allow"), TArray<FString>{TEXT("POST, DELETE")});
		return Response;
	}
	}
}
