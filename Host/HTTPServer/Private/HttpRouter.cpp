// Copyright Vantle contributors. All Rights Reserved.
#include "HttpRouter.h"

#include "Misc/ScopeLock.h"

namespace
{
	const struct
	{
		EHttpServerRequestVerbs Verb;
		const TCHAR* Name;
	} GVerbNames[] = {
		{EHttpServerRequestVerbs::VERB_GET, TEXT("GET")},
		{EHttpServerRequestVerbs::VERB_POST, TEXT("POST")},
		{EHttpServerRequestVerbs::VERB_PUT, TEXT("PUT")},
		{EHttpServerRequestVerbs::VERB_PATCH, TEXT("PATCH")},
		{EHttpServerRequestVerbs::VERB_DELETE, TEXT("DELETE")},
		{EHttpServerRequestVerbs::VERB_OPTIONS, TEXT("OPTIONS")},
	};

	bool SharesVerb(EHttpServerRequestVerbs A, EHttpServerRequestVerbs B)
	{
		return (A & B) != EHttpServerRequestVerbs::VERB_NONE;
	}
}

FHttpRouteHandle FHttpRouter::BindRoute(const FHttpPath& HttpPath, const EHttpServerRequestVerbs& HttpVerbs, const FHttpRequestHandler& Handler)
{
	if (!HttpPath.IsValidPath() || HttpVerbs == EHttpServerRequestVerbs::VERB_NONE || !Handler.IsBound())
	{
		return nullptr;
	}
	FScopeLock Guard(&Lock);
	for (const FHttpRouteHandle& Route : Routes)
	{
		if (Route->Path == HttpPath.GetPath() && SharesVerb(Route->Verbs, HttpVerbs))
		{
			return nullptr;
		}
	}
	FHttpRouteHandle Route = MakeShared<const FHttpRouteHandleInternal>(HttpPath.GetPath(), HttpVerbs, Handler);
	Routes.Add(Route);
	return Route;
}

void FHttpRouter::UnbindRoute(const FHttpRouteHandle& RouteHandle)
{
	FScopeLock Guard(&Lock);
	Routes.Remove(RouteHandle);
}

FHttpRequestHandler FHttpRouter::FindHandler(const FString& Path, EHttpServerRequestVerbs Verb) const
{
	FScopeLock Guard(&Lock);
	for (const FHttpRouteHandle& Route : Routes)
	{
		if (Route->Path == Path && SharesVerb(Route->Verbs, Verb))
		{
			return Route->Handler;
		}
	}
	return FHttpRequestHandler();
}

TArray<FString> FHttpRouter::DescribeRoutes() const
{
	FScopeLock Guard(&Lock);
	TArray<FString> Result;
	for (const FHttpRouteHandle& Route : Routes)
	{
		for (const auto& Entry : GVerbNames)
		{
			if (SharesVerb(Route->Verbs, Entry.Verb))
			{
				Result.Add(FString(Entry.Name) + TEXT(" ") + Route->Path);
			}
		}
	}
	return Result;
}
