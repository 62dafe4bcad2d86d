// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/Array.h"
#include "Containers/StringView.h"
#include "HAL/Platform.h"

#include <string>
#include <string_view>
#include <type_traits>

namespace ESearchCase
{
	enum Type
	{
		CaseSensitive,
		IgnoreCase,
	};
}

namespace ESearchDir
{
	enum Type
	{
		FromStart,
		FromEnd,
	};
}

// Character helpers with the engine's (locale-free) case folding: ASCII and Latin-1.
struct FChar
{
	static TCHAR ToUpper(TCHAR C)
	{
		if ((C >= u'a' && C <= u'z') || (C >= 0xE0 && C <= 0xFE && C != 0xF7))
		{
			return static_cast<TCHAR>(C - 32);
		}
		return C;
	}
	static TCHAR ToLower(TCHAR C)
	{
		if ((C >= u'A' && C <= u'Z') || (C >= 0xC0 && C <= 0xDE && C != 0xD7))
		{
			return static_cast<TCHAR>(C + 32);
		}
		return C;
	}
	static bool IsWhitespace(TCHAR C) { return C == u' ' || C == u'\t' || C == u'\r' || C == u'\n' || C == u'\v' || C == u'\f'; }
	static bool IsDigit(TCHAR C) { return C >= u'0' && C <= u'9'; }
	static bool IsHexDigit(TCHAR C) { return IsDigit(C) || (C >= u'a' && C <= u'f') || (C >= u'A' && C <= u'F'); }
};

struct FCString
{
	static int32 Strlen(const TCHAR* S) { return S ? static_cast<int32>(std::char_traits<TCHAR>::length(S)) : 0; }
	static int32 Strcmp(const TCHAR* A, const TCHAR* B);
	static int32 Stricmp(const TCHAR* A, const TCHAR* B);
	static int32 Strnicmp(const TCHAR* A, const TCHAR* B, int32 Count);
	// Decimal prefix of the text; 0 when there is none. Saturates instead of wrapping on overflow.
	static int32 Atoi(const TCHAR* S);
	static int64 Atoi64(const TCHAR* S);
	static double Atod(const TCHAR* S);
};

// Printf arguments are type-checked at compile time, as the engine's checked format strings are:
// an FString must be passed as *Str.
struct FStringFormatArg
{
	enum EKind : uint8
	{
		Int,
		UInt,
		Double,
		WideString,
		AnsiString,
		Pointer,
	};
	EKind Kind;
	union
	{
		int64 IntValue;
		uint64 UIntValue;
		double DoubleValue;
		const TCHAR* WideValue;
		const ANSICHAR* AnsiValue;
		const void* PointerValue;
	};

	template <typename T>
	static FStringFormatArg Make(T Value)
	{
		FStringFormatArg Arg;
		using D = std::decay_t<T>;
		if constexpr (std::is_same_v<D, bool>)
		{
			Arg.Kind = Int;
			Arg.IntValue = Value ? 1 : 0;
		}
		else if constexpr (std::is_enum_v<D>)
		{
			Arg.Kind = Int;
			Arg.IntValue = static_cast<int64>(Value);
		}
		else if constexpr (std::is_integral_v<D> && std::is_signed_v<D>)
		{
			Arg.Kind = Int;
			Arg.IntValue = Value;
		}
		else if constexpr (std::is_integral_v<D>)
		{
			Arg.Kind = UInt;
			Arg.UIntValue = Value;
		}
		else if constexpr (std::is_floating_point_v<D>)
		{
			Arg.Kind = Double;
			Arg.DoubleValue = Value;
		}
		else if constexpr (std::is_same_v<D, const TCHAR*> || std::is_same_v<D, TCHAR*>)
		{
			Arg.Kind = WideString;
			Arg.WideValue = Value;
		}
		else if constexpr (std::is_same_v<D, const ANSICHAR*> || std::is_same_v<D, ANSICHAR*>)
		{
			Arg.Kind = AnsiString;
			Arg.AnsiValue = Value;
		}
		else if constexpr (std::is_pointer_v<D> || std::is_null_pointer_v<D>)
		{
			Arg.Kind = Pointer;
			Arg.PointerValue = Value;
		}
		else
		{
			static_assert(std::is_arithmetic_v<D>, "Printf takes numbers and character pointers; pass an FString as *Str");
		}
		return Arg;
	}
};

// The engine checks a Printf format against its arguments when it compiles (a literal format is
// required there, and a mismatch does not build); so does the host. The rules follow the engine's
// format string checker: %d %i %u %x %X %o %c take integers, %f %e %g floating point, %s and %ls
// TCHAR strings, %hs and %S narrow strings, %p any pointer, '*' an integer, and the count of
// arguments must equal the count the format asks for.
namespace UE::Host::FormatCheck
{
	enum class EArg : uint8
	{
		Integer,
		Floating,
		WideString,
		NarrowString,
		Pointer,
		Other,
	};

	enum class EResult : uint8
	{
		Ok,
		NotEnoughArguments,
		TooManyArguments,
		ArgumentDoesNotMatch,
		InvalidSpecifier,
	};

	template <typename T>
	consteval EArg KindOf()
	{
		using D = std::remove_cv_t<std::decay_t<T>>;
		if constexpr (std::is_integral_v<D> || (std::is_enum_v<D> && std::is_convertible_v<D, int64>))
		{
			return EArg::Integer;
		}
		else if constexpr (std::is_floating_point_v<D>)
		{
			return EArg::Floating;
		}
		else if constexpr (std::is_same_v<D, const TCHAR*> || std::is_same_v<D, TCHAR*>)
		{
			return EArg::WideString;
		}
		else if constexpr (std::is_same_v<D, const ANSICHAR*> || std::is_same_v<D, ANSICHAR*> || std::is_same_v<D, const UTF8CHAR*> || std::is_same_v<D, UTF8CHAR*>)
		{
			return EArg::NarrowString;
		}
		else if constexpr (std::is_pointer_v<D> || std::is_null_pointer_v<D>)
		{
			return EArg::Pointer;
		}
		else
		{
			return EArg::Other;
		}
	}

	consteval bool IsDigit(TCHAR C) { return C >= u'0' && C <= u'9'; }

	consteval EResult Check(const TCHAR* Fmt, const EArg* Args, int32 NumArgs)
	{
		int32 Next = 0;
		for (const TCHAR* P = Fmt; *P; ++P)
		{
			if (*P != u'%')
			{
				continue;
			}
			++P;
			if (*P == u'%')
			{
				continue;
			}
			while (*P == u'-' || *P == u'+' || *P == u' ' || *P == u'#' || *P == u'0')
			{
				++P;
			}
			for (int32 Part = 0; Part < 2; ++Part)
			{
				if (Part == 1)
				{
					if (*P != u'.')
					{
						break;
					}
					++P;
				}
				if (*P == u'*')
				{
					if (Next >= NumArgs)
					{
						return EResult::NotEnoughArguments;
					}
					if (Args[Next++] != EArg::Integer)
					{
						return EResult::ArgumentDoesNotMatch;
					}
					++P;
				}
				while (IsDigit(*P))
				{
					++P;
				}
			}
			bool bNarrow = false;
			bool bWide = false;
			while (*P == u'l' || *P == u'h' || *P == u'z' || *P == u'j' || *P == u't' || *P == u'L' || (*P == u'I' && P[1] == u'6' && P[2] == u'4'))
			{
				bNarrow = bNarrow || *P == u'h';
				bWide = bWide || *P == u'l';
				P += *P == u'I' ? 3 : 1;
			}
			EArg Wanted = EArg::Other;
			switch (*P)
			{
			case u'd':
			case u'i':
			case u'u':
			case u'x':
			case u'X':
			case u'o':
			case u'c':
				Wanted = EArg::Integer;
				break;
			case u'f':
			case u'F':
			case u'e':
			case u'E':
			case u'g':
			case u'G':
				Wanted = EArg::Floating;
				break;
			case u's':
				Wanted = bNarrow ? EArg::NarrowString : EArg::WideString;
				break;
			case u'S':
				Wanted = bWide ? EArg::WideString : EArg::NarrowString;
				break;
			case u'p':
				Wanted = EArg::Pointer;
				break;
			default:
				return EResult::InvalidSpecifier;
			}
			if (Next >= NumArgs)
			{
				return EResult::NotEnoughArguments;
			}
			const EArg Given = Args[Next++];
			const bool bPointerOk = Wanted == EArg::Pointer && (Given == EArg::WideString || Given == EArg::NarrowString);
			if (Given != Wanted && !bPointerOk)
			{
				return EResult::ArgumentDoesNotMatch;
			}
		}
		return Next == NumArgs ? EResult::Ok : EResult::TooManyArguments;
	}

	// Not constexpr on purpose: reaching one while checking a format stops the build with its name.
	void PrintfFormatNeedsMoreArguments();
	void PrintfFormatHasTooManyArguments();
	void PrintfArgumentDoesNotMatchItsSpecifier();
	void PrintfFormatHasAnInvalidSpecifier();
}

// A Printf format, checked against the argument types when the call compiles.
template <typename... Types>
struct TCheckedPrintfFormat
{
	template <int32 N>
	consteval TCheckedPrintfFormat(const TCHAR (&InFmt)[N]) : Fmt(InFmt)
	{
		using namespace UE::Host::FormatCheck;
		const EArg Kinds[] = {KindOf<Types>()..., EArg::Other};
		switch (Check(InFmt, Kinds, static_cast<int32>(sizeof...(Types))))
		{
		case EResult::Ok:
			break;
		case EResult::NotEnoughArguments:
			PrintfFormatNeedsMoreArguments();
			break;
		case EResult::TooManyArguments:
			PrintfFormatHasTooManyArguments();
			break;
		case EResult::ArgumentDoesNotMatch:
			PrintfArgumentDoesNotMatchItsSpecifier();
			break;
		case EResult::InvalidSpecifier:
			PrintfFormatHasAnInvalidSpecifier();
			break;
		}
	}

	const TCHAR* Fmt;
};

// The contiguous-range access TStringView's range constructor uses; declared before FString so that
// no conversion is weighed without them.
class FString;
inline const TCHAR* GetData(const FString& String);
inline int32 GetNum(const FString& String);

class FString
{
public:
	FString() = default;
	FString(const TCHAR* In) : Data(In ? In : u"") {}
	FString(int32 InCount, const TCHAR* In) : Data(In, InCount) {}
	// 8-bit text widens byte for byte, as the engine's ANSI conversion does for Latin-1.
	FString(const ANSICHAR* In);
	explicit FString(std::u16string InData) : Data(std::move(InData)) {}
	explicit FString(FStringView View) : Data(View.GetData(), View.Len()) {}

	const TCHAR* operator*() const { return Data.c_str(); }
	int32 Len() const { return static_cast<int32>(Data.size()); }
	bool IsEmpty() const { return Data.empty(); }
	void Empty(int32 Slack = 0) { Data.clear(); Data.reserve(Slack); }
	void Reset(int32 Slack = 0) { Data.clear(); Data.reserve(Slack); }
	void Reserve(int32 Count) { Data.reserve(Count); }
	TCHAR& operator[](int32 Index) { check(Index >= 0 && Index < Len()); return Data[Index]; }
	const TCHAR& operator[](int32 Index) const { check(Index >= 0 && Index < Len()); return Data[Index]; }
	const std::u16string& ToStd() const { return Data; }

	FString& operator+=(const FString& Other) { Data += Other.Data; return *this; }
	FString& operator+=(const TCHAR* Other) { Data += Other; return *this; }
	FString& operator+=(TCHAR Ch) { Data += Ch; return *this; }
	FString& Append(const FString& Other) { Data += Other.Data; return *this; }
	FString& Append(const TCHAR* Other, int32 Count) { Data.append(Other, Count); return *this; }
	FString& AppendChar(TCHAR Ch) { Data += Ch; return *this; }

	// Path join: inserts one '/' unless either side already provides it.
	FString& operator/=(const FString& Other);
	friend FString operator/(const FString& Lhs, const FString& Rhs) { FString Result(Lhs); Result /= Rhs; return Result; }
	friend FString operator/(const FString& Lhs, const TCHAR* Rhs) { return Lhs / FString(Rhs); }

	friend FString operator+(const FString& Lhs, const FString& Rhs) { return FString(Lhs.Data + Rhs.Data); }
	friend FString operator+(const FString& Lhs, const TCHAR* Rhs) { return FString(Lhs.Data + Rhs); }
	friend FString operator+(const TCHAR* Lhs, const FString& Rhs) { return FString(Lhs + Rhs.Data); }

	// The engine compares FStrings without regard to case.
	friend bool operator==(const FString& Lhs, const FString& Rhs) { return Lhs.Equals(Rhs, ESearchCase::IgnoreCase); }
	friend bool operator==(const FString& Lhs, const TCHAR* Rhs) { return FCString::Stricmp(*Lhs, Rhs) == 0; }
	friend bool operator!=(const FString& Lhs, const FString& Rhs) { return !(Lhs == Rhs); }
	friend bool operator!=(const FString& Lhs, const TCHAR* Rhs) { return !(Lhs == Rhs); }
	friend bool operator<(const FString& Lhs, const FString& Rhs) { return FCString::Stricmp(*Lhs, *Rhs) < 0; }

	// Unlike ==, case-sensitive unless told otherwise.
	bool Equals(const FString& Other, ESearchCase::Type SearchCase = ESearchCase::CaseSensitive) const;
	bool StartsWith(const TCHAR* Prefix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase) const;
	bool StartsWith(const FString& Prefix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase) const;
	bool EndsWith(const TCHAR* Suffix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase) const;
	bool EndsWith(const FString& Suffix, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase) const;
	// Index of the first (or last) occurrence, ignoring case by default; INDEX_NONE when absent.
	int32 Find(const TCHAR* SubStr, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase, ESearchDir::Type SearchDir = ESearchDir::FromStart, int32 StartPosition = INDEX_NONE) const;
	int32 Find(const FString& SubStr, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase, ESearchDir::Type SearchDir = ESearchDir::FromStart, int32 StartPosition = INDEX_NONE) const
	{
		return Find(*SubStr, SearchCase, SearchDir, StartPosition);
	}
	bool Contains(const TCHAR* SubStr, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase, ESearchDir::Type SearchDir = ESearchDir::FromStart) const
	{
		return Find(SubStr, SearchCase, SearchDir) != INDEX_NONE;
	}
	bool Contains(const FString& SubStr, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase, ESearchDir::Type SearchDir = ESearchDir::FromStart) const
	{
		return Find(*SubStr, SearchCase, SearchDir) != INDEX_NONE;
	}
	bool FindChar(TCHAR Ch, int32& OutIndex) const;
	bool FindLastChar(TCHAR Ch, int32& OutIndex) const;
	bool Split(const FString& InS, FString* LeftS, FString* RightS, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase, ESearchDir::Type SearchDir = ESearchDir::FromStart) const;

	FString Left(int32 Count) const;
	FString Right(int32 Count) const;
	FString RightChop(int32 Count) const;
	// Substrings clamp their range to the string instead of failing.
	FString Mid(int32 Start, int32 Count = 0x7fffffff) const;
	FString TrimStart() const;
	FString TrimEnd() const;
	FString TrimStartAndEnd() const;
	FString ToUpper() const;
	FString ToLower() const;
	FString Replace(const TCHAR* From, const TCHAR* To, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase) const;
	int32 ReplaceInline(const TCHAR* From, const TCHAR* To, ESearchCase::Type SearchCase = ESearchCase::IgnoreCase);
	bool IsNumeric() const;

	// Splits at every occurrence of Delim (case-sensitive), dropping empty parts when asked.
	int32 ParseIntoArray(TArray<FString>& OutArray, const TCHAR* Delim, bool bCullEmpty = true) const;
	// Splits at white space (and at the first character of ExtraDelim), as the console splits arguments.
	int32 ParseIntoArrayWS(TArray<FString>& OutArray, const TCHAR* ExtraDelim = nullptr, bool bCullEmpty = true) const;

	// The number in decimal.
	static FString FromInt(int32 Num);
	// The number without trailing zeros, keeping at least MinFractionalDigits after the point.
	static FString SanitizeFloat(double Value, int32 MinFractionalDigits = 1);
	// The items with Separator between each two.
	static FString Join(const TArray<FString>& Items, const TCHAR* Separator);

	template <typename... Types>
	[[nodiscard]] static FString Printf(TCheckedPrintfFormat<std::type_identity_t<Types>...> Fmt, Types... Args)
	{
		const FStringFormatArg Packed[] = {FStringFormatArg::Make(Args)..., FStringFormatArg::Make(0)};
		return FormatPacked(Fmt.Fmt, Packed, sizeof...(Types));
	}
	static FString FormatPacked(const TCHAR* Fmt, const FStringFormatArg* Args, int32 NumArgs);

private:
	std::u16string Data;
};

CORE_API uint32 GetTypeHash(const FString& S);

inline const TCHAR* GetData(const FString& String) { return *String; }
inline int32 GetNum(const FString& String) { return String.Len(); }

// UTF-8 <-> TCHAR conversion. Invalid sequences become U+FFFD instead of failing.
namespace UE::Host
{
	CORE_API std::string ToUtf8(FStringView Text);
	CORE_API FString FromUtf8(std::string_view Utf8);
}

class FTCHARToUTF8
{
public:
	explicit FTCHARToUTF8(const TCHAR* Source) : Converted(UE::Host::ToUtf8(FStringView(Source))) {}
	FTCHARToUTF8(const TCHAR* Source, int32 SourceLen) : Converted(UE::Host::ToUtf8(FStringView(Source, SourceLen))) {}
	const ANSICHAR* Get() const { return Converted.c_str(); }
	int32 Length() const { return static_cast<int32>(Converted.size()); }

private:
	std::string Converted;
};

class FUTF8ToTCHAR
{
public:
	explicit FUTF8ToTCHAR(const ANSICHAR* Source) : Converted(UE::Host::FromUtf8(Source ? Source : "")) {}
	FUTF8ToTCHAR(const ANSICHAR* Source, int32 SourceLen) : Converted(UE::Host::FromUtf8(std::string_view(Source, SourceLen))) {}
	const TCHAR* Get() const { return *Converted; }
	int32 Length() const { return Converted.Len(); }

private:
	FString Converted;
};

#define TCHAR_TO_UTF8(Str) (FTCHARToUTF8((const TCHAR*)(Str)).Get())
#define UTF8_TO_TCHAR(Str) (FUTF8ToTCHAR((const ANSICHAR*)(Str)).Get())
