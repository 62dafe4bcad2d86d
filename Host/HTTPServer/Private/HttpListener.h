// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HAL/Platform.h"
#include "Templates/SharedPointer.h"

#include <atomic>
#include <condition_variable>
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

// One port's listener on the loopback address. Binding, serving and the listener's log lines all
// happen on its own thread; the game thread starts and stops it and waits for the outcome.
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
	void HandleRequest(const httplib::Request& Request, httplib::Response& Response) const;
	void ReportBind(EBindState State);

	const uint32 Port;
	const TSharedRef<FHttpRouter> Router;

	std::unique_ptr<httplib::Server> Server;
	std::thread Thread;
	std::atomic<bool> bListening{false};

	// The thread's progress, as the game thread waits for it.
	std::mutex StateMutex;
	std::condition_variable StateChanged;
	EBindState BindState = EBindState::Pending;
	bool bThreadDone = false;
};
