// Copyright Vantle contributors. All Rights Reserved.
#include "Containers/UnrealString.h"
#include "HostCore.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace
{
	bool CharsEqual(TCHAR A, TCHAR B, ESearchCase::Type SearchCase)
	{
		return SearchCase == ESearchCase::CaseSensitive ? A == B : FChar::ToLower(A) == FChar::ToLower(B);
	}

	bool RangeEquals(const TCHAR* A, const TCHAR* B, int32 Count, ESearchCase::Type SearchCase)
	{
		for (int32 Index = 0; Index < Count; ++Index)
		{
			if (!CharsEqual(A[Index], B[Index], SearchCase))
			{
				return false;
			}
		}
		return true;
	}

	int64 ParseSaturating(const TCHAR* S, int64 Min, int64 Max)
	{
		if (!S)
		{
			return 0;
		}
		while (FChar::IsWhitespace(*S))
		{
			++S;
		}
		bool bNegative = false;
		if (*S == u'+' || *S == u'-')
		{
			bNegative = *S == u'-';
			++S;
		}
		// Accumulate negatively so that the minimum is representable.
		int64 Value = 0;
		bool bSaturated = false;
		for (; FChar::IsDigit(*S); ++S)
		{
			const int64 Digit = *S - u'0';
			if (!bSaturated)
			{
				if (Value < (std::numeric_limits<int64>::min() + Digit) / 10)
				{
					bSaturated = true;
				}
				else
				{
					Value = Value * 10 - Digit;
				}
			}
		}
		if (bSaturated)
		{
			return bNegative ? Min : Max;
		}
		if (!bNegative)
		{
			if (Value < -Max)
			{
				return Max;
			}
			return -Value;
		}
		return Value < Min ? Min : Value;
	}

	void AppendUtf16(std::u16string& Out, uint32 CodePoint)
	{
		if (CodePoint >= 0x10000)
		{
			CodePoint -= 0x10000;
			Out += static_cast<char16_t>(0xD800 + (CodePoint >> 10));
			Out += static_cast<char16_t>(0xDC00 + (CodePoint & 0x3FF));
		}
		else
		{
			Out += static_cast<char16_t>(CodePoint);
		}
	}

	void AppendPadded(std::u16string& Out, const std::u16string& Text, int Width, bool bLeftAlign)
	{
		const int Pad = Width > static_cast<int>(Text.size()) ? Width - static_cast<int>(Text.size()) : 0;
		if (!bLeftAlign)
		{
			Out.append(Pad, u' ');
		}
		Out += Text;
		if (bLeftAlign)
		{
			Out.append(Pad, u' ');
		}
	}
}

namespace UE::Host
{
	void CheckFailed(const char* Expr, const char* File, int Line)
	{
		std::fprintf(stderr, "Assertion failed: %s [%s:%d]\n", Expr, File, Line);
		std::fflush(stderr);
		std::abort();
	}

	std::string ToUtf8(FStringView Text)
	{
		std::string Out;
		Out.reserve(Text.Len());
		const int32 Len = Text.Len();
		for (int32 Index = 0; Index < Len; ++Index)
		{
			const uint32 Unit = Text[Index];
			if (Unit >= 0xD800 && Unit <= 0xDBFF && Index + 1 < Len && Text[Index + 1] >= 0xDC00 && Text[Index + 1] <= 0xDFFF)
			{
				const uint32 Low = Text[++Index];
				UE::Host::AppendUtf8(Out, 0x10000 + ((Unit - 0xD800) << 10) + (Low - 0xDC00));
			}
			else if (Unit >= 0xD800 && Unit <= 0xDFFF)
			{
				UE::Host::AppendUtf8(Out, 0xFFFD);
			}
			else
			{
				UE::Host::AppendUtf8(Out, Unit);
			}
		}
		return Out;
	}

	FString FromUtf8(std::string_view Utf8)
	{
		std::u16string Out;
		Out.reserve(Utf8.size());
		const auto* Bytes = reinterpret_cast<const unsigned char*>(Utf8.data());
		const size_t Size = Utf8.size();
		size_t Index = 0;
		while (Index < Size)
		{
			const unsigned char Lead = Bytes[Index];
			int Extra = 0;
			uint32 CodePoint = 0;
			uint32 MinValue = 0;
			if (Lead < 0x80)
			{
				Out += static_cast<char16_t>(Lead);
				++Index;
				continue;
			}
			if ((Lead & 0xE0) == 0xC0) { Extra = 1; CodePoint = Lead & 0x1F; MinValue = 0x80; }
			else if ((Lead & 0xF0) == 0xE0) { Extra = 2; CodePoint = Lead & 0x0F; MinValue = 0x800; }
			else if ((Lead & 0xF8) == 0xF0) { Extra = 3; CodePoint = Lead & 0x07; MinValue = 0x10000; }
			else
			{
				Out += char16_t(0xFFFD);
				++Index;
				continue;
			}
			bool bValid = Index + Extra < Size;
			int Consumed = 1;
			{
				for (int Step = 1; Step <= Extra && Index + Step < Size; ++Step)
				{
					const unsigned char Next = Bytes[Index + Step];
					if ((Next & 0xC0) != 0x80)
					{
						bValid = false;
						break;
					}
					CodePoint = (CodePoint << 6) | (Next & 0x3F);
					++Consumed;
				}
			}
			if (bValid && (CodePoint < MinValue || CodePoint > 0x10FFFF || (CodePoint >= 0xD800 && CodePoint <= 0xDFFF)))
			{
				bValid = false;
			}
			if (bValid)
			{
				AppendUtf16(Out, CodePoint);
				Index += Extra + 1;
			}
			else
			{
				Out += char16_t(0xFFFD);
				Index += Consumed;
			}
		}
		return FString(std::move(Out));
	}
}

int32 FCString::Strcmp(const TCHAR* A, const TCHAR* B)
{
	for (;; ++A, ++B)
	{
		if (*A != *B || !*A)
		{
			return static_cast<int32>(*A) - static_cast<int32>(*B);
		}
	}
}

int32 FCString::Stricmp(const TCHAR* A, const TCHAR* B)
{
	for (;; ++A, ++B)
	{
		const TCHAR LA = FChar::ToLower(*A);
		const TCHAR LB = FChar::ToLower(*B);
		if (LA != LB || !LA)
		{
			return static_cast<int32>(LA) - static_cast<int32>(LB);
		}
	}
}

int32 FCString::Strnicmp(const TCHAR* A, const TCHAR* B, int32 Count)
{
	for (; Count > 0; --Count, ++A, ++B)
	{
		const TCHAR LA = FChar::ToLower(*A);
		const TCHAR LB = FChar::ToLower(*B);
		if (LA != LB || !LA)
		{
			return static_cast<int32>(LA) - static_cast<int32>(LB);
		}
	}
	return 0;
}

int32 FCString::Atoi(const TCHAR* S)
{
	return static_cast<int32>(ParseSaturating(S, std::numeric_limits<int32>::min(), std::numeric_limits<int32>::max()));
}

int64 FCString::Atoi64(const TCHAR* S)
{
	return ParseSaturating(S, std::numeric_limits<int64>::min(), std::numeric_limits<int64>::max());
}

double FCString::Atod(const TCHAR* S)
{
	return std::strtod(UE::Host::ToUtf8(FStringView(S)).c_str(), nullptr);
}

FString::FString(const ANSICHAR* In)
{
	if (In)
	{
		for (; *In; ++In)
		{
			Data += static_cast<char16_t>(static_cast<unsigned char>(*In));
		}
	}
}

FString& FString::operator/=(const FString& Other)
{
	if (Other.IsEmpty())
	{
		return *this;
	}
	if (!Data.empty() && Data.back() != u'/' && Other.Data.front() != u'/')
	{
		Data += u'/';
	}
	Data += Other.Data;
	return *this;
}

bool FString::Equals(const FString& Other, ESearchCase::Type SearchCase) const
{
	return Len() == Other.Len() && RangeEquals(Data.data(), Other.Data.data(), Len(), SearchCase);
}

bool FString::StartsWith(const TCHAR* Prefix, ESearchCase::Type SearchCase) const
{
	const int32 PrefixLen = FCString::Strlen(Prefix);
	return PrefixLen > 0 && PrefixLen <= Len() && RangeEquals(Data.data(), Prefix, PrefixLen, SearchCase);
}

bool FString::StartsWith(const FString& Prefix, ESearchCase::Type SearchCase) const
{
	return StartsWith(*Prefix, SearchCase);
}

bool FString::EndsWith(const TCHAR* Suffix, ESearchCase::Type SearchCase) const
{
	const int32 SuffixLen = FCString::Strlen(Suffix);
	return SuffixLen > 0 && SuffixLen <= Len() && RangeEquals(Data.data() + Len() - SuffixLen, Suffix, SuffixLen, SearchCase);
}

bool FString::EndsWith(const FString& Suffix, ESearchCase::Type SearchCase) const
{
	return EndsWith(*Suffix, SearchCase);
}

int32 FString::Find(const TCHAR* SubStr, ESearchCase::Type SearchCase, ESearchDir::Type SearchDir, int32 StartPosition) const
{
	const int32 SubLen = FCString::Strlen(SubStr);
	if (SubLen == 0 || SubLen > Len())
	{
		return INDEX_NONE;
	}
	if (SearchDir == ESearchDir::FromStart)
	{
		const int32 First = StartPosition == INDEX_NONE ? 0 : (StartPosition < 0 ? 0 : StartPosition);
		for (int32 Index = First; Index + SubLen <= Len(); ++Index)
		{
			if (RangeEquals(Data.data() + Index, SubStr, SubLen, SearchCase))
			{
				return Index;
			}
		}
	}
	else
	{
		int32 Last = Len() - SubLen;
		if (StartPosition != INDEX_NONE && StartPosition - SubLen < Last)
		{
			Last = StartPosition - SubLen;
		}
		for (int32 Index = Last; Index >= 0; --Index)
		{
			if (RangeEquals(Data.data() + Index, SubStr, SubLen, SearchCase))
			{
				return Index;
			}
		}
	}
	return INDEX_NONE;
}

bool FString::FindChar(TCHAR Ch, int32& OutIndex) const
{
	const auto Pos = Data.find(Ch);
	OutIndex = Pos == std::u16string::npos ? INDEX_NONE : static_cast<int32>(Pos);
	return OutIndex != INDEX_NONE;
}

bool FString::FindLastChar(TCHAR Ch, int32& OutIndex) const
{
	const auto Pos = Data.rfind(Ch);
	OutIndex = Pos == std::u16string::npos ? INDEX_NONE : static_cast<int32>(Pos);
	return OutIndex != INDEX_NONE;
}

bool FString::Split(const FString& InS, FString* LeftS, FString* RightS, ESearchCase::Type SearchCase, ESearchDir::Type SearchDir) const
{
	const int32 Pos = Find(*InS, SearchCase, SearchDir);
	if (Pos == INDEX_NONE)
	{
		return false;
	}
	if (LeftS)
	{
		*LeftS = Left(Pos);
	}
	if (RightS)
	{
		*RightS = Mid(Pos + InS.Len());
	}
	return true;
}

FString FString::Left(int32 Count) const
{
	return FString(Data.substr(0, Count < 0 ? 0 : (Count > Len() ? Len() : Count)));
}

FString FString::Right(int32 Count) const
{
	const int32 Clamped = Count < 0 ? 0 : (Count > Len() ? Len() : Count);
	return FString(Data.substr(Len() - Clamped));
}

FString FString::RightChop(int32 Count) const
{
	return Mid(Count < 0 ? 0 : Count);
}

FString FString::Mid(int32 Start, int32 Count) const
{
	if (Start < 0)
	{
		Count += Start;
		Start = 0;
	}
	if (Start >= Len() || Count <= 0)
	{
		return FString();
	}
	const int64 End = static_cast<int64>(Start) + Count;
	return FString(Data.substr(Start, static_cast<size_t>((End > Len() ? Len() : End) - Start)));
}

FString FString::TrimStart() const
{
	int32 First = 0;
	while (First < Len() && FChar::IsWhitespace(Data[First]))
	{
		++First;
	}
	return Mid(First);
}

FString FString::TrimEnd() const
{
	int32 End = Len();
	while (End > 0 && FChar::IsWhitespace(Data[End - 1]))
	{
		--End;
	}
	return Left(End);
}

FString FString::TrimStartAndEnd() const
{
	return TrimStart().TrimEnd();
}

FString FString::ToUpper() const
{
	std::u16string Out(Data);
	for (char16_t& Ch : Out)
	{
		Ch = FChar::ToUpper(Ch);
	}
	return FString(std::move(Out));
}

FString FString::ToLower() const
{
	std::u16string Out(Data);
	for (char16_t& Ch : Out)
	{
		Ch = FChar::ToLower(Ch);
	}
	return FString(std::move(Out));
}

FString FString::Replace(const TCHAR* From, const TCHAR* To, ESearchCase::Type SearchCase) const
{
	FString Result(*this);
	Result.ReplaceInline(From, To, SearchCase);
	return Result;
}

int32 FString::ReplaceInline(const TCHAR* From, const TCHAR* To, ESearchCase::Type SearchCase)
{
	const int32 FromLen = FCString::Strlen(From);
	if (FromLen == 0)
	{
		return 0;
	}
	std::u16string Out;
	int32 Count = 0;
	int32 Index = 0;
	while (Index < Len())
	{
		if (Index + FromLen <= Len() && RangeEquals(Data.data() + Index, From, FromLen, SearchCase))
		{
			Out += To;
			Index += FromLen;
			++Count;
		}
		else
		{
			Out += Data[Index++];
		}
	}
	Data = std::move(Out);
	return Count;
}

bool FString::IsNumeric() const
{
	if (IsEmpty())
	{
		return false;
	}
	int32 Index = (Data[0] == u'-' || Data[0] == u'+') ? 1 : 0;
	bool bSeenDot = false;
	bool bSeenDigit = false;
	for (; Index < Len(); ++Index)
	{
		if (Data[Index] == u'.')
		{
			if (bSeenDot)
			{
				return false;
			}
			bSeenDot = true;
		}
		else if (FChar::IsDigit(Data[Index]))
		{
			bSeenDigit = true;
		}
		else
		{
			return false;
		}
	}
	return bSeenDigit;
}

int32 FString::ParseIntoArray(TArray<FString>& OutArray, const TCHAR* Delim, bool bCullEmpty) const
{
	OutArray.Reset();
	const int32 DelimLen = FCString::Strlen(Delim);
	if (DelimLen == 0)
	{
		if (!IsEmpty() || !bCullEmpty)
		{
			OutArray.Add(*this);
		}
		return OutArray.Num();
	}
	int32 Start = 0;
	while (true)
	{
		const int32 Pos = Find(Delim, ESearchCase::CaseSensitive, ESearchDir::FromStart, Start);
		const int32 End = Pos == INDEX_NONE ? Len() : Pos;
		if (!bCullEmpty || End > Start)
		{
			OutArray.Add(Mid(Start, End - Start));
		}
		if (Pos == INDEX_NONE)
		{
			break;
		}
		Start = Pos + DelimLen;
	}
	return OutArray.Num();
}

int32 FString::ParseIntoArrayWS(TArray<FString>& OutArray, const TCHAR* ExtraDelim, bool bCullEmpty) const
{
	OutArray.Reset();
	FString Token;
	auto Flush = [&]()
	{
		if (!bCullEmpty || !Token.IsEmpty())
		{
			OutArray.Add(Token);
		}
		Token.Reset();
	};
	for (TCHAR Ch : Data)
	{
		const bool bExtra = ExtraDelim && *ExtraDelim && Ch == ExtraDelim[0];
		if (FChar::IsWhitespace(Ch) || bExtra)
		{
			Flush();
		}
		else
		{
			Token += Ch;
		}
	}
	Flush();
	return OutArray.Num();
}

FString FString::FromInt(int32 Num)
{
	return Printf(TEXT("%d"), Num);
}

FString FString::SanitizeFloat(double Value, int32 MinFractionalDigits)
{
	FString Text = Printf(TEXT("%f"), Value);
	int32 Dot = INDEX_NONE;
	if (!Text.FindChar(u'.', Dot))
	{
		return Text;
	}
	int32 End = Text.Len();
	while (End > Dot + 1 + MinFractionalDigits && Text[End - 1] == u'0')
	{
		--End;
	}
	if (MinFractionalDigits == 0 && End == Dot + 1)
	{
		--End;
	}
	return Text.Left(End);
}

FString FString::Join(const TArray<FString>& Items, const TCHAR* Separator)
{
	FString Out;
	for (int32 Index = 0; Index < Items.Num(); ++Index)
	{
		if (Index > 0)
		{
			Out += Separator;
		}
		Out += Items[Index];
	}
	return Out;
}

FString FString::FormatPacked(const TCHAR* Fmt, const FStringFormatArg* Args, int32 NumArgs)
{
	std::u16string Out;
	int32 NextArg = 0;
	auto TakeArg = [&](FStringFormatArg& OutArg) -> bool
	{
		if (NextArg >= NumArgs)
		{
			return false;
		}
		OutArg = Args[NextArg++];
		return true;
	};

	for (const TCHAR* P = Fmt; P && *P; ++P)
	{
		if (*P != u'%')
		{
			Out += *P;
			continue;
		}
		const TCHAR* SpecStart = P;
		++P;
		if (*P == u'%')
		{
			Out += u'%';
			continue;
		}
		std::string Flags;
		while (*P == u'-' || *P == u'+' || *P == u' ' || *P == u'#' || *P == u'0')
		{
			Flags += static_cast<char>(*P++);
		}
		int Width = -1;
		if (*P == u'*')
		{
			FStringFormatArg WidthArg;
			Width = TakeArg(WidthArg) && WidthArg.Kind == FStringFormatArg::Int ? static_cast<int>(WidthArg.IntValue) : 0;
			++P;
		}
		else if (FChar::IsDigit(*P))
		{
			Width = 0;
			while (FChar::IsDigit(*P))
			{
				Width = Width * 10 + (*P++ - u'0');
			}
		}
		int Precision = -1;
		if (*P == u'.')
		{
			++P;
			Precision = 0;
			if (*P == u'*')
			{
				FStringFormatArg PrecArg;
				Precision = TakeArg(PrecArg) && PrecArg.Kind == FStringFormatArg::Int ? static_cast<int>(PrecArg.IntValue) : 0;
				++P;
			}
			while (FChar::IsDigit(*P))
			{
				Precision = Precision * 10 + (*P++ - u'0');
			}
		}
		bool bNarrowString = false;
		while (*P == u'l' || *P == u'h' || *P == u'z' || *P == u'j' || *P == u't' || *P == u'L' || *P == u'I')
		{
			if (*P == u'h')
			{
				bNarrowString = true;
			}
			if (*P == u'I' && P[1] == u'6' && P[2] == u'4')
			{
				P += 2;
			}
			++P;
		}
		const TCHAR Conv = *P;
		if (!Conv)
		{
			Out.append(SpecStart, P);
			break;
		}
		FStringFormatArg Arg;
		if (!TakeArg(Arg))
		{
			Out.append(SpecStart, P + 1);
			continue;
		}
		const bool bLeft = Flags.find('-') != std::string::npos;
		char Buffer[512];
		std::string NarrowSpec = "%" + Flags + (Width >= 0 ? std::to_string(Width) : "") + (Precision >= 0 ? "." + std::to_string(Precision) : "");
		switch (Conv)
		{
		case u'd':
		case u'i':
		case u'u':
		case u'x':
		case u'X':
		case u'o':
		case u'c':
		{
			if (Conv == u'c')
			{
				std::u16string Ch(1, static_cast<char16_t>(Arg.Kind == FStringFormatArg::UInt ? Arg.UIntValue : Arg.IntValue));
				AppendPadded(Out, Ch, Width, bLeft);
				break;
			}
			if (Arg.Kind == FStringFormatArg::Double)
			{
				Arg.Kind = FStringFormatArg::Int;
				Arg.IntValue = static_cast<int64>(Arg.DoubleValue);
			}
			if (Arg.Kind != FStringFormatArg::Int && Arg.Kind != FStringFormatArg::UInt)
			{
				Out += u"<bad arg>";
				break;
			}
			const bool bSigned = Conv == u'd' || Conv == u'i';
			if (bSigned)
			{
				const long long Value = Arg.Kind == FStringFormatArg::Int ? Arg.IntValue : static_cast<long long>(Arg.UIntValue);
				std::snprintf(Buffer, sizeof(Buffer), (NarrowSpec + "lld").c_str(), Value);
			}
			else
			{
				unsigned long long Value = Arg.Kind == FStringFormatArg::UInt ? Arg.UIntValue : static_cast<unsigned long long>(Arg.IntValue);
				if (Arg.Kind == FStringFormatArg::Int && Arg.IntValue < 0 && Arg.IntValue >= std::numeric_limits<int32>::min())
				{
					// A negative int32 printed unsigned reads as its 32-bit pattern, as in C.
					Value = static_cast<uint32>(static_cast<int32>(Arg.IntValue));
				}
				const char* Length = Conv == u'u' ? "llu" : (Conv == u'x' ? "llx" : (Conv == u'X' ? "llX" : "llo"));
				std::snprintf(Buffer, sizeof(Buffer), (NarrowSpec + Length).c_str(), Value);
			}
			Out += UE::Host::FromUtf8(Buffer).ToStd();
			break;
		}
		case u'f':
		case u'F':
		case u'e':
		case u'E':
		case u'g':
		case u'G':
		{
			double Value = 0.0;
			if (Arg.Kind == FStringFormatArg::Double)
			{
				Value = Arg.DoubleValue;
			}
			else if (Arg.Kind == FStringFormatArg::Int)
			{
				Value = static_cast<double>(Arg.IntValue);
			}
			else if (Arg.Kind == FStringFormatArg::UInt)
			{
				Value = static_cast<double>(Arg.UIntValue);
			}
			else
			{
				Out += u"<bad arg>";
				break;
			}
			std::snprintf(Buffer, sizeof(Buffer), (NarrowSpec + static_cast<char>(Conv)).c_str(), Value);
			Out += UE::Host::FromUtf8(Buffer).ToStd();
			break;
		}
		case u's':
		case u'S':
		{
			std::u16string Text;
			if (Arg.Kind == FStringFormatArg::WideString && !bNarrowString)
			{
				Text = Arg.WideValue ? Arg.WideValue : u"(null)";
			}
			else if (Arg.Kind == FStringFormatArg::AnsiString)
			{
				Text = Arg.AnsiValue ? FString(Arg.AnsiValue).ToStd() : u"(null)";
			}
			else if (Arg.Kind == FStringFormatArg::WideString)
			{
				Text = Arg.WideValue ? Arg.WideValue : u"(null)";
			}
			else if (Arg.Kind == FStringFormatArg::Pointer && Arg.PointerValue == nullptr)
			{
				Text = u"(null)";
			}
			else
			{
				Text = u"<bad arg>";
			}
			if (Precision >= 0 && static_cast<int>(Text.size()) > Precision)
			{
				Text.resize(Precision);
			}
			AppendPadded(Out, Text, Width, bLeft);
			break;
		}
		case u'p':
		{
			std::snprintf(Buffer, sizeof(Buffer), "%p", Arg.Kind == FStringFormatArg::Pointer ? Arg.PointerValue : nullptr);
			Out += UE::Host::FromUtf8(Buffer).ToStd();
			break;
		}
		default:
			Out.append(SpecStart, P + 1);
			break;
		}
	}
	return FString(std::move(Out));
}

uint32 GetTypeHash(const FString& S)
{
	// Case-insensitive like the engine's string hash, so TMap<FString, ...> keys ignore case.
	uint32 Hash = 2166136261u;
	for (TCHAR Ch : S.ToStd())
	{
		Hash = (Hash ^ FChar::ToLower(Ch)) * 16777619u;
	}
	return Hash;
}

void UE::Host::AppendUtf8(std::string& Out, uint32 CodePoint)
{
	if (CodePoint < 0x80)
	{
		Out += static_cast<char>(CodePoint);
	}
	else if (CodePoint < 0x800)
	{
		Out += static_cast<char>(0xC0 | (CodePoint >> 6));
		Out += static_cast<char>(0x80 | (CodePoint & 0x3F));
	}
	else if (CodePoint < 0x10000)
	{
		Out += static_cast<char>(0xE0 | (CodePoint >> 12));
		Out += static_cast<char>(0x80 | ((CodePoint >> 6) & 0x3F));
		Out += static_cast<char>(0x80 | (CodePoint & 0x3F));
	}
	else
	{
		Out += static_cast<char>(0xF0 | (CodePoint >> 18));
		Out += static_cast<char>(0x80 | ((CodePoint >> 12) & 0x3F));
		Out += static_cast<char>(0x80 | ((CodePoint >> 6) & 0x3F));
		Out += static_cast<char>(0x80 | (CodePoint & 0x3F));
	}
}
