// Copyright Vantle contributors. All Rights Reserved.
#include "Dom/JsonObject.h"
#include "Serialization/JsonReader.h"
#include "Serialization/JsonSerializer.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
	// Parses Text as the plugin does; the reader's error message on failure.
	bool Parse(const FString& Text, TSharedPtr<FJsonObject>& OutObject, FString* OutError = nullptr)
	{
		const TSharedRef<TJsonReader<TCHAR>> Reader = TJsonReaderFactory<>::Create(Text);
		const bool bParsed = FJsonSerializer::Deserialize(Reader, OutObject);
		if (OutError)
		{
			*OutError = Reader->GetErrorMessage();
		}
		return bParsed;
	}

	FString Utf16(const std::string& Ascii)
	{
		return FString(Ascii.c_str());
	}

	FString Nested(int32 Depth)
	{
		// The root object is one level; the arrays inside make up the rest.
		std::string Text = "{\"a\":";
		Text.append(static_cast<size_t>(Depth - 1), '[');
		Text.append(static_cast<size_t>(Depth - 1), ']');
		Text += "}";
		return Utf16(Text);
	}
}

TEST(JsonReader, ReadsEveryKindOfValue)
{
	TSharedPtr<FJsonObject> Object;
	ASSERT_TRUE(Parse(TEXT("{\"s\":\"x\\u00e4\\ud83d\\ude00\",\"n\":-2.5e1,\"b\":true,\"z\":null,\"a\":[1,\"2\",[]],\"o\":{\"k\":{}}}"), Object));
	EXPECT_EQ(Object->GetStringField(TEXT("s")), FString(TEXT("x\u00e4\U0001F600")));
	EXPECT_EQ(Object->GetNumberField(TEXT("n")), -25.0);
	EXPECT_TRUE(Object->GetBoolField(TEXT("b")));
	EXPECT_TRUE(Object->HasTypedField<EJson::Null>(TEXT("z")));
	EXPECT_EQ(Object->GetArrayField(TEXT("a")).Num(), 3);
	EXPECT_TRUE(Object->GetObjectField(TEXT("o"))->HasTypedField<EJson::Object>(TEXT("k")));
}

TEST(JsonReader, OnlyOneObjectFollowedByWhitespaceIsAnObject)
{
	struct FCase
	{
		const TCHAR* Text;
		const TCHAR* Error;
	};
	const TCHAR* const Additional = TEXT("Unexpected additional input found.");
	// Literals match in any case, but nothing else does; an event stream's framing is not JSON either.
	const FCase Cases[] = {
		{TEXT(" \t\r\n{\"a\":1} \t\r\n"), nullptr},
		{TEXT("{\"a\":1}garbage"), Additional},
		{TEXT("{\"a\":1}{\"b\":2}"), Additional},
		{TEXT("{\"a\":1},"), Additional},
		{TEXT("{\"a\":1}\u00a0"), Additional},
		{TEXT(""), TEXT("")},
		{TEXT("   "), TEXT("")},
		{TEXT("[1]"), TEXT("")},
		{TEXT("1"), TEXT("")},
		{TEXT("\"x\""), TEXT("")},
		{TEXT("true"), TEXT("")},
		{TEXT("null"), TEXT("")},
		{TEXT("event: message\ndata: {\"jsonrpc\":\"2.0\",\"id\":\"1\",\"result\":{}}\n\n"), TEXT("")},
		{TEXT("data: {\"jsonrpc\":\"2.0\"}"), TEXT("")},
		{TEXT("{\"a\":TRUEX}"), TEXT("")},
		{TEXT("{\"a\":tru}"), TEXT("")},
		{TEXT("{\"a\":yes}"), TEXT("")},
		{TEXT("{TRUE:1}"), TEXT("")},
	};
	for (const FCase& Case : Cases)
	{
		TSharedPtr<FJsonObject> Object;
		FString Error;
		const bool bParsed = Parse(Case.Text, Object, &Error);
		EXPECT_EQ(bParsed, Case.Error == nullptr) << UE::Host::ToUtf8(FStringView(Case.Text)) << " gave: " << UE::Host::ToUtf8(Error);
		EXPECT_EQ(Object.IsValid(), bParsed);
		EXPECT_EQ(Error.IsEmpty(), bParsed);
		EXPECT_TRUE(!Case.Error || !*Case.Error || Error.Contains(Case.Error)) << UE::Host::ToUtf8(Error);
	}

	TSharedPtr<FJsonObject> Object;
	ASSERT_TRUE(Parse(TEXT("{\"a\":TRUE,\"b\":False,\"c\":nULL,\"d\":\"TRUE\"}"), Object));
	EXPECT_TRUE(Object->GetBoolField(TEXT("a")));
	EXPECT_FALSE(Object->GetBoolField(TEXT("b")));
	EXPECT_TRUE(Object->HasTypedField<EJson::Null>(TEXT("c")));
	// Inside a string nothing changes.
	EXPECT_EQ(Object->GetStringField(TEXT("d")), FString(TEXT("TRUE")));
}

TEST(JsonReader, AnyDepthReadsWithoutRecursion)
{
	// The engine's reader has no depth limit, so neither has this one: callers guard themselves.
	constexpr int32 Depth = 200'000;
	TSharedPtr<FJsonObject> Object;
	FString Error;
	ASSERT_TRUE(Parse(Nested(Depth), Object, &Error)) << UE::Host::ToUtf8(Error);
	int32 Levels = 1;
	TSharedPtr<FJsonValue> Inner = Object->Values[TEXT("a")];
	while (Inner.IsValid() && Inner->Type == EJson::Array && Inner->AsArray().Num() == 1)
	{
		Inner = Inner->AsArray()[0];
		++Levels;
	}
	EXPECT_EQ(Levels, Depth - 1) << "the innermost array is empty";

	// Deep and unterminated: refused, with nothing left behind.
	TSharedPtr<FJsonValue> Value;
	EXPECT_FALSE(FJsonSerializer::Deserialize(TJsonReaderFactory<>::Create(Utf16(std::string(Depth, '['))), Value));
	EXPECT_FALSE(Value.IsValid());
}

TEST(JsonReader, NulAnywhereIsRefusedWithItsOffset)
{
	const auto WithNul = [](const char* Before, const char* After)
	{
		FString Text = Utf16(Before);
		Text.AppendChar(TCHAR(0));
		Text += Utf16(After);
		return Text;
	};
	// A NUL must not end the input early: what follows it is part of the text.
	const std::pair<std::string, std::string> Cases[] = {
		{"{\"jsonrpc\":\"2.0\",\"id\":\"1\",\"result\":{}}", "<html><body>Not Found</body></html>"},
		{"{\"a\":1}", ""},
		{"", "{\"a\":1}"},
	};
	TSharedPtr<FJsonObject> Object;
	FString Error;
	for (const auto& [Before, After] : Cases)
	{
		EXPECT_FALSE(Parse(WithNul(Before.c_str(), After.c_str()), Object, &Error)) << Before;
		EXPECT_FALSE(Object.IsValid());
		EXPECT_TRUE(Error.Contains(TEXT("NUL")) && Error.Contains(FString::Printf(TEXT("offset %d"), int32(Before.size())))) << UE::Host::ToUtf8(Error);
	}

	// The escaped form is an ordinary character of a string.
	ASSERT_TRUE(Parse(TEXT("{\"a\":\"x\\u0000y\"}"), Object, &Error)) << UE::Host::ToUtf8(Error);
	EXPECT_EQ(Object->GetStringField(TEXT("a")).Len(), 3);
}

TEST(JsonReader, InvalidUnicodeIsReplacedNotFatal)
{
	// An unpaired surrogate in the text itself becomes U+FFFD.
	FString Text = TEXT("{\"id\":\"a");
	Text.AppendChar(static_cast<TCHAR>(0xD800));
	Text += TEXT("b\"}");
	TSharedPtr<FJsonObject> Object;
	ASSERT_TRUE(Parse(Text, Object));
	EXPECT_EQ(Object->GetStringField(TEXT("id")), FString(TEXT("a\uFFFDb")));

	// Bytes that are not UTF-8 (as a hostile HTTP body may carry) decode to U+FFFD first.
	const FString FromBytes = UE::Host::FromUtf8(std::string_view("{\"id\":\"\xff\xc3(\"}"));
	ASSERT_TRUE(Parse(FromBytes, Object));
	EXPECT_EQ(Object->GetStringField(TEXT("id")).Left(1), FString(TEXT("\uFFFD")));

	// An escaped lone surrogate is refused with a message, not a crash.
	FString Error;
	EXPECT_FALSE(Parse(TEXT("{\"id\":\"\\ud800\"}"), Object, &Error));
	EXPECT_FALSE(Error.IsEmpty());
}
