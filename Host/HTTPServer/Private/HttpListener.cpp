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
#include <vector>

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
}

// A request read by a socket thread, on its way through the game thread's tick and back.
struct FHttpServerExchange
{
	enum class EOutcome : uint8
	{
		Waiting,
		Answered,
		NotFound,
		NoAnswer,
		Refused,
	};

	FHttpServerRequest Request;
	FString Path;

	// Game thread only.
	bool bDispatched = false;
	std::chrono::steady_clock::time_point DispatchTime;

	// The handler may answer from any thread; the answer waits here for the next tick.
	void Answer(TUniquePtr<FHttpServerResponse>&& InResponse)
	{
		std::lock_guard<std::mutex> Guard(Mutex);
		if (!bAnswered && Outcome == EOutcome::Waiting)
		{
			Response = std::move(InResponse);
			bAnswered = true;
		}
	}

	bool HasAnswer() const
	{
		std::lock_guard<std::mutex> Guard(Mutex);
		return bAnswered;
	}

	bool IsHandedOver() const
	{
		std::lock_guard<std::mutex> Guard(Mutex);
		return Outcome != EOutcome::Waiting;
	}

	void HandOver(EOutcome InOutcome)
	{
		{
			std::lock_guard<std::mutex> Guard(Mutex);
			if (Outcome != EOutcome::Waiting)
			{
				return;
			}
			Outcome = InOutcome;
		}
		HandedOver.notify_all();
	}

	// Socket thread: blocks until a tick (or the listener stopping) decides.
	EOutcome WaitForHandOver(TUniquePtr<FHttpServerResponse>& OutResponse)
	{
		std::unique_lock<std::mutex> Guard(Mutex);
		HandedOver.wait(Guard, [this] { return Outcome != EOutcome::Waiting; });
		OutResponse = std::move(Response);
		return Outcome;
	}

private:
	mutable std::mutex Mutex;
	std::condition_variable HandedOver;
	TUniquePtr<FHttpServerResponse> Response;
	bool bAnswered = false;
	EOutcome Outcome = EOutcome::Waiting;
};

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
		std::lock_guard<std::mutex> Guard(ExchangeMutex);
		bAcceptingExchanges = true;
	}
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
	// Socket threads waiting for a tick would keep the library's stop waiting for them.
	Abandon();
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

void FHttpListener::Abandon()
{
	std::deque<std::shared_ptr<FHttpServerExchange>> Dropped;
	{
		std::lock_guard<std::mutex> Guard(ExchangeMutex);
		bAcceptingExchanges = false;
		Dropped.swap(Exchanges);
	}
	for (const std::shared_ptr<FHttpServerExchange>& Exchange : Dropped)
	{
		Exchange->HandOver(FHttpServerExchange::EOutcome::Refused);
	}
}

int32 FHttpListener::GetWaitingCount() const
{
	std::lock_guard<std::mutex> Guard(ExchangeMutex);
	return static_cast<int32>(Exchanges.size());
}

void FHttpListener::TickGameThread()
{
	std::vector<std::shared_ptr<FHttpServerExchange>> Current;
	{
		std::lock_guard<std::mutex> Guard(ExchangeMutex);
		Current.assign(Exchanges.begin(), Exchanges.end());
	}
	if (Current.empty())
	{
		return;
	}
	using EOutcome = FHttpServerExchange::EOutcome;
	const auto Now = std::chrono::steady_clock::now();
	for (const std::shared_ptr<FHttpServerExchange>& Exchange : Current)
	{
		if (!Exchange->bDispatched)
		{
			Exchange->bDispatched = true;
			Exchange->DispatchTime = Now;
			const EHttpServerRequestVerbs Verb = Exchange->Request.Verb;
			const FHttpRequestHandler Handler = Router->FindHandler(Exchange->Path, Verb);
			const FHttpResultCallback OnComplete = [Exchange](TUniquePtr<FHttpServerResponse>&& Answer) { Exchange->Answer(std::move(Answer)); };
			if (Verb == EHttpServerRequestVerbs::VERB_NONE || !Handler.IsBound() || !Handler.Execute(Exchange->Request, OnComplete))
			{
				Exchange->HandOver(EOutcome::NotFound);
				continue;
			}
		}
		if (Exchange->HasAnswer())
		{
			Exchange->HandOver(EOutcome::Answered);
		}
		else if (Now - Exchange->DispatchTime >= GHandlerTimeout)
		{
			Exchange->HandOver(EOutcome::NoAnswer);
		}
	}
	std::lock_guard<std::mutex> Guard(ExchangeMutex);
	std::erase_if(Exchanges, [](const std::shared_ptr<FHttpServerExchange>& Exchange) { return Exchange->IsHandedOver(); });
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

void FHttpListener::HandleRequest(const httplib::Request& Request, httplib::Response& Response)
{
	const std::shared_ptr<FHttpServerExchange> Exchange = std::make_shared<FHttpServerExchange>();
	FHttpServerRequest& ServerRequest = Exchange->Request;
	ServerRequest.Verb = ToVerb(Request.method);
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
	Exchange->Path = UE::Host::FromUtf8(Request.path);

	{
		std::lock_guard<std::mutex> Guard(ExchangeMutex);
		if (bAcceptingExchanges)
		{
			Exchanges.push_back(Exchange);
		}
		else
		{
			Exchange->HandOver(FHttpServerExchange::EOutcome::Refused);
		}
	}

	TUniquePtr<FHttpServerResponse> Answer;
	switch (Exchange->WaitForHandOver(Answer))
	{
	case FHttpServerExchange::EOutcome::NotFound:
		AnswerNotFound(Response);
		return;
	case FHttpServerExchange::EOutcome::Refused:
		Response.status = 503;
		Response.set_content("Server stopping", "text/plain");
		return;
	default:
		break;
	}
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
