// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HAL/Platform.h"

// Status codes a handler can answer with; only the ones this host's callers use are declared.
enum class EHttpServerResponseCodes : uint16
{
	Unknown = 0,
	Ok = 200,
	Accepted = 202,
	NoContent = 204,
	BadRequest = 400,
	Forbidden = 403,
	NotFound = 404,
	BadMethod = 405,
	RequestTooLarge = 413,
	ServerError = 500,
};
