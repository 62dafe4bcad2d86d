// Copyright Vantle contributors. All Rights Reserved.
#include "CurlHttpRequest.h"

#include "CurlHttpManager.h"
#include "HostHttp.h"
#include "HttpLog.h"

namespace
{
	using FClock = std::chrono::steady_clock;

	using FLock = std::lock_guard<std::recursive_mutex>;

	bool HasSupportedScheme(const FString& Url)
	{
		return (Url.StartsWith(TEXT("http://")) && Url.Len() > 7) || (Url.StartsWith(TEXT("https://")) && Url.Len() > 8);
	}
}

FCurlHttpRequest::FCurlHttpRequest(TWeakPtr<FCurlHttpManager> InManager) : Manager(std::move(InManager)) {}

const FString& FCurlHttpRequest::GetURL() const
{
	FLock Guard(Lock);
	return URL;
}

const FString& FCurlHttpRequest::GetEffectiveURL() const
{
	FLock Guard(Lock);
	return Response.IsValid() ? Response->GetEffectiveURL() : URL;
}

FString FCurlHttpRequest::GetHeader(const FString& HeaderName) const
{
	FLock Guard(Lock);
	return Headers.Get(HeaderName);
}

FString FCurlHttpRequest::GetContentType() const
{
	return GetHeader(TEXT("Content-Type"));
}

const TArray<uint8>& FCurlHttpRequest::GetContent() const
{
	FLock Guard(Lock);
	return Payload;
}

EHttpRequestStatus::Type FCurlHttpRequest::GetStatus() const
{
	FLock Guard(Lock);
	return Status;
}

EHttpFailureReason FCurlHttpRequest::GetFailureReason() const
{
	FLock Guard(Lock);
	return FailureReason;
}

FString FCurlHttpRequest::GetVerb() const
{
	FLock Guard(Lock);
	return Verb;
}

bool FCurlHttpRequest::WarnIfProcessing(const TCHAR* What) const
{
	if (!IsProcessingLocked())
	{
		return false;
	}
	UE_LOG(LogHttp, Warning, TEXT("%s ignored: the request to %s is in flight."), What, *URL);
	return true;
}

void FCurlHttpRequest::SetVerb(const FString& InVerb)
{
	FLock Guard(Lock);
	if (!WarnIfProcessing(TEXT("SetVerb")))
	{
		Verb = InVerb.ToUpper();
	}
}

void FCurlHttpRequest::SetURL(const FString& InURL)
{
	FLock Guard(Lock);
	if (!WarnIfProcessing(TEXT("SetURL")))
	{
		URL = InURL;
	}
}

void FCurlHttpRequest::SetHeader(const FString& HeaderName, const FString& HeaderValue)
{
	FLock Guard(Lock);
	if (!WarnIfProcessing(TEXT("SetHeader")))
	{
		Headers.Set(HeaderName, HeaderValue);
	}
}

void FCurlHttpRequest::SetContentAsString(const FString& ContentString)
{
	FLock Guard(Lock);
	if (!WarnIfProcessing(TEXT("SetContentAsString")))
	{
		const std::string Utf8 = UE::Host::ToUtf8(ContentString);
		Payload = TArray<uint8>(reinterpret_cast<const uint8*>(Utf8.data()), static_cast<int32>(Utf8.size()));
	}
}

void FCurlHttpRequest::SetTimeout(float InTimeoutSecs)
{
	FLock Guard(Lock);
	if (!WarnIfProcessing(TEXT("SetTimeout")))
	{
		TimeoutSecs = InTimeoutSecs > 0.0f ? InTimeoutSecs : 0.0f;
	}
}

void FCurlHttpRequest::SetDelegateThreadPolicy(EHttpRequestDelegateThreadPolicy InThreadPolicy)
{
	FLock Guard(Lock);
	if (!WarnIfProcessing(TEXT("SetDelegateThreadPolicy")))
	{
		ThreadPolicy = InThreadPolicy;
	}
}

bool FCurlHttpRequest::ProcessRequest()
{
	const TSharedPtr<FCurlHttpManager> PinnedManager = Manager.Pin();
	FHttpRequestSetup Setup;
	std::shared_ptr<FHttpRun> Run;
	FString Refusal;
	{
		FLock Guard(Lock);
		if (IsProcessingLocked())
		{
			// The run in flight still completes; this call starts nothing and completes nothing.
			UE_LOG(LogHttp, Warning, TEXT("ProcessRequest ignored: the request to %s is already in flight."), *URL);
			return false;
		}
		if (!UE::Host::IsHttpEnabled())
		{
			Refusal = FString::Printf(TEXT("Cannot process HTTP request to %s: HTTP is disabled."), *URL);
		}
		else if (URL.IsEmpty())
		{
			Refusal = TEXT("Cannot process HTTP request: URL is empty.");
		}
		else if (!HasSupportedScheme(URL))
		{
			Refusal = FString::Printf(TEXT("Cannot process HTTP request: unsupported URL %s."), *URL);
		}
		else if (!PinnedManager.IsValid())
		{
			Refusal = FString::Printf(TEXT("Cannot process HTTP request to %s: the HTTP module is not loaded."), *URL);
		}

		Run = std::make_shared<FHttpRun>();
		Run->Policy = ThreadPolicy;
		CurrentRun = Run;
		StartTime = FClock::now();
		FailureReason = EHttpFailureReason::None;
		Response.Reset();
		if (Refusal.IsEmpty())
		{
			Setup.Verb = UE::Host::ToUtf8(Verb);
			Setup.Url = UE::Host::ToUtf8(URL);
			for (const TPair<FString, FString>& Field : Headers.GetFields())
			{
				// curl sends "Name;" as a header with an empty value.
				Setup.HeaderLines.push_back(UE::Host::ToUtf8(Field.Value.IsEmpty() ? Field.Key + TEXT(";") : Field.Key + TEXT(": ") + Field.Value));
			}
			Setup.bHasContentType = Headers.Contains(TEXT("Content-Type"));
			Setup.Body.assign(Payload.begin(), Payload.end());
			if (TimeoutSecs > 0.0f)
			{
				Setup.bHasDeadline = true;
				Setup.Deadline = StartTime + std::chrono::duration_cast<FClock::duration>(std::chrono::duration<double>(TimeoutSecs));
			}
			Status = EHttpRequestStatus::Processing;
		}
		else
		{
			Status = EHttpRequestStatus::NotStarted;
		}
	}

	if (Refusal.IsEmpty() && !PinnedManager->Submit(Self(), std::move(Setup), Run))
	{
		Refusal = FString::Printf(TEXT("Cannot process HTTP request to %s: the HTTP module is shutting down."), *GetURL());
		FLock Guard(Lock);
		if (CurrentRun == Run)
		{
			Status = EHttpRequestStatus::NotStarted;
		}
	}
	if (Refusal.IsEmpty())
	{
		return true;
	}

	// The engine calls a bound completion on error too, with no response.
	UE_LOG(LogHttp, Warning, TEXT("%s"), *Refusal);
	if (UE::Host::GetHttpRefusedCompletion() == UE::Host::EHttpRefusedCompletion::NextTick &&
		Run->Policy == EHttpRequestDelegateThreadPolicy::CompleteOnGameThread && PinnedManager.IsValid())
	{
		TSharedRef<FCurlHttpRequest, ESPMode::ThreadSafe> Request = Self();
		if (PinnedManager->QueueGameThreadTask([Request, Run]() { Request->Deliver(Run, false, EHttpFailureReason::Other, FHttpResponsePtr()); }))
		{
			return false;
		}
	}
	Deliver(Run, false, EHttpFailureReason::Other, FHttpResponsePtr());
	return false;
}

void FCurlHttpRequest::CancelRequest()
{
	std::shared_ptr<FHttpRun> Run;
	bool bNeverStarted = false;
	{
		FLock Guard(Lock);
		if (Status == EHttpRequestStatus::NotStarted)
		{
			if (CurrentRun && !CurrentRun->bFinished)
			{
				return;
			}
			// Cancelling a request that never started still ends it, with a failed completion.
			Run = std::make_shared<FHttpRun>();
			Run->Policy = ThreadPolicy;
			Run->bCancelRequested.store(true);
			CurrentRun = Run;
			StartTime = FClock::now();
			bNeverStarted = true;
		}
		else if (Status == EHttpRequestStatus::Processing && CurrentRun)
		{
			Run = CurrentRun;
			Run->bCancelRequested.store(true);
		}
		else
		{
			return;
		}
	}

	if (bNeverStarted)
	{
		FinishRun(Run, false, EHttpFailureReason::Cancelled, FHttpResponsePtr());
	}
	else if (const TSharedPtr<FCurlHttpManager> PinnedManager = Manager.Pin())
	{
		PinnedManager->WakeUp();
	}
}

const FHttpResponsePtr FCurlHttpRequest::GetResponse() const
{
	FLock Guard(Lock);
	return Response;
}

void FCurlHttpRequest::FinishRun(const std::shared_ptr<FHttpRun>& Run, bool bSucceeded, EHttpFailureReason Reason, const FHttpResponsePtr& InResponse)
{
	if (Run->Policy == EHttpRequestDelegateThreadPolicy::CompleteOnGameThread)
	{
		if (const TSharedPtr<FCurlHttpManager> PinnedManager = Manager.Pin())
		{
			TSharedRef<FCurlHttpRequest, ESPMode::ThreadSafe> Request = Self();
			if (PinnedManager->QueueGameThreadTask([Request, Run, bSucceeded, Reason, InResponse]() { Request->Deliver(Run, bSucceeded, Reason, InResponse); }))
			{
				return;
			}
		}
	}
	// Worker policy, or no game-thread queue any more (the module has shut down): deliver here.
	Deliver(Run, bSucceeded, Reason, InResponse);
}

void FCurlHttpRequest::ReportProgress(const std::shared_ptr<FHttpRun>& Run)
{
	uint64 Sent = 0;
	uint64 Received = 0;
	{
		FLock Guard(Lock);
		if (Run != CurrentRun || Run->bFinished)
		{
			return;
		}
		Sent = Run->BytesSent.load();
		Received = Run->BytesReceived.load();
		if (Sent == Run->ReportedSent && Received == Run->ReportedReceived)
		{
			return;
		}
		Run->ReportedSent = Sent;
		Run->ReportedReceived = Received;
	}
	ProgressDelegate.ExecuteIfBound(Self(), Sent, Received);
}

void FCurlHttpRequest::Deliver(const std::shared_ptr<FHttpRun>& Run, bool bSucceeded, EHttpFailureReason Reason, const FHttpResponsePtr& InResponse)
{
	bool bFinalProgress = false;
	uint64 Sent = 0;
	uint64 Received = 0;
	{
		FLock Guard(Lock);
		if (Run != CurrentRun || Run->bFinished)
		{
			return;
		}
		Run->bFinished = true;
		Status = bSucceeded ? EHttpRequestStatus::Succeeded : EHttpRequestStatus::Failed;
		FailureReason = bSucceeded ? EHttpFailureReason::None : Reason;
		Response = InResponse;
		Sent = Run->BytesSent.load();
		Received = Run->BytesReceived.load();
		bFinalProgress = Sent != Run->ReportedSent || Received != Run->ReportedReceived;
		Run->ReportedSent = Sent;
		Run->ReportedReceived = Received;
	}

	TSharedRef<FCurlHttpRequest, ESPMode::ThreadSafe> Request = Self();
	if (bFinalProgress)
	{
		ProgressDelegate.ExecuteIfBound(Request, Sent, Received);
	}
	CompleteDelegate.ExecuteIfBound(Request, InResponse, bSucceeded);
}
