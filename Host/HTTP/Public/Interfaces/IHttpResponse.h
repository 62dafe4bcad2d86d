// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HttpFwd.h"
#include "Interfaces/IHttpBase.h"

namespace EHttpResponseCodes
{
	// Common status codes under the engine's names.
	enum Type
	{
		Unknown = 0,
		Ok = 200,
		Created = 201,
		Accepted = 202,
		NoContent = 204,
		BadRequest = 400,
		Denied = 401,
		Forbidden = 403,
		NotFound = 404,
		RequestTimeout = 408,
		TooManyRequests = 429,
		ServerError = 500,
		ServiceUnavail = 503,
	};

	// True for the 2xx success codes.
	inline bool IsOk(int32 StatusCode)
	{
		return StatusCode >= 200 && StatusCode <= 206;
	}
}

// The answer to a completed request.
class IHttpResponse : public IHttpBase
{
public:
	// The status code the server sent.
	virtual int32 GetResponseCode() const = 0;
	// The body decoded as UTF-8; invalid sequences become U+FFFD.
	virtual FString GetContentAsString() const = 0;
};
