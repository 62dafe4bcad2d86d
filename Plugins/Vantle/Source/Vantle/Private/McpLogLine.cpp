// Copyright 2026 Vantle contributors. All Rights Reserved.
#include "McpLogLine.h"

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

EMcpLogLine MatchMcpLogLine(const TCHAR* Line, const FName& Category, int32 Port)
{
	const bool bMcpLine = Category == McpCategory;
	if ((!bMcpLine && Category != ListenerCategory) || Line == nullptr)
	{
		return EMcpLogLine::Unrelated;
	}
	const int32 Len = LineLength(Line);
	const FPortDigits Digits(Port);

	if (bMcpLine)
	{
		int32 Offset = 0;
		if (!MatchAt(Line, Len, Offset, StartPrefix))
		{
			return EMcpLogLine::Unrelated;
		}
		// The blank after the number keeps port 800 from matching a line for port 8000.
		const bool bThisPort = MatchAt(Line, Len, Offset, Digits.Text, Digits.Len) && MatchAt(Line, Len, Offset, TEXT(" "), 1);
		return bThisPort ? EMcpLogLine::StartThisPort : EMcpLogLine::StartOtherPort;
	}

	int32 SuffixOffset = Len - Digits.Len - 1;
	const bool bEndsWithPort = SuffixOffset >= 0 && MatchAt(Line, Len, SuffixOffset, TEXT(":"), 1) && MatchAt(Line, Len, SuffixOffset, Digits.Text, Digits.Len);
	int32 Offset = 0;
	if (bEndsWithPort && MatchAt(Line, Len, Offset, CreatedPrefix))
	{
		return EMcpLogLine::ListenerCreated;
	}
	Offset = 0;
	if (bEndsWithPort && MatchAt(Line, Len, Offset, BindFailedPrefix))
	{
		return EMcpLogLine::BindFailed;
	}
	Offset = 0;
	if (MatchAt(Line, Len, Offset, StoppedPrefix) && MatchAt(Line, Len, Offset, Digits.Text, Digits.Len) && Offset == Len)
	{
		return EMcpLogLine::ListenerStopped;
	}
	return EMcpLogLine::Unrelated;
}
