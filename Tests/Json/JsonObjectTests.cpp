// Copyright Vantle contributors. All Rights Reserved.
#include "Dom/JsonObject.h"
#include "Policies/CondensedJsonPrintPolicy.h"
#include "Serialization/JsonReader.h"
#include "Serialization/JsonSerializer.h"
#include "Serialization/JsonWriter.h"

#include <gtest/gtest.h>


namespace
{
	TSharedPtr<FJsonObject> ParseObject(const TCHAR* Text)
	{
		TSharedPtr<FJsonObject> Object;
		FJsonSerializer::Deserialize(TJsonReaderFactory<>::Create(Text), Object);
		return Object;
	}

	FString Condensed(const TSharedRef<FJsonObject>& Object)
	{
		FString Out;
		const TSharedRef<TJsonWriter<TCHAR, TCondensedJsonPrintPolicy<TCHAR>>> Writer =
			TJsonWriterFactory<TCHAR, TCondensedJsonPrintPolicy<TCHAR>>::Create(&Out);
		EXPECT_TRUE(FJsonSerializer::Serialize(Object, Writer));
		return Out;
	}
}

TEST(JsonObject, FieldNamesIgnoreCase)
{
	const TSharedPtr<FJsonObject> Object = ParseObject(TEXT("{\"JsonRpc\":\"2.0\",\"id\":\"a\",\"ID\":\"b\"}"));
	ASSERT_TRUE(Object.IsValid());

	FString Version;
	EXPECT_TRUE(Object->TryGetStringField(TEXT("jsonrpc"), Version));
	EXPECT_EQ(Version, FString(TEXT("2.0")));
	EXPECT_TRUE(Object->HasField(TEXT("JSONRPC")));
	// Keys that differ only in case are one field; the later value wins.
	EXPECT_EQ(Object->Values.Num(), 2);
	EXPECT_EQ(Object->GetStringField(TEXT("Id")), FString(TEXT("b")));
}

TEST(JsonObject, StringReadsCoerceNumbersAndBooleansOnly)
{
	const TSharedPtr<FJsonObject> Object = ParseObject(TEXT("{\"int\":2.0,\"frac\":2.5,\"neg\":-7,\"t\":true,\"f\":false,\"z\":null,\"o\":{},\"a\":[\"x\"]}"));
	ASSERT_TRUE(Object.IsValid());

	const std::pair<const TCHAR*, const char*> Coerced[] = {{TEXT("int"), "2"}, {TEXT("frac"), "2.5"}, {TEXT("neg"), "-7"}, {TEXT("t"), "true"}, {TEXT("f"), "false"}};
	for (const auto& [Field, Expected] : Coerced)
	{
		FString Text;
		EXPECT_TRUE(Object->TryGetStringField(Field, Text)) << Expected;
		EXPECT_EQ(UE::Host::ToUtf8(Text), Expected);
	}
	for (const TCHAR* Field : {TEXT("z"), TEXT("o"), TEXT("a"), TEXT("missing")})
	{
		FString Untouched = TEXT("keep");
		EXPECT_FALSE(Object->TryGetStringField(Field, Untouched)) << UE::Host::ToUtf8(FStringView(Field));
	}
	// A coerced number is still not a string.
	EXPECT_FALSE(Object->HasTypedField<EJson::String>(TEXT("int")));
}

TEST(JsonObject, HasTypedFieldObjectIsExact)
{
	const TSharedPtr<FJsonObject> Object = ParseObject(TEXT("{\"empty\":{},\"null\":null,\"num\":1,\"str\":\"{}\",\"arr\":[{}]}"));
	ASSERT_TRUE(Object.IsValid());

	EXPECT_TRUE(Object->HasTypedField<EJson::Object>(TEXT("EMPTY")));
	EXPECT_FALSE(Object->HasTypedField<EJson::Object>(TEXT("null")));
	EXPECT_FALSE(Object->HasTypedField<EJson::Object>(TEXT("num")));
	EXPECT_FALSE(Object->HasTypedField<EJson::Object>(TEXT("str")));
	EXPECT_FALSE(Object->HasTypedField<EJson::Object>(TEXT("arr")));
	EXPECT_FALSE(Object->HasTypedField<EJson::Object>(TEXT("missing")));
	EXPECT_TRUE(Object->HasField(TEXT("null")));
}

TEST(JsonWriter, CondensedOutputEscapes)
{
	const TSharedRef<FJsonObject> Object = MakeShared<FJsonObject>();
	Object->SetStringField(TEXT("s"), TEXT("quote\" slash\\ line\n tab\t bell\u0007 \u00e4"));
	Object->SetNumberField(TEXT("n"), 2.0);
	Object->SetNumberField(TEXT("f"), 0.5);
	Object->SetBoolField(TEXT("b"), false);
	Object->SetField(TEXT("z"), MakeShared<FJsonValueNull>());
	Object->SetArrayField(TEXT("a"), {MakeShared<FJsonValueNumber>(1.0), MakeShared<FJsonValueObject>(MakeShared<FJsonObject>())});
	const TSharedRef<FJsonObject> Inner = MakeShared<FJsonObject>();
	Inner->SetStringField(TEXT("k"), TEXT("v"));
	Object->SetObjectField(TEXT("o"), Inner);

	const FString Text = Condensed(Object);
	EXPECT_EQ(
		Text,
		FString(TEXT(
			"{\"s\":\"quote\\\" slash\\\\ line\\n tab\\t bell\\u0007 \u00e4\",\"n\":2,\"f\":0.5,\"b\":false,\"z\":null,\"a\":[1,{}],\"o\":{\"k\":\"v\"}}")));

	// Reading both forms back, negative zero included, is the JSON fuzz target's round trip.
}

TEST(JsonValue, DeepTreesAreFreedAndWrittenWithoutRecursion)
{
	// Deeper than any text a test reads: code builds it, and it must still be safe.
	constexpr int32 Depth = 1'000'000;
	TSharedPtr<FJsonValue> Chain = MakeShared<FJsonValueNull>();
	for (int32 Level = 0; Level < Depth; ++Level)
	{
		if (Level % 2 == 0)
		{
			Chain = MakeShared<FJsonValueArray>(TArray<TSharedPtr<FJsonValue>>{Chain});
		}
		else
		{
			const TSharedRef<FJsonObject> Object = MakeShared<FJsonObject>();
			Object->SetField(TEXT("next"), Chain);
			Chain = MakeShared<FJsonValueObject>(Object.ToSharedPtr());
		}
	}

	FString Out;
	const TSharedRef<FJsonObject> Root = MakeShared<FJsonObject>();
	Root->SetField(TEXT("chain"), Chain);
	Chain.Reset();
	EXPECT_TRUE(FJsonSerializer::Serialize(Root, TJsonWriterFactory<TCHAR, TCondensedJsonPrintPolicy<TCHAR>>::Create(&Out)));
	EXPECT_GT(Out.Len(), Depth);
	EXPECT_TRUE(Out.EndsWith(TEXT("]}}"))) << "the chain closes with its outermost array and the root";
	// Root goes out of scope here; a recursive release would overflow the stack.
}
