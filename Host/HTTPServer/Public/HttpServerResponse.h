// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/Array.h"
#include "Containers/Map.h"
#include "Containers/UnrealString.h"
#include "HttpServerConstants.h"
#include "Templates/UniquePtr.h"

// One answer as a route handler hands it back to the listener.
struct FHttpServerResponse
{
	// The status code; Unknown is sent as 500.
	EHttpServerResponseCodes Code = EHttpServerResponseCodes::Unknown;
	// Header values by name.
	TMap<FString, TArray<FString>> Headers;
	// The raw response body.
	TArray<uint8> Body;

	// A 200 answer carrying the text as UTF-8 with the given content type.
	static TUniquePtr<FHttpServerResponse> Create(const FString& Text, const FString& ContentType);
};
