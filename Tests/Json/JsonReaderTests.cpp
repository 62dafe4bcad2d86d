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
	ASSERT_TRUE(Object.IsValid());

	EXPECT_EQ(Object->GetStringField(TEXT("s")), FString(TEXT("x\u00e4\U0001F600")));
	EXPECT_EQ(Object->GetNumberField(TEXT("n")), -25.0);
	EXPECT_TRUE(Object->GetBoolField(TEXT("b")));
	EXPECT_TRUE(Object->HasTypedField<EJson::Null>(TEXT("z")));
	const TArray<TSharedPtr<FJsonValue>>& Array = Object->GetArrayField(TEXT("a"));
	ASSERT_EQ(Array.Num(), 3);
	EXPECT_EQ(Array[0]->Type, EJson::Number);
	EXPECT_EQ(Array[1]->Type, EJson::String);
	EXPECT_EQ(Array[2]->AsArray().Num(), 0);
	EXPECT_TRUE(Object->GetObjectField(TEXT("o"))->HasTypedField<EJson::Object>(TEXT("k")));
}

TEST(JsonReader, AcceptsOnlyWhitespaceAfterTheRoot)
{
	TSharedPtr<FJsonObject> Object;
	EXPECT_TRUE(Parse(TEXT(" \t\r\n{\"a\":1} \t\r\n"), Object));

	for (const TCHAR* Text : {TEXT("{\"a\":1}garbage"), TEXT("{\"a\":1}{\"b\":2}"), TEXT("{\"a\":1},"), TEXT("{\"a\":1}\u00a0")})
	{
		TSharedPtr<FJsonObject> Rejected;
		FString Error;
		EXPECT_FALSE(Parse(Text, Rejected, &Error)) << UE::Host::ToUtf8(FStringView(Text));
		EXPECT_FALSE(Rejected.IsValid());
		EXPECT_EQ(Error, FString(TEXT("Unexpected additional input found.")));
	}
}

TEST(JsonReader, ObjectOverloadNeedsAnObjectRoot)
{
	// An event stream's framing is not JSON either.
	for (const TCHAR* Text : {TEXT(""), TEXT("   "), TEXT("[1]"), TEXT("1"), TEXT("\"x\""), TEXT("true"), TEXT("null"),
			 TEXT("event: message\ndata: {\"jsonrpc\":\"2.0\",\"id\":\"1\",\"result\":{}}\n\n"), TEXT("data: {\"jsonrpc\":\"2.0\"}")})
	{
		TSharedPtr<FJsonObject> Object;
		FString Error;
		EXPECT_FALSE(Parse(Text, Object, &Error)) << "input: '" << UE::Host::ToUtf8(FStringView(Text)) << "'";
		EXPECT_FALSE(Object.IsValid());
		EXPECT_FALSE(Error.IsEmpty());
	}

	// The other overloads take what the object overload refuses.
	TArray<TSharedPtr<FJsonValue>> Array;
	EXPECT_TRUE(FJsonSerializer::Deserialize(TJsonReaderFactory<>::Create(TEXT("[1,2]")), Array));
	EXPECT_EQ(Array.Num(), 2);
	TSharedPtr<FJsonValue> Value;
	EXPECT_TRUE(FJsonSerializer::Deserialize(TJsonReaderFactory<>::Create(TEXT("\"x\"")), Value));
	EXPECT_EQ(Value->AsString(), FString(TEXT("x")));
}

TEST(JsonReader, LiteralsMatchInAnyCaseButNothingElseDoes)
{
	TSharedPtr<FJsonObject> Object;
	ASSERT_TRUE(Parse(TEXT("{\"a\":TRUE,\"b\":False,\"c\":nULL,\"d\":\"TRUE\"}"), Object));
	EXPECT_TRUE(Object->HasTypedField<EJson::Boolean>(TEXT("a")));
	EXPECT_TRUE(Object->GetBoolField(TEXT("a")));
	EXPECT_FALSE(Object->GetBoolField(TEXT("b")));
	EXPECT_TRUE(Object->HasTypedField<EJson::Null>(TEXT("c")));
	// Inside a string nothing changes.
	EXPECT_TRUE(Object->HasTypedField<EJson::String>(TEXT("d")));
	EXPECT_EQ(Object->GetStringField(TEXT("d")), FString(TEXT("TRUE")));

	for (const TCHAR* Text : {TEXT("{\"a\":TRUEX}"), TEXT("{\"a\":tru}"), TEXT("{\"a\":yes}"), TEXT("{TRUE:1}")})
	{
		TSharedPtr<FJsonObject> Rejected;
		EXPECT_FALSE(Parse(Text, Rejected)) << UE::Host::ToUtf8(FStringView(Text));
	}
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
	const FString Cases[] = {
		WithNul("{\"jsonrpc\":\"2.0\"}", "{\"evil\":"),
		WithNul("{\"jsonrpc\":\"2.0\",\"id\":\"1\",\"result\":{}}", "<html><body>Not Found</body></html>"),
		WithNul("{\"a\":1}", ""),
		WithNul("{\"a\":\"x", "y\"}"),
		WithNul("", "{\"a\":1}"),
	};
	for (const FString& Text : Cases)
	{
		TSharedPtr<FJsonObject> Object;
		FString Error;
		EXPECT_FALSE(Parse(Text, Object, &Error)) << UE::Host::ToUtf8(Text);
		EXPECT_FALSE(Object.IsValid());
		EXPECT_TRUE(Error.Contains(TEXT("NUL"))) << UE::Host::ToUtf8(Error);
	}
	TSharedPtr<FJsonObject> Object;
	FString Error;
	Parse(WithNul("{\"a\":1}", ""), Object, &Error);
	EXPECT_TRUE(Error.Contains(TEXT("offset 7"))) << UE::Host::ToUtf8(Error);

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

TEST(JsonReader, ReaderIsConsumedByOneRead)
{
	const TSharedRef<TJsonReader<TCHAR>> Reader = TJsonReaderFactory<>::Create(TEXT("{\"a\":1}"));
	TSharedPtr<FJsonObject> First;
	TSharedPtr<FJsonObject> Second;
	EXPECT_TRUE(FJsonSerializer::Deserialize(Reader, First));
	EXPECT_TRUE(Reader->GetErrorMessage().IsEmpty());
	EXPECT_FALSE(FJsonSerializer::Deserialize(Reader, Second));
	EXPECT_FALSE(Second.IsValid());
}
