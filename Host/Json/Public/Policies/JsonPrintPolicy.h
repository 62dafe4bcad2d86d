// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/StringView.h"
#include "Containers/UnrealString.h"

namespace UE::Json::Private
{
	// Appends Text as a quoted JSON string: quote, backslash and control characters escaped.
	JSON_API void AppendQuotedString(FString& Out, FStringView Text);
	// Appends a number with 17 significant digits, so every double reads back unchanged.
	JSON_API void AppendDouble(FString& Out, double Value);
	JSON_API void AppendInt64(FString& Out, int64 Value);
}

// How a JSON writer puts characters into its output string.
template <class CharType> struct TJsonPrintPolicy
{
	static void WriteChar(FString* Stream, CharType Char) { Stream->AppendChar(Char); }
	static void WriteString(FString* Stream, FStringView String) { Stream->Append(String.GetData(), String.Len()); }
	static void WriteDouble(FString* Stream, double Value) { UE::Json::Private::AppendDouble(*Stream, Value); }
};
