// Copyright Vantle contributors. All Rights Reserved.
// What a test scripts for FScriptedHttpPeer (see ScriptedHttpPeer.h), and what the peer records.
#pragma once

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A request as the peer received it.
struct FScriptedHttpRequest
{
	std::string Method;
	std::string Path;
	std::vector<std::pair<std::string, std::string>> Headers;
	std::string Body;

	// The first header of that name, ignoring case; empty when there is none.
	std::string Header(std::string_view Name) const
	{
		for (const auto& [Key, Value] : Headers)
		{
			if (Key.size() == Name.size() &&
				std::equal(Key.begin(), Key.end(), Name.begin(),
						   [](char A, char B) { return std::tolower(static_cast<unsigned char>(A)) == std::tolower(static_cast<unsigned char>(B)); }))
			{
				return Value;
			}
		}
		return {};
	}
};

// One scripted request and the answer to it.
struct FScriptedExchange
{
	enum class EAction
	{
		Answer,
		NeverAnswer,
		Reset,
		Raw,
	};

	std::string Method;
	std::string Path;
	bool bRepeat = false;

	EAction Action = EAction::Answer;
	int Status = 200;
	std::string Body;
	std::function<std::string(const FScriptedHttpRequest&)> MakeBody;
	size_t DripBytes = 0;
	std::chrono::milliseconds DripInterval{0};
	uint64_t HugeBodyBytes = 0;
	std::string RawBytes;

	// Matches a request by method (exact) and path (exact, query included).
	static FScriptedExchange Request(std::string InMethod, std::string InPath)
	{
		FScriptedExchange Exchange;
		Exchange.Method = std::move(InMethod);
		Exchange.Path = std::move(InPath);
		return Exchange;
	}
	// Answers every matching request, not just the first.
	FScriptedExchange& Repeatedly()
	{
		bRepeat = true;
		return *this;
	}

	FScriptedExchange& Respond(int InStatus, std::string InBody = {})
	{
		Action = EAction::Answer;
		Status = InStatus;
		Body = std::move(InBody);
		return *this;
	}
	// Answers with a body made from the request (on the peer's connection thread), e.g. to echo an id.
	FScriptedExchange& RespondWith(int InStatus, std::function<std::string(const FScriptedHttpRequest&)> InMakeBody)
	{
		Action = EAction::Answer;
		Status = InStatus;
		MakeBody = std::move(InMakeBody);
		return *this;
	}
	// Sends the body Bytes at a time, Interval apart (Content-Length announces the whole body).
	FScriptedExchange& Drip(size_t Bytes, std::chrono::milliseconds Interval)
	{
		DripBytes = std::max<size_t>(Bytes, 1);
		DripInterval = Interval;
		return *this;
	}
	// Streams a generated body of Bytes bytes instead of Body.
	FScriptedExchange& HugeBody(uint64_t Bytes)
	{
		HugeBodyBytes = Bytes;
		return *this;
	}
	// Reads the request and never answers; the connection stays open until the client leaves or Stop().
	FScriptedExchange& NeverAnswer()
	{
		Action = EAction::NeverAnswer;
		return *this;
	}
	// Reads the request, then resets the connection without a byte of answer.
	FScriptedExchange& ResetConnection()
	{
		Action = EAction::Reset;
		return *this;
	}
	// Sends these bytes verbatim (for malformed answers), then closes.
	FScriptedExchange& RawAnswer(std::string Bytes)
	{
		Action = EAction::Raw;
		RawBytes = std::move(Bytes);
		return *this;
	}
};
