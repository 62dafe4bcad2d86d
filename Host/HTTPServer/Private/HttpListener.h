// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HAL/Platform.h"
#include "Templates/SharedPointer.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

class FHttpRouter;
namespace httplib
{
	class Server;
	struct Request;
	struct Response;
}

struct FHttpServerExchange;

// One port's listener on the loopback address. Binding, accepting and reading requests happen on
// its own threads; route handlers run, and their answers are handed back to the connections, only
// in TickGameThread, as the engine's server does from its core-ticker tick.
class FHttpListener
{
public:
	FHttpListener(uint32 InPort, TSharedRef<FHttpRouter> InRouter);
	~FHttpListener();
	FHttpListener(const FHttpListener&) = delete;
	FHttpListener& operator=(const FHttpListener&) = delete;

	// Binds 127.0.0.1:Port and starts accepting; true when the listener is listening afterwards.
	bool StartListening();
	// Stops accepting, lets requests in progress finish and joins the thread.
	void StopListening();

	// Game thread, from the module's tick: runs the handlers of the requests read so far and hands
	// over the answers that are ready.
	void TickGameThread();
	// Requests read and waiting for a tick to route them or to hand their answer over.
	int32 GetWaitingCount() const;

	bool IsListening() const { return bListening.load(); }
	uint32 GetPort() const { return Port; }
	const TSharedRef<FHttpRouter>& GetRouter() const { return Router; }

private:
	enum class EBindState : uint8
	{
		Pending,
		Bound,
		Failed,
	};

	void Run();
	void HandleRequest(const httplib::Request& Request, httplib::Response& Response);
	void ReportBind(EBindState State);
	void Abandon();

	const uint32 Port;
	const TSharedRef<FHttpRouter> Router;

	std::unique_ptr<httplib::Server> Server;
	std::thread Thread;
	std::atomic<bool> bListening{false};

	// Requests between the socket threads and the game thread's tick.
	mutable std::mutex ExchangeMutex;
	std::deque<std::shared_ptr<FHttpServerExchange>> Exchanges;
	bool bAcceptingExchanges = false;

	// The thread's progress, as the game thread waits for it.
	std::mutex StateMutex;
	std::condition_variable StateChanged;
	EBindState BindState = EBindState::Pending;
	bool bThreadDone = false;
};
