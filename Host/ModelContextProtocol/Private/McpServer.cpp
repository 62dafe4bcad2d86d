// Copyright Vantle contributors. All Rights Reserved.
#include "McpServer.h"

#include "HttpPath.h"
#include "HttpServerModule.h"
#include "McpEndpoint.h"
#include "ModelContextProtocol.h"

FMcpServer::~FMcpServer()
{
	Stop();
}

void FMcpServer::Start(uint32 InPort)
{
	if (IsRunning())
	{
		if (Port != InPort)
		{
			UE_LOG(LogModelContextProtocol, Warning, TEXT("MCP server is already running on port %u, stopping first."), Port);
		}
		Stop();
	}

	// Logged before the port is tried: a failed bind shows up as the listener's own line.
	UE_LOG(LogModelContextProtocol, Log, TEXT("Starting MCP server on port %u (override with -ModelContextProtocolPort=N)."), InPort);
	UE_LOG(LogModelContextProtocol, Warning,
		TEXT("The MCP server lets programs on this machine drive the editor through its tools. Connect only clients you trust, and stop the server when you are done."));

	FHttpServerModule& HttpServer = FHttpServerModule::Get();
	const TSharedPtr<IHttpRouter> NewRouter = HttpServer.GetHttpRouter(InPort);
	if (!NewRouter.IsValid())
	{
		UE_LOG(LogModelContextProtocol, Error, TEXT("No HTTP router for port %u; the MCP server is not running."), InPort);
		return;
	}

	// The handler owns the endpoint through a shared reference, so a handler copied for a request
	// being routed keeps it alive after the routes are gone.
	const TSharedRef<FMcpEndpoint> NewEndpoint = MakeShared<FMcpEndpoint>();
	const FHttpRequestHandler Handler = FHttpRequestHandler::CreateLambda(
		[NewEndpoint](const FHttpServerRequest& Request, const FHttpResultCallback& OnComplete)
		{
			OnComplete(NewEndpoint->HandleRequest(Request));
			return true;
		});
	const FHttpPath Path(TEXT("/mcp"));
	const EHttpServerRequestVerbs Verbs[] = {EHttpServerRequestVerbs::VERB_POST, EHttpServerRequestVerbs::VERB_GET, EHttpServerRequestVerbs::VERB_DELETE};
	for (const EHttpServerRequestVerbs Verb : Verbs)
	{
		const FHttpRouteHandle Route = NewRouter->BindRoute(Path, Verb, Handler);
		if (Route.IsValid())
		{
			RouteHandles.Add(Route);
		}
		else
		{
			UE_LOG(LogModelContextProtocol, Error, TEXT("Could not bind the MCP route /mcp on port %u; another handler holds it."), InPort);
		}
	}
	Port = InPort;
	Router = NewRouter;
	Endpoint = NewEndpoint;

	HttpServer.StartAllListeners();
}

void FMcpServer::Stop()
{
	if (Router.IsValid())
	{
		for (const FHttpRouteHandle& Route : RouteHandles)
		{
			Router->UnbindRoute(Route);
		}
	}
	RouteHandles.Reset();
	Router.Reset();
	Endpoint.Reset();
	Port = 0;
}

int32 FMcpServer::GetSessionCount() const
{
	return Endpoint.IsValid() ? Endpoint->GetSessionCount() : 0;
}
