// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/UnrealString.h"
#include "HttpRequestHandler.h"
#include "HttpServerRequest.h"
#include "Templates/SharedPointer.h"

// One binding of a path and verbs to a handler.
struct FHttpRouteHandleInternal
{
	// Records the binding.
	FHttpRouteHandleInternal(FString InPath, EHttpServerRequestVerbs InVerbs, FHttpRequestHandler InHandler)
		: Path(InPath), Verbs(InVerbs), Handler(InHandler)
	{
	}

	// The bound path.
	const FString Path;
	// The verbs the binding answers.
	const EHttpServerRequestVerbs Verbs;
	// The handler the router calls.
	const FHttpRequestHandler Handler;
};

// What BindRoute returns; null when the binding was refused. Keep it to unbind the route.
typedef TSharedPtr<const FHttpRouteHandleInternal> FHttpRouteHandle;
