// Copyright Vantle contributors. All Rights Reserved.
// The host JSON reader through every way the plugin's engine API offers to read text, and the
// writer's output read back. Input: one byte choosing the reader form, the encoding and the root
// overload, the rest is the text (UTF-8, or UTF-16 code units so that unpaired surrogates occur).
#include "Dom/JsonObject.h"
#include "FuzzSupport.h"
#include "Policies/CondensedJsonPrintPolicy.h"
#include "Serialization/JsonReader.h"
#include "Serialization/JsonSerializer.h"
#include "Serialization/JsonWriter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace
{
	FString TextOf(const std::string& Bytes, bool bUtf16)
	{
		if (!bUtf16)
		{
			return UE::Host::FromUtf8(Bytes);
		}
		std::u16string Units(Bytes.size() / 2, u'\0');
		for (size_t Index = 0; Index < Units.size(); ++Index)
		{
			Units[Index] = static_cast<char16_t>(static_cast<uint8_t>(Bytes[2 * Index]) | (static_cast<uint8_t>(Bytes[2 * Index + 1]) << 8));
		}
		return FString(std::move(Units));
	}

	TSharedRef<TJsonReader<TCHAR>> ReaderOf(const FString& Text, uint8 Form)
	{
		switch (Form % 3)
		{
		case 0:
			return TJsonReaderFactory<>::Create(Text);
		case 1:
			return TJsonReaderFactory<>::Create(FString(Text));
		default:
			return TJsonReaderFactory<>::CreateFromView(FStringView(Text));
		}
	}

	// Same tree, numbers to the bit (so -0.0 stays negative); OutDepth is how deeply arrays and
	// objects nest, counting the root. Walks with its own stack.
	bool SameTree(const FJsonValue* A, const FJsonValue* B, int32* OutDepth = nullptr)
	{
		int32 Deepest = 0;
		std::vector<std::tuple<const FJsonValue*, const FJsonValue*, int32>> Pending{{A, B, 1}};
		while (!Pending.empty())
		{
			const auto [Left, Right, Depth] = Pending.back();
			Pending.pop_back();
			if (!Left || !Right || Left->Type != Right->Type)
			{
				return false;
			}
			const double LeftNumber = Left->Type == EJson::Number ? Left->AsNumber() : 0.0;
			const double RightNumber = Right->Type == EJson::Number ? Right->AsNumber() : 0.0;
			if (std::memcmp(&LeftNumber, &RightNumber, sizeof(double)) != 0 || (Left->Type == EJson::String && Left->AsString() != Right->AsString()) ||
				(Left->Type == EJson::Boolean && Left->AsBool() != Right->AsBool()))
			{
				return false;
			}
			if (Left->Type == EJson::Array)
			{
				const TArray<TSharedPtr<FJsonValue>>& L = Left->AsArray();
				const TArray<TSharedPtr<FJsonValue>>& R = Right->AsArray();
				if (L.Num() != R.Num())
				{
					return false;
				}
				for (int32 Index = 0; Index < L.Num(); ++Index)
				{
					Pending.push_back({L[Index].Get(), R[Index].Get(), Depth + 1});
				}
			}
			else if (Left->Type == EJson::Object)
			{
				const TSharedPtr<FJsonObject>& L = Left->AsObject();
				const TSharedPtr<FJsonObject>& R = Right->AsObject();
				if (!L.IsValid() || !R.IsValid() || L->Values.Num() != R->Values.Num())
				{
					return false;
				}
				for (const auto& Pair : L->Values)
				{
					const TSharedPtr<FJsonValue>* Other = R->Values.Find(Pair.Key);
					if (!Other)
					{
						return false;
					}
					Pending.push_back({Pair.Value.Get(), Other->Get(), Depth + 1});
				}
			}
			Deepest = Left->Type == EJson::Array || Left->Type == EJson::Object ? std::max(Deepest, Depth) : Deepest;
		}
		if (OutDepth)
		{
			*OutDepth = Deepest;
		}
		return true;
	}

	template <class PrintPolicy> FString Write(const TSharedPtr<FJsonValue>& Root)
	{
		FString Out;
		const TSharedRef<TJsonWriter<TCHAR, PrintPolicy>> Writer = TJsonWriterFactory<TCHAR, PrintPolicy>::Create(&Out);
		bool bWritten = false;
		if (Root->Type == EJson::Object)
		{
			bWritten = FJsonSerializer::Serialize(Root->AsObject().ToSharedRef(), Writer);
		}
		else
		{
			bWritten = FJsonSerializer::Serialize(Root->AsArray(), Writer);
		}
		VANTLE_FUZZ_CHECK(bWritten);
		return Out;
	}

	// Written out, the tree reads back as the same tree, and writing that gives the same text.
	template <class PrintPolicy> void CheckRoundTrip(const TSharedPtr<FJsonValue>& Root)
	{
		const FString Text = Write<PrintPolicy>(Root);
		TSharedPtr<FJsonValue> Back;
		const TSharedRef<TJsonReader<TCHAR>> Reader = TJsonReaderFactory<>::Create(Text);
		if (!FJsonSerializer::Deserialize(Reader, Back))
		{
			std::fprintf(stderr, "written text does not read back: %s\n%s\n", UE::Host::ToUtf8(Reader->GetErrorMessage()).c_str(), UE::Host::ToUtf8(Text).c_str());
			VANTLE_FUZZ_CHECK(false);
		}
		VANTLE_FUZZ_CHECK(SameTree(Root.Get(), Back.Get()));
		VANTLE_FUZZ_CHECK(Write<PrintPolicy>(Back) == Text);
	}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
	FFuzzInput Input(Data, Size);
	const uint8 Mode = Input.Byte();
	const FString Text = TextOf(Input.Rest(), (Mode & 0x10) != 0);
	int32 Nul = INDEX_NONE;
	const bool bHasNul = Text.FindChar(TCHAR(0), Nul);

	TSharedPtr<FJsonValue> Value;
	const TSharedRef<TJsonReader<TCHAR>> Reader = ReaderOf(Text, Mode);
	const bool bRead = FJsonSerializer::Deserialize(Reader, Value);
	VANTLE_FUZZ_CHECK(bRead == Value.IsValid());
	VANTLE_FUZZ_CHECK(bRead == Reader->GetErrorMessage().IsEmpty());
	VANTLE_FUZZ_CHECK(!(bRead && bHasNul));
	// A reader reads its text once.
	TSharedPtr<FJsonValue> Again;
	VANTLE_FUZZ_CHECK(!FJsonSerializer::Deserialize(Reader, Again) && !Again.IsValid());

	// The object and array overloads agree with the value overload on the root's kind.
	TSharedPtr<FJsonObject> Object;
	const TSharedRef<TJsonReader<TCHAR>> ObjectReader = ReaderOf(Text, Mode / 3);
	const bool bObject = FJsonSerializer::Deserialize(ObjectReader, Object);
	VANTLE_FUZZ_CHECK(bObject == (bRead && Value->Type == EJson::Object));
	VANTLE_FUZZ_CHECK(bObject == Object.IsValid());
	VANTLE_FUZZ_CHECK(bObject == ObjectReader->GetErrorMessage().IsEmpty());
	TArray<TSharedPtr<FJsonValue>> Array;
	const TSharedRef<TJsonReader<TCHAR>> ArrayReader = ReaderOf(Text, Mode / 9);
	const bool bArray = FJsonSerializer::Deserialize(ArrayReader, Array);
	VANTLE_FUZZ_CHECK(bArray == (bRead && Value->Type == EJson::Array));
	VANTLE_FUZZ_CHECK(bArray || Array.IsEmpty());
	VANTLE_FUZZ_CHECK(bArray == ArrayReader->GetErrorMessage().IsEmpty());

	if (bObject)
	{
		const FJsonValueObject Wrapped(Object);
		VANTLE_FUZZ_CHECK(SameTree(Value.Get(), &Wrapped));
	}
	if (bArray)
	{
		const FJsonValueArray Wrapped(Array);
		VANTLE_FUZZ_CHECK(SameTree(Value.Get(), &Wrapped));
	}
	// The serializer writes objects and arrays as the root; other roots have no writer.
	if (bObject || bArray)
	{
		CheckRoundTrip<TCondensedJsonPrintPolicy<TCHAR>>(Value);
		// Pretty output indents every line by its depth, so its size grows with the square of the
		// depth (as the engine's does); deep trees would only time out.
		int32 Depth = 0;
		if (SameTree(Value.Get(), Value.Get(), &Depth) && Depth <= 256)
		{
			CheckRoundTrip<TPrettyJsonPrintPolicy<TCHAR>>(Value);
		}
	}
	return 0;
}
