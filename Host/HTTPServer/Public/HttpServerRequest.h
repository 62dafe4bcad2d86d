// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/Array.h"
#include "Containers/Map.h"
#include "Containers/UnrealString.h"
#include "HttpPath.h"

// HTTP verbs as bit flags, so one route can accept several.
enum class EHttpServerRequestVerbs : uint16
{
	VERB_NONE = 0,
	VERB_GET = 1 << 0,
	VERB_POST = 1 << 1,
	VERB_PUT = 1 << 2,
	VERB_PATCH = 1 << 3,
	VERB_DELETE = 1 << 4,
	VERB_OPTIONS = 1 << 5,
};

// Combines verbs, as the engine's flag operators do.
inline constexpr EHttpServerRequestVerbs operator|(EHttpServerRequestVerbs Lhs, EHttpServerRequestVerbs Rhs)
{
	return static_cast<EHttpServerRequestVerbs>(static_cast<uint16>(Lhs) | static_cast<uint16>(Rhs));
}
// Intersects verbs, as the engine's flag operators do.
inline constexpr EHttpServerRequestVerbs operator&(EHttpServerRequestVerbs Lhs, EHttpServerRequestVerbs Rhs)
{
	return static_cast<EHttpServerRequestVerbs>(static_cast<uint16>(Lhs) & static_cast<uint16>(Rhs));
}

// One request as the router hands it to a route handler.
struct FHttpServerRequest
{
	// The request's verb (exactly one flag).
	EHttpServerRequestVerbs Verb = EHttpServerRequestVerbs::VERB_NONE;
	// The path below the bound route; "/" when the request names the route itself.
	FHttpPath RelativePath;
	// Header values by name; names compare without regard to case.
	TMap<FString, TArray<FString>> Headers;
	// The raw request body.
	TArray<uint8> Body;
};
