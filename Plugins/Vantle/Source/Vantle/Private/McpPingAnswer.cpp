// Copyright 2026 Vantle contributors. All Rights Reserved.
#include "McpPingAnswer.h"

#include "Containers/StringFwd.h"
#include "Containers/StringView.h"
#include "Dom/JsonObject.h"
#include "Serialization/JsonReader.h"
#include "Serialization/JsonSerializer.h"
#include "Serialization/JsonTypes.h"

namespace
{
	// The engine's JSON reader has no depth limit; refuse absurd nesting before handing it over.
	bool IsNestingWithin(const FString& Text, int32 MaxDepth)
	{
		int32 Depth = 0;
		bool bInString = false;
		bool bEscaped = false;
		for (int32 Index = 0; Index < Text.Len(); ++Index)
		{
			const TCHAR Ch = Text[Index];
			if (bInString)
			{
				if (bEscaped)
				{
					bEscaped = false;
				}
				else if (Ch == TEXT('\\'))
				{
					bEscaped = true;
				}
				else if (Ch == TEXT('"'))
				{
					bInString = false;
				}
			}
			else if (Ch == TEXT('"'))
			{
				bInString = true;
			}
			else if (Ch == TEXT('{') || Ch == TEXT('['))
			{
				if (++Depth > MaxDepth)
				{
					return false;
				}
			}
			else if (Ch == TEXT('}') || Ch == TEXT(']'))
			{
				--Depth;
			}
		}
		return true;
	}
}

bool IsMcpPingAnswer(int32 ResponseCode, const TArray<uint8>& Content, const FString& PingId)
{
	if (ResponseCode != 200 || static_cast<uint64>(Content.Num()) > McpMaxPingAnswerBytes)
	{
		return false;
	}
	// As the response's GetContentAsString reads it: by length, so a NUL does not end the text.
	const FUTF8ToTCHAR Converted(reinterpret_cast<const ANSICHAR*>(Content.GetData()), Content.Num());
	const FString Text(FStringView(Converted.Get(), Converted.Length()));
	if (!IsNestingWithin(Text, McpMaxPingAnswerDepth))
	{
		return false;
	}
	TSharedPtr<FJsonObject> Answer;
	if (!FJsonSerializer::Deserialize(TJsonReaderFactory<>::Create(Text), Answer) || !Answer.IsValid())
	{
		return false;
	}
	FString JsonRpc;
	if (!Answer->TryGetStringField(TEXT("jsonrpc"), JsonRpc) || JsonRpc != TEXT("2.0"))
	{
		return false;
	}
	FString Id;
	if (!Answer->TryGetStringField(TEXT("id"), Id) || !Id.Equals(PingId, ESearchCase::IgnoreCase))
	{
		return false;
	}
	return Answer->HasTypedField<EJson::Object>(TEXT("result")) && !Answer->HasField(TEXT("error"));
}
