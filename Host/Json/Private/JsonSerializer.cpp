// Copyright Vantle contributors. All Rights Reserved.
#include "Serialization/JsonSerializer.h"

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>

namespace
{
	using FNlohmannJson = nlohmann::json;

	// Builds the value tree from nlohmann's events with a stack of its own, so any depth reads
	// without recursion (the engine's reader has no depth limit either). Returning false from an
	// event stops the parse.
	class FValueBuilder
	{
	public:
		using number_integer_t = FNlohmannJson::number_integer_t;
		using number_unsigned_t = FNlohmannJson::number_unsigned_t;
		using number_float_t = FNlohmannJson::number_float_t;
		using string_t = FNlohmannJson::string_t;
		using binary_t = FNlohmannJson::binary_t;

		TSharedPtr<FJsonValue> Root;
		FString Error;

		bool null() { return Add(MakeShared<FJsonValueNull>()); }
		bool boolean(bool bValue) { return Add(MakeShared<FJsonValueBoolean>(bValue)); }
		bool number_integer(number_integer_t Value) { return Add(MakeShared<FJsonValueNumber>(static_cast<double>(Value))); }
		bool number_unsigned(number_unsigned_t Value) { return Add(MakeShared<FJsonValueNumber>(static_cast<double>(Value))); }
		bool number_float(number_float_t Value, const string_t&) { return Add(MakeShared<FJsonValueNumber>(Value)); }
		bool string(string_t& Value) { return Add(MakeShared<FJsonValueString>(UE::Host::FromUtf8(Value))); }
		bool binary(binary_t&)
		{
			Error = TEXT("Binary values are not JSON.");
			return false;
		}

		bool start_object(std::size_t) { return Open(true); }
		bool key(string_t& Key)
		{
			Stack.Last().PendingKey = UE::Host::FromUtf8(Key);
			return true;
		}
		bool end_object() { return CloseScope(); }
		bool start_array(std::size_t) { return Open(false); }
		bool end_array() { return CloseScope(); }

		bool parse_error(std::size_t Position, const std::string& LastToken, const nlohmann::detail::exception& Exception)
		{
			if (Error.IsEmpty())
			{
				Error = Describe(Exception.what());
			}
			return false;
		}

	private:
		struct FScope
		{
			bool bObject;
			TSharedPtr<FJsonObject> Object;
			TArray<TSharedPtr<FJsonValue>> Elements;
			FString PendingKey;
		};

		bool Open(bool bObject)
		{
			FScope Scope{bObject, bObject ? MakeShared<FJsonObject>().ToSharedPtr() : TSharedPtr<FJsonObject>(), {}, {}};
			Stack.Add(std::move(Scope));
			return true;
		}

		bool CloseScope()
		{
			FScope Scope = Stack.Pop();
			if (Scope.bObject)
			{
				return Add(MakeShared<FJsonValueObject>(std::move(Scope.Object)));
			}
			return Add(MakeShared<FJsonValueArray>(std::move(Scope.Elements)));
		}

		bool Add(TSharedPtr<FJsonValue> Value)
		{
			if (Stack.IsEmpty())
			{
				Root = std::move(Value);
				return true;
			}
			FScope& Top = Stack.Last();
			if (Top.bObject)
			{
				// A repeated key keeps the last value, as the engine's map does.
				Top.Object->Values.Add(Top.PendingKey, Value);
			}
			else
			{
				Top.Elements.Add(std::move(Value));
			}
			return true;
		}

		static FString Describe(const char* What)
		{
			std::string_view Text(What);
			// The engine reports trailing text in its own words; everything else keeps the
			// position nlohmann gives, without its exception tag.
			if (Text.find("; expected end of input") != std::string_view::npos)
			{
				return TEXT("Unexpected additional input found.");
			}
			const size_t TagEnd = Text.find("] ");
			if (Text.starts_with("[json.exception.") && TagEnd != std::string_view::npos)
			{
				Text.remove_prefix(TagEnd + 2);
			}
			return UE::Host::FromUtf8(Text);
		}

		TArray<FScope> Stack;
	};

	// The engine's reader matches true, false and null in any case; nlohmann only in lower case.
	// Words outside strings are lower-cased when they spell one of the three, so nothing else can
	// become valid.
	void LowerCaseLiterals(std::string& Utf8)
	{
		bool bInString = false;
		for (size_t Index = 0; Index < Utf8.size(); ++Index)
		{
			const char Ch = Utf8[Index];
			if (bInString)
			{
				if (Ch == '\\')
				{
					++Index;
				}
				else if (Ch == '"')
				{
					bInString = false;
				}
				continue;
			}
			if (Ch == '"')
			{
				bInString = true;
				continue;
			}
			const auto IsLetter = [](char C) { return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z'); };
			if (!IsLetter(Ch))
			{
				continue;
			}
			size_t End = Index;
			while (End < Utf8.size() && IsLetter(Utf8[End]))
			{
				++End;
			}
			std::string Word = Utf8.substr(Index, End - Index);
			for (char& C : Word)
			{
				C = static_cast<char>(C >= 'A' && C <= 'Z' ? C + ('a' - 'A') : C);
			}
			if (Word == "true" || Word == "false" || Word == "null")
			{
				Utf8.replace(Index, Word.size(), Word);
			}
			Index = End - 1;
		}
	}
}

bool FJsonSerializer::ReadDocument(TJsonReader<TCHAR>& Reader, TSharedPtr<FJsonValue>& OutValue)
{
	if (Reader.bConsumed)
	{
		Reader.ErrorMessage = TEXT("The reader has already been read to its end.");
		return false;
	}
	Reader.bConsumed = true;
	Reader.ErrorMessage.Reset();

	// nlohmann takes U+0000 for the end of the input and would accept whatever came before it.
	int32 Nul = INDEX_NONE;
	if (Reader.Text.FindChar(TCHAR(0), Nul))
	{
		Reader.ErrorMessage = FString::Printf(TEXT("A NUL character (U+0000) at offset %d is not valid JSON."), Nul);
		Reader.Text.Empty();
		return false;
	}

	// Unpaired surrogates become U+FFFD here, so the parser only ever sees valid UTF-8.
	std::string Utf8 = UE::Host::ToUtf8(Reader.Text);
	Reader.Text.Empty();
	LowerCaseLiterals(Utf8);

	FValueBuilder Builder;
	const bool bParsed = FNlohmannJson::sax_parse(Utf8, &Builder, nlohmann::json::input_format_t::json, true, false);
	if (!bParsed || !Builder.Root.IsValid())
	{
		Reader.ErrorMessage = Builder.Error.IsEmpty() ? FString(TEXT("Invalid JSON.")) : Builder.Error;
		return false;
	}
	OutValue = std::move(Builder.Root);
	return true;
}
