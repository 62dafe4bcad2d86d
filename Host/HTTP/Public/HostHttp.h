// Copyright Vantle contributors. All Rights Reserved.
// Host-only probes of the HTTP stand-in, for tests and the headless editor. The plugin never
// includes this header.
#pragma once

#include "HAL/Platform.h"

namespace UE::Host
{
	// Requests of the loaded HTTP module that are queued or transferring; 0 when it is not loaded.
	HTTP_API int32 GetHttpRequestsInFlight();
	// Completions and progress reports waiting for the next core-ticker tick; 0 when not loaded.
	HTTP_API int32 GetHttpGameThreadTasksPending();
	// With HTTP disabled, as the engine's HTTP configuration can disable it, ProcessRequest refuses
	// every request: it returns false and the bound completion runs with no response and
	// bConnectedSuccessfully false. On by default.
	HTTP_API void SetHttpEnabled(bool bEnabled);
	HTTP_API bool IsHttpEnabled();

	// When the completion of a request that ProcessRequest refuses runs: inside ProcessRequest,
	// before it returns (the default), or from the next core-ticker tick on the game thread.
	enum class EHttpRefusedCompletion : uint8
	{
		InsideProcessRequest,
		NextTick,
	};
	HTTP_API void SetHttpRefusedCompletion(EHttpRefusedCompletion When);
	HTTP_API EHttpRefusedCompletion GetHttpRefusedCompletion();
}
