// Copyright Vantle contributors. All Rights Reserved.
#include "HostSceneJson.h"

#include "HostScene.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <unordered_set>

namespace UE::Host::Scene
{
	namespace
	{
		// Watches the bytes the JSON lexer consumes and remembers where the latest key or value
		// token began: nlohmann's SAX events carry no position, but each event fires right after
		// its token was read (a number's one-byte lookahead is never the start of a token).
		struct FTokenTracker
		{
			const char* Begin = nullptr;
			size_t TokenStart = 0;
			bool bInString = false;
			bool bEscaped = false;
			bool bInBareToken = false;

			void Consume(const char* At)
			{
				const char Ch = *At;
				if (bInString)
				{
					if (bEscaped)
					{
						bEscaped = false;
					}
					else if (Ch == '\\')
					{
						bEscaped = true;
					}
					else if (Ch == '"')
					{
						bInString = false;
					}
					return;
				}
				switch (Ch)
				{
				case ' ':
				case '\t':
				case '\r':
				case '\n':
				case ',':
				case ':':
				case ']':
				case '}':
					bInBareToken = false;
					return;
				case '"':
					TokenStart = static_cast<size_t>(At - Begin);
					bInString = true;
					bInBareToken = false;
					return;
				case '{':
				case '[':
					TokenStart = static_cast<size_t>(At - Begin);
					bInBareToken = false;
					return;
				default:
					if (!bInBareToken)
					{
						TokenStart = static_cast<size_t>(At - Begin);
						bInBareToken = true;
					}
					return;
				}
			}
		};

		class FTrackingIterator
		{
		public:
			using iterator_category = std::input_iterator_tag;
			using value_type = char;
			using difference_type = std::ptrdiff_t;
			using pointer = const char*;
			using reference = const char&;

			FTrackingIterator() = default;
			FTrackingIterator(const char* InAt, FTokenTracker* InTracker) : At(InAt), Tracker(InTracker) {}

			const char& operator*() const { return *At; }
			FTrackingIterator& operator++()
			{
				if (Tracker)
				{
					Tracker->Consume(At);
				}
				++At;
				return *this;
			}
			FTrackingIterator operator++(int)
			{
				FTrackingIterator Previous = *this;
				++*this;
				return Previous;
			}
			bool operator==(const FTrackingIterator& Other) const { return At == Other.At; }
			bool operator!=(const FTrackingIterator& Other) const { return At != Other.At; }

		private:
			const char* At = nullptr;
			FTokenTracker* Tracker = nullptr;
		};

		using FJson = nlohmann::json;

		class FDomBuilder final : public nlohmann::json_sax<FJson>
		{
		public:
			FDomBuilder(std::string_view InText, const FTokenTracker& InTracker, FJsonValue& InRoot) : Text(InText), Tracker(InTracker), Root(InRoot) {}

			FString Error;

			bool null() override { return AddValue(FJsonValue::EKind::Null); }
			bool boolean(bool bValue) override
			{
				FJsonValue* Value = AddValue(FJsonValue::EKind::Bool);
				if (Value)
				{
					Value->bBool = bValue;
				}
				return Value != nullptr;
			}
			bool number_integer(number_integer_t) override { return AddNumber(); }
			bool number_unsigned(number_unsigned_t) override { return AddNumber(); }
			bool number_float(number_float_t, const string_t&) override { return AddNumber(); }
			bool string(string_t& InText) override
			{
				FJsonValue* Value = AddValue(FJsonValue::EKind::String);
				if (Value)
				{
					Value->Text = std::move(InText);
				}
				return Value != nullptr;
			}
			bool binary(binary_t&) override { return Fail(Tracker.TokenStart, TEXT("binary values are not JSON")); }
			bool start_object(std::size_t) override { return Open(FJsonValue::EKind::Object); }
			bool key(string_t& InKey) override
			{
				FOpenContainer& Top = Stack.back();
				if (!Top.Keys.insert(InKey).second)
				{
					return Fail(Tracker.TokenStart, FString::Printf(TEXT("duplicate key \"%s\""), *UE::Host::FromUtf8(InKey)));
				}
				PendingKey = std::move(InKey);
				PendingKeyOffset = Tracker.TokenStart;
				return true;
			}
			bool end_object() override { return Close(); }
			bool start_array(std::size_t) override { return Open(FJsonValue::EKind::Array); }
			bool end_array() override { return Close(); }
			bool parse_error(std::size_t Position, const std::string&, const nlohmann::detail::exception& Exception) override
			{
				// "[json.exception.parse_error.101] parse error at line 1, column 2: syntax error ..."
				std::string Message = Exception.what();
				const size_t Column = Message.find("column ");
				const size_t Colon = Column == std::string::npos ? std::string::npos : Message.find(": ", Column);
				if (Colon != std::string::npos)
				{
					Message.erase(0, Colon + 2);
				}
				return Fail(Position > 0 ? Position - 1 : 0, UE::Host::FromUtf8(Message));
			}

		private:
			struct FOpenContainer
			{
				FJsonValue* Value;
				std::unordered_set<std::string> Keys;
			};

			std::string_view Text;
			const FTokenTracker& Tracker;
			FJsonValue& Root;
			std::vector<FOpenContainer> Stack;
			std::string PendingKey;
			size_t PendingKeyOffset = 0;
			bool bHasRoot = false;
			int32 ValueCount = 0;

			bool Fail(size_t Offset, const FString& Message)
			{
				if (Error.IsEmpty())
				{
					Error = DescribePosition(Text, Offset) + TEXT(": ") + Message;
				}
				return false;
			}

			FJsonValue* AddValue(FJsonValue::EKind Kind)
			{
				if (++ValueCount > MaxSceneValueCount)
				{
					Fail(Tracker.TokenStart, FString::Printf(TEXT("more than %d JSON values"), MaxSceneValueCount));
					return nullptr;
				}
				FJsonValue* Value = nullptr;
				if (Stack.empty())
				{
					Value = &Root;
					bHasRoot = true;
				}
				else if (Stack.back().Value->Kind == FJsonValue::EKind::Array)
				{
					Value = &Stack.back().Value->Elements.emplace_back();
				}
				else
				{
					FJsonMember& Member = Stack.back().Value->Members.emplace_back();
					Member.Key = std::move(PendingKey);
					Member.KeyOffset = PendingKeyOffset;
					Value = &Member.Value;
				}
				Value->Kind = Kind;
				Value->Offset = Tracker.TokenStart;
				return Value;
			}

			bool AddNumber()
			{
				FJsonValue* Value = AddValue(FJsonValue::EKind::Number);
				if (!Value)
				{
					return false;
				}
				size_t End = Value->Offset;
				while (End < Text.size() && Text[End] != ',' && Text[End] != ']' && Text[End] != '}' && !std::isspace(static_cast<unsigned char>(Text[End])))
				{
					++End;
				}
				Value->Text.assign(Text.substr(Value->Offset, End - Value->Offset));
				return true;
			}

			bool Open(FJsonValue::EKind Kind)
			{
				if (static_cast<int32>(Stack.size()) >= MaxSceneNestingDepth)
				{
					return Fail(Tracker.TokenStart, FString::Printf(TEXT("nesting deeper than %d levels"), MaxSceneNestingDepth));
				}
				FJsonValue* Value = AddValue(Kind);
				if (!Value)
				{
					return false;
				}
				// Values are held by address while their container is open; children grow only the
				// innermost container, so no open container moves.
				Stack.push_back(FOpenContainer{Value, {}});
				return true;
			}

			bool Close()
			{
				Stack.pop_back();
				return true;
			}
		};
	}

	const FJsonMember* FJsonValue::FindMember(std::string_view Key) const
	{
		for (const FJsonMember& Member : Members)
		{
			if (Member.Key == Key)
			{
				return &Member;
			}
		}
		return nullptr;
	}

	FString DescribePosition(std::string_view Text, size_t Offset)
	{
		size_t Start = 0;
		if (Text.size() >= 3 && Text.compare(0, 3, "\xEF\xBB\xBF") == 0)
		{
			Start = 3;
		}
		Offset = std::min(Offset, Text.size());
		int32 Line = 1;
		int32 Column = 1;
		for (size_t Index = Start; Index < Offset; ++Index)
		{
			const unsigned char Byte = static_cast<unsigned char>(Text[Index]);
			if (Byte == '\n')
			{
				++Line;
				Column = 1;
			}
			else if ((Byte & 0xC0) != 0x80)
			{
				++Column;
			}
		}
		return FString::Printf(TEXT("%d:%d"), Line, Column);
	}

	bool ParseJson(std::string_view Text, FJsonValue& OutRoot, FString& OutError)
	{
		FTokenTracker Tracker;
		Tracker.Begin = Text.data();
		FJsonValue Root;
		FDomBuilder Builder(Text, Tracker, Root);
		const FTrackingIterator First(Text.data(), &Tracker);
		const FTrackingIterator Last(Text.data() + Text.size(), nullptr);
		const bool bParsed = FJson::sax_parse(First, Last, &Builder);
		if (!bParsed)
		{
			OutError = Builder.Error.IsEmpty() ? DescribePosition(Text, Text.size()) + TEXT(": not valid JSON") : Builder.Error;
			return false;
		}
		OutRoot = std::move(Root);
		return true;
	}
}
