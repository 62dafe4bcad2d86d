// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/StringView.h"
#include "Containers/UnrealString.h"
#include "Templates/SharedPointer.h"

#include <type_traits>

class FJsonSerializer;

// A reader over one JSON text. The host parses the whole document when the serializer asks for
// it; afterwards the reader is consumed, as a drained engine reader is.
template <class CharType = TCHAR> class TJsonReader
{
	static_assert(std::is_same_v<CharType, TCHAR>, "the host reads JSON from TCHAR text only");

public:
	// The reason the last read failed; empty after a successful read.
	const FString& GetErrorMessage() const { return ErrorMessage; }

private:
	template <class> friend class TJsonReaderFactory;
	friend class FJsonSerializer;

	explicit TJsonReader(FString&& InText) : Text(std::move(InText)) {}

	FString Text;
	FString ErrorMessage;
	bool bConsumed = false;
};

template <class CharType = TCHAR> class TJsonReaderFactory
{
	static_assert(std::is_same_v<CharType, TCHAR>, "the host reads JSON from TCHAR text only");

public:
	// A reader over a copy of the text.
	static TSharedRef<TJsonReader<TCHAR>> Create(const FString& JsonString) { return MakeShareable(new TJsonReader<TCHAR>(FString(JsonString))); }
	// A reader that takes over the text.
	static TSharedRef<TJsonReader<TCHAR>> Create(FString&& JsonString) { return MakeShareable(new TJsonReader<TCHAR>(std::move(JsonString))); }
	// A reader over a copy of the viewed text.
	static TSharedRef<TJsonReader<TCHAR>> CreateFromView(FStringView JsonString) { return MakeShareable(new TJsonReader<TCHAR>(FString(JsonString))); }
};
