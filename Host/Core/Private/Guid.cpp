// Copyright Vantle contributors. All Rights Reserved.
#include "Misc/Guid.h"

#include <random>

FGuid FGuid::NewGuid()
{
	thread_local std::mt19937_64 Engine{std::random_device{}()};
	FGuid Result;
	do
	{
		const uint64 High = Engine();
		const uint64 Low = Engine();
		Result = FGuid(uint32(High >> 32), uint32(High), uint32(Low >> 32), uint32(Low));
		// Version 4 and variant bits, as a random GUID carries them.
		Result.B = (Result.B & 0xFFFF0FFFu) | 0x00004000u;
		Result.C = (Result.C & 0x3FFFFFFFu) | 0x80000000u;
	} while (!Result.IsValid());
	return Result;
}

FString FGuid::ToString(EGuidFormats Format) const
{
	switch (Format)
	{
	case EGuidFormats::DigitsLower:
		return FString::Printf(TEXT("%08x%08x%08x%08x"), A, B, C, D);
	case EGuidFormats::DigitsWithHyphens:
		return FString::Printf(TEXT("%08X-%04X-%04X-%04X-%04X%08X"), A, B >> 16, B & 0xFFFF, C >> 16, C & 0xFFFF, D);
	case EGuidFormats::DigitsWithHyphensLower:
		return FString::Printf(TEXT("%08x-%04x-%04x-%04x-%04x%08x"), A, B >> 16, B & 0xFFFF, C >> 16, C & 0xFFFF, D);
	case EGuidFormats::DigitsWithHyphensInBraces:
		return FString::Printf(TEXT("{%08X-%04X-%04X-%04X-%04X%08X}"), A, B >> 16, B & 0xFFFF, C >> 16, C & 0xFFFF, D);
	case EGuidFormats::DigitsWithHyphensInParentheses:
		return FString::Printf(TEXT("(%08X-%04X-%04X-%04X-%04X%08X)"), A, B >> 16, B & 0xFFFF, C >> 16, C & 0xFFFF, D);
	case EGuidFormats::HexValuesInBraces:
		return FString::Printf(TEXT("{0x%08X,0x%04X,0x%04X,{0x%02X,0x%02X,0x%02X,0x%02X,0x%02X,0x%02X,0x%02X,0x%02X}}"), A, B >> 16, B & 0xFFFF,
			C >> 24, (C >> 16) & 0xFF, (C >> 8) & 0xFF, C & 0xFF, D >> 24, (D >> 16) & 0xFF, (D >> 8) & 0xFF, D & 0xFF);
	case EGuidFormats::UniqueObjectGuid:
		return FString::Printf(TEXT("%08X-%08X-%08X-%08X"), A, B, C, D);
	case EGuidFormats::Digits:
	default:
		return FString::Printf(TEXT("%08X%08X%08X%08X"), A, B, C, D);
	}
}

namespace
{
	bool ParseHex32(const FString& Digits, int32 Start, uint32& Out)
	{
		Out = 0;
		for (int32 Index = Start; Index < Start + 8; ++Index)
		{
			const TCHAR Ch = Digits[Index];
			uint32 Nibble;
			if (Ch >= u'0' && Ch <= u'9') { Nibble = Ch - u'0'; }
			else if (Ch >= u'a' && Ch <= u'f') { Nibble = Ch - u'a' + 10; }
			else if (Ch >= u'A' && Ch <= u'F') { Nibble = Ch - u'A' + 10; }
			else { return false; }
			Out = (Out << 4) | Nibble;
		}
		return true;
	}
}

bool FGuid::ParseExact(const FString& GuidString, EGuidFormats Format, FGuid& OutGuid)
{
	FString Digits;
	switch (Format)
	{
	case EGuidFormats::Digits:
	case EGuidFormats::DigitsLower:
		Digits = GuidString;
		break;
	case EGuidFormats::DigitsWithHyphens:
	case EGuidFormats::DigitsWithHyphensLower:
		if (GuidString.Len() != 36 || GuidString[8] != u'-' || GuidString[13] != u'-' || GuidString[18] != u'-' || GuidString[23] != u'-')
		{
			return false;
		}
		Digits = GuidString.Replace(TEXT("-"), TEXT(""));
		break;
	case EGuidFormats::DigitsWithHyphensInBraces:
	case EGuidFormats::DigitsWithHyphensInParentheses:
	{
		const TCHAR Open = Format == EGuidFormats::DigitsWithHyphensInBraces ? u'{' : u'(';
		const TCHAR Close = Format == EGuidFormats::DigitsWithHyphensInBraces ? u'}' : u')';
		if (GuidString.Len() != 38 || GuidString[0] != Open || GuidString[37] != Close)
		{
			return false;
		}
		return ParseExact(GuidString.Mid(1, 36), EGuidFormats::DigitsWithHyphens, OutGuid);
	}
	default:
		return false;
	}
	if (Digits.Len() != 32)
	{
		return false;
	}
	FGuid Parsed;
	if (!ParseHex32(Digits, 0, Parsed.A) || !ParseHex32(Digits, 8, Parsed.B) || !ParseHex32(Digits, 16, Parsed.C) || !ParseHex32(Digits, 24, Parsed.D))
	{
		return false;
	}
	OutGuid = Parsed;
	return true;
}

bool FGuid::Parse(const FString& GuidString, FGuid& OutGuid)
{
	switch (GuidString.Len())
	{
	case 32:
		return ParseExact(GuidString, EGuidFormats::Digits, OutGuid);
	case 36:
		return ParseExact(GuidString, EGuidFormats::DigitsWithHyphens, OutGuid);
	case 38:
		return ParseExact(GuidString, GuidString[0] == u'{' ? EGuidFormats::DigitsWithHyphensInBraces : EGuidFormats::DigitsWithHyphensInParentheses, OutGuid);
	default:
		return false;
	}
}
