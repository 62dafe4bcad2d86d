// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/Array.h"
#include "Containers/UnrealString.h"
#include "HAL/Platform.h"

namespace EHttpRequestStatus
{
	// Where a request is in its life.
	enum Type
	{
		NotStarted,
		Processing,
		Failed,
		Succeeded,
	};
}

// Why a request failed, when GetStatus says Failed.
enum class EHttpFailureReason : uint8
{
	None = 0,
	ConnectionError,
	Cancelled,
	TimedOut,
	Other,
};

// What requests and responses have in common: URL, headers and payload.
class IHttpBase
{
public:
	virtual ~IHttpBase() = default;

	// The URL the request was sent to.
	virtual const FString& GetURL() const = 0;
	// The URL that finally answered (the same as GetURL, as redirects are not followed here).
	virtual const FString& GetEffectiveURL() const = 0;
	// A header's value (names ignore case); empty when there is none.
	virtual FString GetHeader(const FString& HeaderName) const = 0;
	// The Content-Type header's value.
	virtual FString GetContentType() const = 0;
	// The payload bytes.
	virtual const TArray<uint8>& GetContent() const = 0;
	// The request's state; a response reports the state of the request it completed.
	virtual EHttpRequestStatus::Type GetStatus() const = 0;
	// Why the request failed; None unless GetStatus is Failed.
	virtual EHttpFailureReason GetFailureReason() const = 0;
};
