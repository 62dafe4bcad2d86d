// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/Array.h"
#include "HAL/CriticalSection.h"
#include "IHttpRouter.h"

// The router of one port. Handlers are looked up in the game thread's tick, where routes are bound
// and unbound too; the lock keeps probes from other threads safe.
class FHttpRouter final : public IHttpRouter
{
public:
	FHttpRouteHandle BindRoute(const FHttpPath& HttpPath, const EHttpServerRequestVerbs& HttpVerbs, const FHttpRequestHandler& Handler) override;
	void UnbindRoute(const FHttpRouteHandle& RouteHandle) override;

	// The handler bound to the path for the verb, or an unbound delegate. Paths compare as
	// FStrings do in the engine's route table, without regard to case.
	FHttpRequestHandler FindHandler(const FString& Path, EHttpServerRequestVerbs Verb) const;
	// The bindings as "VERB /path" texts, one per verb, in binding order.
	TArray<FString> DescribeRoutes() const;

private:
	mutable FCriticalSection Lock;
	TArray<FHttpRouteHandle> Routes;
};
