// Copyright 2026 Vantle contributors. All Rights Reserved.
#include "McpLogWatcher.h"

#include "CoreGlobals.h"
#include "Misc/OutputDeviceRedirector.h"
#include "Misc/ScopeLock.h"

namespace
{
	// Compared by name index only: lines of every other category cost one integer compare.
	const FName McpCategory(TEXT("LogModelContextProtocol"));
	const FName ListenerCategory(TEXT("LogHttpListener"));

	const TCHAR StartPrefix[] = TEXT("Starting MCP server on port ");
	const TCHAR CreatedPrefix[] = TEXT("Created new HttpListener on ");
	const TCHAR BindFailedPrefix[] = TEXT("HttpListener unable to bind to ");
	const TCHAR StoppedPrefix[] = TEXT("HttpListener stopping listening on Port ");

	// The port as "%d" writes it, kept on the stack so that a log line costs no allocation.
	struct FPortDigits
	{
		TCHAR Text[16];
		int32 Len = 0;

		explicit FPortDigits(int32 Port)
		{
			TCHAR Reversed[16];
			int32 Count = 0;
			int64 Value = Port < 0 ? -static_cast<int64>(Port) : Port;
			do
			{
				Reversed[Count++] = static_cast<TCHAR>(TEXT('0') + Value % 10);
				Value /= 10;
			} while (Value > 0);
			if (Port < 0)
			{
				Text[Len++] = TEXT('-');
			}
			while (Count > 0)
			{
				Text[Len++] = Reversed[--Count];
			}
		}
	};

	TCHAR FoldCase(TCHAR Ch)
	{
		return Ch >= TEXT('A') && Ch <= TEXT('Z') ? static_cast<TCHAR>(Ch + 32) : Ch;
	}

	// Matches Piece at Line[Offset], ignoring case; advances Offset past it on success.
	bool MatchAt(const TCHAR* Line, int32 LineLen, int32& Offset, const TCHAR* Piece, int32 PieceLen)
	{
		if (Offset + PieceLen > LineLen)
		{
			return false;
		}
		for (int32 Index = 0; Index < PieceLen; ++Index)
		{
			if (FoldCase(Line[Offset + Index]) != FoldCase(Piece[Index]))
			{
				return false;
			}
		}
		Offset += PieceLen;
		return true;
	}

	template <int32 N>
	bool MatchAt(const TCHAR* Line, int32 LineLen, int32& Offset, const TCHAR (&Piece)[N])
	{
		return MatchAt(Line, LineLen, Offset, Piece, N - 1);
	}

	int32 LineLength(const TCHAR* Line)
	{
		int32 Len = 0;
		while (Line[Len])
		{
			++Len;
		}
		return Len;
	}
}

FMcpLogWatcher::FMcpLogWatcher(int32 InPort)
	: Message(TEXT("Noch nicht gestartet"))
	, Port(InPort)
{
}

void FMcpLogWatcher::Register()
{
	if (FOutputDeviceRedirector* Log = GetGlobalLogSingleton())
	{
		Log->AddOutputDevice(this);
	}
}

void FMcpLogWatcher::Shutdown()
{
	bShuttingDown = true;
	if (FOutputDeviceRedirector* Log = GetGlobalLogSingleton())
	{
		Log->RemoveOutputDevice(this);
	}
	if (PendingRequest.IsValid())
	{
		PendingRequest->OnProcessRequestComplete().Unbind();
		PendingRequest->OnRequestProgress64().Unbind();
		PendingRequest->CancelRequest();
		PendingRequest.Reset();
	}
}

void FMcpLogWatcher::Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category)
{
	const bool bMcpLine = Category == McpCategory;
	if ((!bMcpLine && Category != ListenerCategory) || V == nullptr)
	{
		return;
	}
	const int32 Len = LineLength(V);
	const FPortDigits Digits(Port);

	if (bMcpLine)
	{
		int32 Offset = 0;
		if (!MatchAt(V, Len, Offset, StartPrefix))
		{
			return;
		}
		// The blank after the number keeps port 800 from matching a line for port 8000.
		const bool bThisPort = MatchAt(V, Len, Offset, Digits.Text, Digits.Len) && MatchAt(V, Len, Offset, TEXT(" "), 1);
		FScopeLock Lock(&FlagLock);
		bStartLineSeen = bThisPort;
		return;
	}

	int32 SuffixOffset = Len - Digits.Len - 1;
	const bool bEndsWithPort = SuffixOffset >= 0 && MatchAt(V, Len, SuffixOffset, TEXT(":"), 1) && MatchAt(V, Len, SuffixOffset, Digits.Text, Digits.Len);
	int32 Offset = 0;
	const bool bCreated = bEndsWithPort && MatchAt(V, Len, Offset, CreatedPrefix);
	Offset = 0;
	const bool bBindFailure = bEndsWithPort && !bCreated && MatchAt(V, Len, Offset, BindFailedPrefix);
	Offset = 0;
	const bool bStopped = MatchAt(V, Len, Offset, StoppedPrefix) && MatchAt(V, Len, Offset, Digits.Text, Digits.Len) && Offset == Len;
	if (!bCreated && !bBindFailure && !bStopped)
	{
		return;
	}
	FScopeLock Lock(&FlagLock);
	if (bCreated)
	{
		bListenerCreated = true;
		bBindFailed = false;
	}
	else if (bBindFailure)
	{
		bListenerCreated = false;
		bBindFailed = true;
	}
	if (bStopped)
	{
		bListenerCreated = false;
	}
}

bool FMcpLogWatcher::IsConfirmedForThisEditor() const
{
	FScopeLock Lock(&FlagLock);
	return bStartLineSeen && bListenerCreated && !bBindFailed;
}

void FMcpLogWatcher::SetStatus(EMcpState NewState, const FString& NewMessage)
{
	State = static_cast<int32>(NewState);
	Message = NewMessage;
}
