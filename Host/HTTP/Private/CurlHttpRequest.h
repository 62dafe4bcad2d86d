// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HttpHeaders.h"
#include "Interfaces/IHttpRequest.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class FCurlHttpManager;

// One run of a request, from ProcessRequest to its completion. The worker writes the counters;
// the fields under "delivery" belong to the request's lock.
struct FHttpRun
{
	EHttpRequestDelegateThreadPolicy Policy = EHttpRequestDelegateThreadPolicy::CompleteOnGameThread;
	std::atomic<bool> bCancelRequested{false};
	std::atomic<uint64> BytesSent{0};
	std::atomic<uint64> BytesReceived{0};
	// Set while a progress report for this run waits in the game-thread queue.
	std::atomic<bool> bProgressQueued{false};

	// Delivery state.
	bool bFinished = false;
	uint64 ReportedSent = 0;
	uint64 ReportedReceived = 0;
};

// What the worker needs to send a request, copied when it starts so later setter calls cannot race.
struct FHttpRequestSetup
{
	std::string Verb;
	std::string Url;
	std::vector<std::string> HeaderLines;
	std::vector<uint8> Body;
	bool bHasContentType = false;
	// Absent: no total limit.
	bool bHasDeadline = false;
	std::chrono::steady_clock::time_point Deadline;
};

class FCurlHttpRequest : public IHttpRequest
{
public:
	explicit FCurlHttpRequest(TWeakPtr<FCurlHttpManager> InManager);

	// IHttpBase
	const FString& GetURL() const override;
	const FString& GetEffectiveURL() const override;
	FString GetHeader(const FString& HeaderName) const override;
	FString GetContentType() const override;
	const TArray<uint8>& GetContent() const override;
	EHttpRequestStatus::Type GetStatus() const override;
	EHttpFailureReason GetFailureReason() const override;

	// IHttpRequest
	FString GetVerb() const override;
	void SetVerb(const FString& InVerb) override;
	void SetURL(const FString& InURL) override;
	void SetHeader(const FString& HeaderName, const FString& HeaderValue) override;
	void SetContentAsString(const FString& ContentString) override;
	void SetTimeout(float InTimeoutSecs) override;
	void SetDelegateThreadPolicy(EHttpRequestDelegateThreadPolicy InThreadPolicy) override;
	bool ProcessRequest() override;
	FHttpRequestCompleteDelegate& OnProcessRequestComplete() override { return CompleteDelegate; }
	FHttpRequestProgressDelegate64& OnRequestProgress64() override { return ProgressDelegate; }
	void CancelRequest() override;
	const FHttpResponsePtr GetResponse() const override;

	// Worker side: the run ended. Delivers now (worker policy) or through the game-thread queue.
	void FinishRun(const std::shared_ptr<FHttpRun>& Run, bool bSucceeded, EHttpFailureReason Reason, const FHttpResponsePtr& InResponse);
	// Reports new byte counts of the run, if any, on the calling thread.
	void ReportProgress(const std::shared_ptr<FHttpRun>& Run);

private:
	bool IsProcessingLocked() const { return Status == EHttpRequestStatus::Processing; }
	bool WarnIfProcessing(const TCHAR* What) const;
	void Deliver(const std::shared_ptr<FHttpRun>& Run, bool bSucceeded, EHttpFailureReason Reason, const FHttpResponsePtr& InResponse);
	TSharedRef<FCurlHttpRequest, ESPMode::ThreadSafe> Self() { return SharedThis(this); }

	const TWeakPtr<FCurlHttpManager> Manager;

	mutable std::recursive_mutex Lock;
	FString Verb = TEXT("GET");
	FString URL;
	FHttpHeaders Headers;
	TArray<uint8> Payload;
	float TimeoutSecs = 0.0f;
	EHttpRequestDelegateThreadPolicy ThreadPolicy = EHttpRequestDelegateThreadPolicy::CompleteOnGameThread;

	EHttpRequestStatus::Type Status = EHttpRequestStatus::NotStarted;
	EHttpFailureReason FailureReason = EHttpFailureReason::None;
	FHttpResponsePtr Response;
	std::shared_ptr<FHttpRun> CurrentRun;
	std::chrono::steady_clock::time_point StartTime;

	FHttpRequestCompleteDelegate CompleteDelegate;
	FHttpRequestProgressDelegate64 ProgressDelegate;
};
