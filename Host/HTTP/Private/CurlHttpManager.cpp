// Copyright Vantle contributors. All Rights Reserved.
#include "CurlHttpManager.h"

#include "CurlHttpResponse.h"
#include "HttpLog.h"

#include <algorithm>
#include <climits>

namespace
{
	using FClock = std::chrono::steady_clock;

	// How long the worker sleeps when nothing wakes it; cancel and new requests wake it at once.
	constexpr int IdlePollMs = 250;
	// Limit for establishing the connection when the request sets no total limit.
	constexpr long DefaultConnectTimeoutMs = 60000;

	bool InitCurlOnce()
	{
		static const bool bInitialized = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
		return bInitialized;
	}

	EHttpFailureReason ReasonFor(CURLcode Result)
	{
		switch (Result)
		{
		case CURLE_OPERATION_TIMEDOUT:
			return EHttpFailureReason::TimedOut;
		case CURLE_COULDNT_CONNECT:
		case CURLE_COULDNT_RESOLVE_HOST:
		case CURLE_COULDNT_RESOLVE_PROXY:
		case CURLE_SSL_CONNECT_ERROR:
			return EHttpFailureReason::ConnectionError;
		default:
			return EHttpFailureReason::Other;
		}
	}

	FString TrimLine(const char* Data, size_t Size)
	{
		FString Line = UE::Host::FromUtf8(std::string_view(Data, Size));
		return Line.TrimStartAndEnd();
	}
}

struct FCurlHttpManager::FTransfer
{
	FTransfer(const TSharedRef<FCurlHttpRequest, ESPMode::ThreadSafe>& InRequest, FHttpRequestSetup&& InSetup, const std::shared_ptr<FHttpRun>& InRun)
		: Request(InRequest), Setup(std::move(InSetup)), Run(InRun)
	{
	}

	~FTransfer()
	{
		if (Easy)
		{
			curl_easy_cleanup(Easy);
		}
		if (HeaderList)
		{
			curl_slist_free_all(HeaderList);
		}
	}

	TSharedRef<FCurlHttpRequest, ESPMode::ThreadSafe> Request;
	FHttpRequestSetup Setup;
	std::shared_ptr<FHttpRun> Run;
	CURL* Easy = nullptr;
	curl_slist* HeaderList = nullptr;
	bool bInMulti = false;
	// The body would not fit the engine's int32-sized array.
	bool bTooLarge = false;
	TArray<uint8> Body;
	FHttpHeaders ResponseHeaders;
	uint64 QueuedSent = 0;
	uint64 QueuedReceived = 0;
};

FCurlHttpManager::FCurlHttpManager() = default;

FCurlHttpManager::~FCurlHttpManager()
{
	Shutdown();
}

bool FCurlHttpManager::Start()
{
	if (!InitCurlOnce())
	{
		UE_LOG(LogHttp, Error, TEXT("curl could not be initialised; HTTP requests will be refused."));
		return false;
	}
	std::lock_guard<std::mutex> Guard(Mutex);
	Multi = curl_multi_init();
	if (!Multi)
	{
		UE_LOG(LogHttp, Error, TEXT("curl multi handle could not be created; HTTP requests will be refused."));
		return false;
	}
	Worker = std::thread([this]() { Run(); });
	return true;
}

void FCurlHttpManager::Shutdown()
{
	{
		std::lock_guard<std::mutex> Guard(Mutex);
		bStopping = true;
	}
	WakeUp();
	if (Worker.joinable())
	{
		// A worker-thread delegate must not unload the module that runs it.
		check(Worker.get_id() != std::this_thread::get_id());
		Worker.join();
	}

	// The worker has queued the cancelled completions; they run here so each fires exactly once.
	for (;;)
	{
		std::deque<std::function<void()>> Tasks;
		{
			std::lock_guard<std::mutex> Guard(Mutex);
			if (GameThreadTasks.empty())
			{
				bAcceptingGameThreadTasks = false;
				break;
			}
			Tasks.swap(GameThreadTasks);
		}
		for (std::function<void()>& Task : Tasks)
		{
			Task();
		}
	}

	std::lock_guard<std::mutex> Guard(Mutex);
	if (Multi)
	{
		curl_multi_cleanup(Multi);
		Multi = nullptr;
	}
}

bool FCurlHttpManager::Submit(const TSharedRef<FCurlHttpRequest, ESPMode::ThreadSafe>& Request, FHttpRequestSetup&& Setup, const std::shared_ptr<FHttpRun>& Run)
{
	{
		std::lock_guard<std::mutex> Guard(Mutex);
		if (bStopping || !Multi)
		{
			return false;
		}
		Incoming.push_back(std::make_unique<FTransfer>(Request, std::move(Setup), Run));
		++InFlight;
	}
	WakeUp();
	return true;
}

void FCurlHttpManager::WakeUp()
{
	// curl_multi_wakeup is the one multi call that is safe from other threads; the lock keeps
	// the handle from being cleaned up meanwhile.
	std::lock_guard<std::mutex> Guard(Mutex);
	if (Multi)
	{
		curl_multi_wakeup(Multi);
	}
}

bool FCurlHttpManager::QueueGameThreadTask(std::function<void()>&& Task)
{
	std::lock_guard<std::mutex> Guard(Mutex);
	if (!bAcceptingGameThreadTasks)
	{
		return false;
	}
	GameThreadTasks.push_back(std::move(Task));
	return true;
}

void FCurlHttpManager::TickGameThread()
{
	std::deque<std::function<void()>> Tasks;
	{
		std::lock_guard<std::mutex> Guard(Mutex);
		Tasks.swap(GameThreadTasks);
	}
	for (std::function<void()>& Task : Tasks)
	{
		Task();
	}
}

int32 FCurlHttpManager::GetInFlightCount() const
{
	std::lock_guard<std::mutex> Guard(Mutex);
	return InFlight;
}

int32 FCurlHttpManager::GetGameThreadTaskCount() const
{
	std::lock_guard<std::mutex> Guard(Mutex);
	return static_cast<int32>(GameThreadTasks.size());
}

void FCurlHttpManager::Run()
{
	for (;;)
	{
		std::vector<std::unique_ptr<FTransfer>> Adopted;
		bool bStop = false;
		{
			std::lock_guard<std::mutex> Guard(Mutex);
			bStop = bStopping;
			Adopted.swap(Incoming);
		}
		for (std::unique_ptr<FTransfer>& Transfer : Adopted)
		{
			if (bStop || Transfer->Run->bCancelRequested.load())
			{
				FailTransfer(*Transfer, EHttpFailureReason::Cancelled);
			}
			else if (StartTransfer(*Transfer))
			{
				Active.push_back(std::move(Transfer));
			}
			else
			{
				FailTransfer(*Transfer, EHttpFailureReason::Other);
			}
		}

		// Shutdown, cancels and total time limits end transfers without waiting for curl.
		const FClock::time_point Now = FClock::now();
		for (auto It = Active.begin(); It != Active.end();)
		{
			FTransfer& Transfer = **It;
			const bool bCancelled = bStop || Transfer.Run->bCancelRequested.load();
			const bool bTimedOut = Transfer.Setup.bHasDeadline && Now >= Transfer.Setup.Deadline;
			if (bCancelled || bTimedOut)
			{
				FailTransfer(Transfer, bCancelled ? EHttpFailureReason::Cancelled : EHttpFailureReason::TimedOut);
				It = Active.erase(It);
				continue;
			}
			++It;
		}
		if (bStop)
		{
			return;
		}

		int RunningHandles = 0;
		curl_multi_perform(Multi, &RunningHandles);
		int MessagesLeft = 0;
		while (CURLMsg* Message = curl_multi_info_read(Multi, &MessagesLeft))
		{
			if (Message->msg != CURLMSG_DONE)
			{
				continue;
			}
			auto It = std::find_if(Active.begin(), Active.end(),
								   [Message](const std::unique_ptr<FTransfer>& Transfer) { return Transfer->Easy == Message->easy_handle; });
			if (It != Active.end())
			{
				CompleteTransfer(**It, Message->data.result);
				Active.erase(It);
			}
		}
		for (std::unique_ptr<FTransfer>& Transfer : Active)
		{
			QueueProgress(*Transfer);
		}

		int WaitMs = IdlePollMs;
		const FClock::time_point After = FClock::now();
		for (const std::unique_ptr<FTransfer>& Transfer : Active)
		{
			if (Transfer->Setup.bHasDeadline)
			{
				const auto Left = std::chrono::duration_cast<std::chrono::milliseconds>(Transfer->Setup.Deadline - After).count() + 1;
				WaitMs = std::clamp(static_cast<int>(std::min<long long>(Left, IdlePollMs)), 0, WaitMs);
			}
		}
		curl_multi_poll(Multi, nullptr, 0, WaitMs, nullptr);
	}
}

bool FCurlHttpManager::StartTransfer(FTransfer& Transfer)
{
	Transfer.Easy = curl_easy_init();
	if (!Transfer.Easy)
	{
		return false;
	}
	CURL* Easy = Transfer.Easy;
	const FHttpRequestSetup& Setup = Transfer.Setup;

	curl_easy_setopt(Easy, CURLOPT_URL, Setup.Url.c_str());
	curl_easy_setopt(Easy, CURLOPT_PROTOCOLS_STR, "http,https");
	curl_easy_setopt(Easy, CURLOPT_NOSIGNAL, 1L);
	// Loopback and every other address go direct, whatever the environment's proxy settings.
	curl_easy_setopt(Easy, CURLOPT_PROXY, "");
	curl_easy_setopt(Easy, CURLOPT_NOPROXY, "*");
	curl_easy_setopt(Easy, CURLOPT_FOLLOWLOCATION, 0L);
	curl_easy_setopt(Easy, CURLOPT_CONNECTTIMEOUT_MS, DefaultConnectTimeoutMs);

	if (Setup.Verb == "GET")
	{
		curl_easy_setopt(Easy, CURLOPT_HTTPGET, 1L);
	}
	else if (Setup.Verb == "HEAD")
	{
		curl_easy_setopt(Easy, CURLOPT_NOBODY, 1L);
	}
	else
	{
		// Never a null pointer: curl would read the body from a callback instead.
		curl_easy_setopt(Easy, CURLOPT_POSTFIELDS, Setup.Body.empty() ? "" : reinterpret_cast<const char*>(Setup.Body.data()));
		curl_easy_setopt(Easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(Setup.Body.size()));
		if (Setup.Verb != "POST")
		{
			curl_easy_setopt(Easy, CURLOPT_CUSTOMREQUEST, Setup.Verb.c_str());
		}
	}

	for (const std::string& Line : Setup.HeaderLines)
	{
		Transfer.HeaderList = curl_slist_append(Transfer.HeaderList, Line.c_str());
	}
	// Only the headers the caller set: no 100-continue round trip, no invented content type.
	Transfer.HeaderList = curl_slist_append(Transfer.HeaderList, "Expect:");
	if (!Setup.bHasContentType)
	{
		Transfer.HeaderList = curl_slist_append(Transfer.HeaderList, "Content-Type:");
	}
	curl_easy_setopt(Easy, CURLOPT_HTTPHEADER, Transfer.HeaderList);

	curl_easy_setopt(Easy, CURLOPT_WRITEFUNCTION, &FCurlHttpManager::OnWrite);
	curl_easy_setopt(Easy, CURLOPT_WRITEDATA, &Transfer);
	curl_easy_setopt(Easy, CURLOPT_HEADERFUNCTION, &FCurlHttpManager::OnHeader);
	curl_easy_setopt(Easy, CURLOPT_HEADERDATA, &Transfer);
	curl_easy_setopt(Easy, CURLOPT_NOPROGRESS, 0L);
	curl_easy_setopt(Easy, CURLOPT_XFERINFOFUNCTION, &FCurlHttpManager::OnTransferInfo);
	curl_easy_setopt(Easy, CURLOPT_XFERINFODATA, &Transfer);

	if (curl_multi_add_handle(Multi, Easy) != CURLM_OK)
	{
		return false;
	}
	Transfer.bInMulti = true;
	return true;
}

void FCurlHttpManager::CompleteTransfer(FTransfer& Transfer, CURLcode Result)
{
	if (Transfer.Run->bCancelRequested.load())
	{
		FailTransfer(Transfer, EHttpFailureReason::Cancelled);
		return;
	}
	if (Result != CURLE_OK || Transfer.bTooLarge)
	{
		if (Transfer.bTooLarge)
		{
			UE_LOG(LogHttp, Warning, TEXT("HTTP response from %s is larger than a byte array can hold."), *UE::Host::FromUtf8(Transfer.Setup.Url));
		}
		FailTransfer(Transfer, Transfer.bTooLarge ? EHttpFailureReason::Other : ReasonFor(Result));
		return;
	}

	long Code = 0;
	curl_easy_getinfo(Transfer.Easy, CURLINFO_RESPONSE_CODE, &Code);
	char* Effective = nullptr;
	curl_easy_getinfo(Transfer.Easy, CURLINFO_EFFECTIVE_URL, &Effective);
	const FString Url = UE::Host::FromUtf8(Transfer.Setup.Url);
	const FString EffectiveUrl = Effective ? UE::Host::FromUtf8(Effective) : Url;

	curl_multi_remove_handle(Multi, Transfer.Easy);
	Transfer.bInMulti = false;
	{
		std::lock_guard<std::mutex> Guard(Mutex);
		--InFlight;
	}
	QueueProgress(Transfer);
	const FHttpResponsePtr Response =
		MakeShared<FCurlHttpResponse>(Url, EffectiveUrl, static_cast<int32>(Code), std::move(Transfer.ResponseHeaders), std::move(Transfer.Body));
	Transfer.Request->FinishRun(Transfer.Run, true, EHttpFailureReason::None, Response);
}

void FCurlHttpManager::FailTransfer(FTransfer& Transfer, EHttpFailureReason Reason)
{
	if (Transfer.bInMulti)
	{
		curl_multi_remove_handle(Multi, Transfer.Easy);
		Transfer.bInMulti = false;
	}
	{
		std::lock_guard<std::mutex> Guard(Mutex);
		--InFlight;
	}
	Transfer.Request->FinishRun(Transfer.Run, false, Reason, FHttpResponsePtr());
}

void FCurlHttpManager::QueueProgress(FTransfer& Transfer)
{
	const uint64 Sent = Transfer.Run->BytesSent.load();
	const uint64 Received = Transfer.Run->BytesReceived.load();
	if (Sent == Transfer.QueuedSent && Received == Transfer.QueuedReceived)
	{
		return;
	}
	Transfer.QueuedSent = Sent;
	Transfer.QueuedReceived = Received;

	if (Transfer.Run->Policy == EHttpRequestDelegateThreadPolicy::CompleteOnHttpThread)
	{
		Transfer.Request->ReportProgress(Transfer.Run);
		return;
	}
	// One report in the queue at a time; it reads the latest counts when it runs.
	if (Transfer.Run->bProgressQueued.exchange(true))
	{
		return;
	}
	TSharedRef<FCurlHttpRequest, ESPMode::ThreadSafe> Request = Transfer.Request;
	std::shared_ptr<FHttpRun> Run = Transfer.Run;
	const bool bQueued = QueueGameThreadTask(
		[Request, Run]()
		{
			Run->bProgressQueued.store(false);
			Request->ReportProgress(Run);
		});
	if (!bQueued)
	{
		Run->bProgressQueued.store(false);
	}
}

size_t FCurlHttpManager::OnWrite(char* Data, size_t Size, size_t Count, void* UserData)
{
	FTransfer& Transfer = *static_cast<FTransfer*>(UserData);
	const size_t Bytes = Size * Count;
	// A cancel stops the download here, before more of the body is kept.
	if (Transfer.Run->bCancelRequested.load())
	{
		return Bytes == 0 ? 1 : 0;
	}
	if (Bytes > static_cast<size_t>(INT32_MAX - Transfer.Body.Num()))
	{
		Transfer.bTooLarge = true;
		return Bytes == 0 ? 1 : 0;
	}
	Transfer.Body.Append(reinterpret_cast<const uint8*>(Data), static_cast<int32>(Bytes));
	Transfer.Run->BytesReceived.fetch_add(Bytes);
	return Bytes;
}

size_t FCurlHttpManager::OnHeader(char* Data, size_t Size, size_t Count, void* UserData)
{
	FTransfer& Transfer = *static_cast<FTransfer*>(UserData);
	const size_t Bytes = Size * Count;
	const FString Line = TrimLine(Data, Bytes);
	if (Line.StartsWith(TEXT("HTTP/"), ESearchCase::CaseSensitive))
	{
		// A new status line (after 100 Continue, say) starts a new set of headers.
		Transfer.ResponseHeaders.Reset();
		return Bytes;
	}
	int32 Colon = INDEX_NONE;
	if (Line.FindChar(u':', Colon) && Colon > 0)
	{
		Transfer.ResponseHeaders.Merge(Line.Left(Colon).TrimStartAndEnd(), Line.Mid(Colon + 1).TrimStartAndEnd());
	}
	return Bytes;
}

int FCurlHttpManager::OnTransferInfo(void* UserData, curl_off_t DownloadTotal, curl_off_t DownloadNow, curl_off_t UploadTotal, curl_off_t UploadNow)
{
	FTransfer& Transfer = *static_cast<FTransfer*>(UserData);
	if (UploadNow > 0)
	{
		Transfer.Run->BytesSent.store(static_cast<uint64>(UploadNow));
	}
	return Transfer.Run->bCancelRequested.load() ? 1 : 0;
}
