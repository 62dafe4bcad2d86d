// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HttpPath.h"
#include "HttpRequestHandler.h"
#include "HttpRouteHandle.h"
#include "HttpServerRequest.h"
#include "Templates/SharedPointer.h"

// Routes the requests that reach one port's listener to the handlers bound on it.
class IHttpRouter : public TSharedFromThis<IHttpRouter>
{
public:
	virtual ~IHttpRouter() = default;

	// Binds the handler to the path for the verbs; null when the path is invalid, no verb is given,
	// the handler is unbound, or the path and a verb are already bound.
	virtual FHttpRouteHandle BindRoute(const FHttpPath& HttpPath, const EHttpServerRequestVerbs& HttpVerbs, const FHttpRequestHandler& Handler) = 0;
	// Removes the binding; requests to it are answered 404 from then on.
	virtual void UnbindRoute(const FHttpRouteHandle& RouteHandle) = 0;
};
