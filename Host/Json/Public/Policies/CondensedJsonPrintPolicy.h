// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Policies/JsonPrintPolicy.h"

// No whitespace at all between tokens.
template <class CharType> struct TCondensedJsonPrintPolicy : public TJsonPrintPolicy<CharType>
{
	static void WriteLineTerminator(FString* Stream) {}
	static void WriteTabs(FString* Stream, int32 Count) {}
	static void WriteSpace(FString* Stream) {}
};
