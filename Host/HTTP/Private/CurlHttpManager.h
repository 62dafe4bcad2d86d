// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "CurlHttpRequest.h"

#include <curl/curl.h>

#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Runs every request of the module on one worker thread with a curl multi handle, and queues the
// delegates that belong on the game thread until the module's core-ticker tick runs them.
class FCurlHttpManager
{
public:
	FCurlHttpManager();
	~FCurlHttpManager();
	FCurlHttpManager(const FCurlHttpManager&) = delete;
	FCurlHttpManager& operator=(const FCurlHttpManager&) = delete;

	// Starts the worker; false when curl cannot be set up (requests are then refused).
	bool Start();
	// Cancels every request, joins the worker and runs the delegates still queued, on the caller.
	void Shutdown();

	// Hands a started request to the worker; false once shutting down.
	bool Submit(const TSharedRef<FCurlHttpRequest, ESPMode::ThreadSafe>& Request, FHttpRequestSetup&& Setup, const std::shared_ptr<FHttpRun>& Run);
	// Makes the worker look at cancel flags now instead of at its next wake-up.
	void WakeUp();
	// Queues work for the game thread; false after shutdown, when the caller must run it itself.
	bool QueueGameThreadTask(std::function<void()>&& Task);
	// Runs the game-thread work queued so far (not what that work queues in turn).
	void TickGameThread();

	int32 GetInFlightCount() const;
	int32 GetGameThreadTaskCount() const;

private:
	struct FTransfer;

	void Run();
	bool StartTransfer(FTransfer& Transfer);
	void CompleteTransfer(FTransfer& Transfer, CURLcode Result);
	void FailTransfer(FTransfer& Transfer, EHttpFailureReason Reason);
	void QueueProgress(FTransfer& Transfer);

	static size_t OnWrite(char* Data, size_t Size, size_t Count, void* UserData);
	static size_t OnHeader(char* Data, size_t Size, size_t Count, void* UserData);
	static int OnTransferInfo(void* UserData, curl_off_t DownloadTotal, curl_off_t DownloadNow, curl_off_t UploadTotal, curl_off_t UploadNow);

	mutable std::mutex Mutex;
	CURLM* Multi = nullptr;
	std::thread Worker;
	bool bStopping = false;
	bool bAcceptingGameThreadTasks = true;
	// Handed over by Submit, adopted by the worker.
	std::vector<std::unique_ptr<FTransfer>> Incoming;
	int32 InFlight = 0;
	std::deque<std::function<void()>> GameThreadTasks;

	// Worker-only.
	std::vector<std::unique_ptr<FTransfer>> Active;
};
