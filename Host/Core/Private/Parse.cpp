// Copyright Vantle contributors. All Rights Reserved.
#include "Misc/Parse.h"

#include <cstdlib>

namespace
{
	// Case-insensitive search for Match that skips quoted text, as the engine's parser does.
	const TCHAR* FindMatch(const TCHAR* Stream, const TCHAR* Match)
	{
		if (!Stream || !Match || !*Match)
		{
			return nullptr;
		}
		const int32 MatchLen = FCString::Strlen(Match);
		bool bInQuotes = false;
		for (const TCHAR* P = Stream; *P; ++P)
		{
			if (*P == u'"')
			{
				bInQuotes = !bInQuotes;
				continue;
			}
			if (!bInQuotes && FCString::Strnicmp(P, Match, MatchLen) == 0)
			{
				return P + MatchLen;
			}
		}
		return nullptr;
	}

	FString ExtractValue(const TCHAR* Found, bool bShouldStopOnSeparator)
	{
		const TCHAR* P = Found;
		while (*P == u' ' || *P == u'\t' || *P == u'\r' || *P == u'\n')
		{
			++P;
		}
		FString Value;
		if (*P == u'"')
		{
			++P;
			while (*P && *P != u'"' && Value.Len() < 255)
			{
				Value += *P++;
			}
			return Value;
		}
		while (*P && Value.Len() < 255)
		{
			const TCHAR Ch = *P;
			if (Ch == u' ' || Ch == u'\t' || Ch == u'\r' || Ch == u'\n')
			{
				break;
			}
			if (bShouldStopOnSeparator && (Ch == u',' || Ch == u')'))
			{
				break;
			}
			Value += Ch;
			++P;
		}
		return Value;
	}
}

bool FParse::Value(const TCHAR* Stream, const TCHAR* Match, int32& Value)
{
	const TCHAR* Found = FindMatch(Stream, Match);
	if (!Found)
	{
		return false;
	}
	Value = FCString::Atoi(*ExtractValue(Found, true));
	return true;
}

bool FParse::Value(const TCHAR* Stream, const TCHAR* Match, uint32& Value)
{
	const TCHAR* Found = FindMatch(Stream, Match);
	if (!Found)
	{
		return false;
	}
	const int64 Parsed = FCString::Atoi64(*ExtractValue(Found, true));
	Value = Parsed < 0 ? 0u : (Parsed > 0xFFFFFFFFll ? 0xFFFFFFFFu : uint32(Parsed));
	return true;
}

bool FParse::Value(const TCHAR* Stream, const TCHAR* Match, float& Value)
{
	const TCHAR* Found = FindMatch(Stream, Match);
	if (!Found)
	{
		return false;
	}
	Value = static_cast<float>(FCString::Atod(*ExtractValue(Found, true)));
	return true;
}

bool FParse::Value(const TCHAR* Stream, const TCHAR* Match, double& Value)
{
	const TCHAR* Found = FindMatch(Stream, Match);
	if (!Found)
	{
		return false;
	}
	Value = FCString::Atod(*ExtractValue(Found, true));
	return true;
}

bool FParse::Value(const TCHAR* Stream, const TCHAR* Match, FString& Value, bool bShouldStopOnSeparator)
{
	const TCHAR* Found = FindMatch(Stream, Match);
	if (!Found)
	{
		return false;
	}
	Value = ExtractValue(Found, bShouldStopOnSeparator);
	return true;
}

