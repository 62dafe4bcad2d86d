// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Delegates/Delegate.h"
#include "HttpFwd.h"
#include "Interfaces/IHttpBase.h"
#include "Interfaces/IHttpResponse.h"

// Declared here, where the reference places them.
typedef TSharedPtr<IHttpRequest, ESPMode::ThreadSafe> FHttpRequestPtr;
typedef TSharedRef<IHttpRequest, ESPMode::ThreadSafe> FHttpRequestRef;
typedef TSharedPtr<IHttpResponse, ESPMode::ThreadSafe> FHttpResponsePtr;

// Which thread runs a request's delegates.
enum class EHttpRequestDelegateThreadPolicy : uint8
{
	// From the HTTP manager's tick of the core ticker, on the game thread (the default).
	CompleteOnGameThread = 0,
	// On the HTTP worker thread, as soon as the event happens.
	CompleteOnHttpThread,
};

// Called once when a request ends: success, failure, time-out or cancel. The bool is true only
// when a response arrived (which may still carry an error status).
using FHttpRequestCompleteDelegate = TTSDelegate<void(FHttpRequestPtr /*Request*/, FHttpResponsePtr /*Response*/, bool /*bConnectedSuccessfully*/)>;
// Called as bytes go out and come in, with the totals so far.
using FHttpRequestProgressDelegate64 = TTSDelegate<void(FHttpRequestPtr /*Request*/, uint64 /*BytesSent*/, uint64 /*BytesReceived*/)>;

// One HTTP request: set it up, process it, get one completion.
class IHttpRequest : public IHttpBase, public TSharedFromThis<IHttpRequest, ESPMode::ThreadSafe>
{
public:
	virtual ~IHttpRequest() = default;

	// The verb, upper case; "GET" unless set.
	virtual FString GetVerb() const = 0;
	// Sets the verb (stored upper case). Ignored with a warning while the request is processing.
	virtual void SetVerb(const FString& Verb) = 0;
	// Sets the URL. Ignored with a warning while the request is processing.
	virtual void SetURL(const FString& URL) = 0;
	// Sets a header, replacing one of the same name (names ignore case).
	virtual void SetHeader(const FString& HeaderName, const FString& HeaderValue) = 0;
	// Sets the payload to the text encoded as UTF-8. Ignored with a warning while the request is processing.
	virtual void SetContentAsString(const FString& ContentString) = 0;
	// Limits the whole request (connect, send, receive) to this many seconds; 0 means no limit.
	virtual void SetTimeout(float InTimeoutSecs) = 0;
	// Chooses the thread that runs the completion and progress delegates.
	virtual void SetDelegateThreadPolicy(EHttpRequestDelegateThreadPolicy InThreadPolicy) = 0;

	// Starts the request. False (and no completion) for an empty URL, a scheme other than http or
	// https, a request already processing, or when the HTTP module is not loaded.
	virtual bool ProcessRequest() = 0;
	// The completion delegate, called whenever it is bound when the request ends.
	virtual FHttpRequestCompleteDelegate& OnProcessRequestComplete() = 0;
	// The progress delegate, called as bytes are sent and received.
	virtual FHttpRequestProgressDelegate64& OnRequestProgress64() = 0;
	// Ends a processing request as failed (reason Cancelled); its completion still fires, with
	// bConnectedSuccessfully false and no response.
	virtual void CancelRequest() = 0;

	// The response of a completed request; null before completion and after a failure.
	virtual const FHttpResponsePtr GetResponse() const = 0;
};
