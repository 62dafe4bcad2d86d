// Copyright Vantle contributors. All Rights Reserved.
// Host-only controls and probes of the Core stand-in, for the headless editor and the tests.
// The plugin never includes this header.
#pragma once

#include "Containers/Array.h"
#include "Containers/UnrealString.h"

#include <string>

class FOutputDevice;
class FTSTicker;

namespace UE::Host
{
	// A manual clock makes FPlatformTime::Seconds return a value that only AdvanceClock moves.
	CORE_API void UseManualClock(double StartSeconds = 1000.0);
	CORE_API void UseRealClock();
	CORE_API void AdvanceClock(double Seconds);

	// Tickers of the given ticker that are still scheduled.
	CORE_API int32 GetActiveTickerCount(FTSTicker& Ticker);
	// Lets tests run code as if the editor had no global log.
	CORE_API void SetGlobalLogAvailable(bool bAvailable);
	// Writes Size bytes to the file (replacing it, or appending with FILEWRITE_Append), creating
	// missing parent folders as the engine's file writer does. False when it cannot be written.
	CORE_API bool WriteFileBytes(const TCHAR* Filename, const void* Data, int64 Size, uint32 WriteFlags = 0);
	CORE_API bool ReadFileBytes(const TCHAR* Filename, std::string& OutBytes);
	// Appends the UTF-8 bytes of one code point.
	CORE_API void AppendUtf8(std::string& Out, uint32 CodePoint);
	// Text for one-line probe output: backslash, quote, line feed, carriage return and tab escaped.
	CORE_API FString EscapeForProbe(const FString& Text);
	// Formats a line as the headless editor prints it: "Category: Verbosity: Message".
	CORE_API FString FormatLogLine(const TCHAR* Message, uint8 Verbosity, const FString& Category);
}
