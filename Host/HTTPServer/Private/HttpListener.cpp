// Copyright Vantle contributors. All Rights Reserved.

// The Debian library is built with these features; its types must be declared with the same
// layout here. Included before the engine headers, whose assertion macros would clash.
#ifndef CPPHTTPLIB_OPENSSL_SUPPORT
#define CPPHTTPLIB_OPENSSL_SUPPORT
#endif
#ifndef CPPHTTPLIB_ZLIB_SUPPORT
#define CPPHTTPLIB_ZLIB_SUPPORT
#endif
#ifndef CPPHTTPLIB_BROTLI_SUPPORT
#define CPPHTTPLIB_BROTLI_SUPPORT
#endif
#include <httplib.h>

#include "HttpListener.h"

#include "HttpRequestHandler.h"
#include "HttpRouter.h"
#include "HttpServerLog.h"
#include "HttpServerRequest.h"
#include "HttpServerResponse.h"

#include <chrono>
#include <sys/socket.h>

namespace
{
	constexpr const char* GBindAddress = "127.0.0.1";
	constexpr size_t GMaxBodyBytes = 1024 * 1024;
	// Short socket time-outs bound both a silent client and the wait for workers at stop.
	constexpr time_t GSocketTimeoutSeconds = 2;
	constexpr size_t GKeepAliveMaxRequests = 32;
	constexpr size_t GWorkerThreads = 8;
	constexpr std::chrono::seconds GHandlerTimeout{5};

	// SO_REUSEADDR only. The library's default, SO_REUSEPORT, would let this listener share a port
	// that another process already listens on, and that must fail as it does in the editor.
	void SetListenerSocketOptions(int Socket)
	{
		int Yes = 1;
		setsockopt(Socket, SOL_SOCKET, SO_REUSEADDR, &Yes, sizeof(Yes));
	}

	EHttpServerRequestVerbs ToVerb(const std::string& Method)
	{
		if (Method == "GET")
		{
			return EHttpServerRequestVerbs::VERB_GET;
		}
		if (Method == "POST")
		{
			return EHttpServerRequestVerbs::VERB_POST;
		}
		if (Method == "PUT")
		{
			return EHttpServerRequestVerbs::VERB_PUT;
		}
		if (Method == "PATCH")
		{
			return EHttpServerRequestVerbs::VERB_PATCH;
		}
		if (Method == "DELETE")
		{
			return EHttpServerRequestVerbs::VERB_DELETE;
		}
		if (Method == "OPTIONS")
		{
			return EHttpServerRequestVerbs::VERB_OPTIONS;
		}
		return EHttpServerRequestVerbs::VERB_NONE;
	}

	// The library reports the peer and local addresses as made-up headers; they are not the client's.
	bool IsLibraryPseudoHeader(const std::string& Name)
	{
		return Name == "REMOTE_ADDR" || Name == "REMOTE_PORT" || Name == "LOCAL_ADDR" || Name == "LOCAL_PORT";
	}

	void AnswerNotFound(httplib::Response& Response)
	{
		Response.status = 404;
		Response.set_content("Not Found", "text/plain");
	}

	// Where a handler's answer waits for the worker thread. Shared with the completion callback,
	// so an answer that comes after the worker gave up lands here harmlessly.
	struct FResponseSlot
	{
		std::mutex Mutex;
		std::condition_variable Completed;
		TUniquePtr<FHttpServerResponse> Response;
		bool bCompleted = false;

		void Complete(TUniquePtr<FHttpServerResponse>&& InResponse)
		{
			{
				std::lock_guard<std::mutex> Guard(Mutex);
				if (bCompleted)
				{
					return;
				}
				Response = std::move(InResponse);
				bCompleted = true;
			}
			Completed.notify_all();
		}

		TUniquePtr<FHttpServerResponse> Wait()
		{
			std::unique_lock<std::mutex> Guard(Mutex);
			Completed.wait_for(Guard, GHandlerTimeout, [this] { return bCompleted; });
			return std::move(Response);
		}
	};
}

FHttpListener::FHttpListener(uint32 InPort, TSharedRef<FHttpRouter> InRouter) : Port(InPort), Router(InRouter) {}

FHttpListener::~FHttpListener()
{
	StopListening();
}

bool FHttpListener::StartListening()
{
	if (bListening.load())
	{
		return true;
	}
	if (Thread.joinable())
	{
		// An earlier attempt that failed to bind, or a listener whose accept loop ended.
		Thread.join();
	}

	Server = std::make_unique<httplib::Server>();
	Server->set_address_family(AF_INET);
	Server->set_socket_options(&SetListenerSocketOptions);
	// Headers and body go out in separate writes; without this, Nagle holds the body back until
	// the client's delayed acknowledgement, some 40 ms on loopback.
	Server->set_tcp_nodelay(true);
	Server->set_payload_max_length(GMaxBodyBytes);
	Server->set_read_timeout(GSocketTimeoutSeconds, 0);
	Server->set_write_timeout(GSocketTimeoutSeconds, 0);
	Server->set_keep_alive_timeout(GSocketTimeoutSeconds);
	Server->set_keep_alive_max_count(GKeepAliveMaxRequests);
	Server->new_task_queue = [] { return new httplib::ThreadPool(GWorkerThreads); };
	const httplib::Server::Handler Handler = [this](const httplib::Request& Request, httplib::Response& Response) { HandleRequest(Request, Response); };
	Server->Get(".*", Handler);
	Server->Post(".*", Handler);
	Server->Put(".*", Handler);
	Server->Patch(".*", Handler);
	Server->Delete(".*", Handler);
	Server->Options(".*", Handler);

	{
		std::lock_guard<std::mutex> Guard(StateMutex);
		BindState = EBindState::Pending;
		bThreadDone = false;
	}
	Thread = std::thread([this] { Run(); });

	std::unique_lock<std::mutex> Guard(StateMutex);
	StateChanged.wait(Guard, [this] { return BindState != EBindState::Pending; });
	return BindState == EBindState::Bound;
}

void FHttpListener::StopListening()
{
	if (!Thread.joinable())
	{
		return;
	}
	// The library's stop acts only once its accept loop runs, and must be sent only once; the
	// thread may still be between binding and entering that loop.
	bool bStopSent = false;
	std::unique_lock<std::mutex> Guard(StateMutex);
	while (!bThreadDone)
	{
		if (!bStopSent && Server->is_running())
		{
			Guard.unlock();
			Server->stop();
			bStopSent = true;
			Guard.lock();
			continue;
		}
		StateChanged.wait_for(Guard, std::chrono::milliseconds(10), [this] { return bThreadDone; });
	}
	Guard.unlock();
	Thread.join();
	Server.reset();
}

void FHttpListener::ReportBind(EBindState State)
{
	{
		std::lock_guard<std::mutex> Guard(StateMutex);
		BindState = State;
	}
	StateChanged.notify_all();
}

void FHttpListener::Run()
{
	struct FDoneOnExit
	{
		FHttpListener& Listener;
		~FDoneOnExit()
		{
			{
				std::lock_guard<std::mutex> Guard(Listener.StateMutex);
				Listener.bThreadDone = true;
			}
			Listener.StateChanged.notify_all();
		}
	} DoneOnExit{*this};

	if (Port == 0 || Port > 65535)
	{
		UE_LOG(LogHttpListener, Error, TEXT("HttpListener detected invalid port %u"), Port);
		ReportBind(EBindState::Failed);
		return;
	}
	const FString Address = FString::Printf(TEXT("%s:%u"), TEXT("127.0.0.1"), Port);
	if (!Server->bind_to_port(GBindAddress, static_cast<int>(Port)))
	{
		UE_LOG(LogHttpListener, Error, TEXT("HttpListener unable to bind to %s"), *Address);
		ReportBind(EBindState::Failed);
		return;
	}
	bListening.store(true);
	UE_LOG(LogHttpListener, Log, TEXT("Created new HttpListener on %s"), *Address);
	ReportBind(EBindState::Bound);

	Server->listen_after_bind();

	bListening.store(false);
	UE_LOG(LogHttpListener, Log, TEXT("HttpListener stopping listening on Port %u"), Port);
}

void FHttpListener::HandleRequest(const httplib::Request& Request, httplib::Response& Response) const
{
	const EHttpServerRequestVerbs Verb = ToVerb(Request.method);
	const FString Path = UE::Host::FromUtf8(Request.path);
	const FHttpRequestHandler Handler = Router->FindHandler(Path, Verb);
	if (Verb == EHttpServerRequestVerbs::VERB_NONE || !Handler.IsBound())
	{
		AnswerNotFound(Response);
		return;
	}

	FHttpServerRequest ServerRequest;
	ServerRequest.Verb = Verb;
	// Routes match whole paths, so nothing is left below the route.
	ServerRequest.RelativePath = FHttpPath(TEXT("/"));
	for (const auto& Header : Request.headers)
	{
		if (!IsLibraryPseudoHeader(Header.first))
		{
			ServerRequest.Headers.FindOrAdd(UE::Host::FromUtf8(Header.first)).Add(UE::Host::FromUtf8(Header.second));
		}
	}
	ServerRequest.Body.Append(reinterpret_cast<const uint8*>(Request.body.data()), static_cast<int32>(Request.body.size()));

	const std::shared_ptr<FResponseSlot> Slot = std::make_shared<FResponseSlot>();
	const FHttpResultCallback OnComplete = [Slot](TUniquePtr<FHttpServerResponse>&& Answer) { Slot->Complete(std::move(Answer)); };
	if (!Handler.Execute(ServerRequest, OnComplete))
	{
		AnswerNotFound(Response);
		return;
	}
	const TUniquePtr<FHttpServerResponse> Answer = Slot->Wait();
	if (!Answer)
	{
		Response.status = 500;
		Response.set_content("No response from handler", "text/plain");
		return;
	}

	Response.status = Answer->Code == EHttpServerResponseCodes::Unknown ? 500 : static_cast<int>(Answer->Code);
	for (const auto& Header : Answer->Headers)
	{
		// The library writes the length of the body it sends.
		if (Header.Key == TEXT("content-length"))
		{
			continue;
		}
		for (const FString& Value : Header.Value)
		{
			Response.set_header(UE::Host::ToUtf8(Header.Key), UE::Host::ToUtf8(Value));
		}
	}
	Response.body.assign(reinterpret_cast<const char*>(Answer->Body.GetData()), static_cast<size_t>(Answer->Body.Num()));
}
