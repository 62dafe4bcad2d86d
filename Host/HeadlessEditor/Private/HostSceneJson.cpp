// Copyright Vantle contributors. All Rights Reserved.
#include "HostSceneJson.h"

#include "HostScene.h"
#include "HostSceneDescription.h"
#include "HostCore.h"

#include <algorithm>
#include <unordered_set>

namespace UE::Host::Scene
{
	namespace
	{
		// JSON read by hand rather than through a library, so that every message is ours, names the
		// place the reader stopped at and quotes the text it found there.
		class FJsonParser
		{
		public:
			explicit FJsonParser(std::string_view InText) : Text(InText) {}

			FString Error;

			bool ParseDocument(FJsonValue& Root)
			{
				SkipSpace();
				if (AtEnd())
				{
					return Fail(Pos, Text.empty() ? TEXT("the file is empty; a scene file holds one JSON object") : TEXT("the file holds no JSON value; a scene file holds one JSON object"));
				}
				if (!ParseValue(Root, 0))
				{
					return false;
				}
				SkipSpace();
				if (!AtEnd())
				{
					return Fail(Pos, TEXT("unexpected ") + DescribeAt(Pos) + TEXT(" after the end of the scene; a scene file holds exactly one JSON object"));
				}
				return true;
			}

		private:
			std::string_view Text;
			size_t Pos = 0;
			int32 ValueCount = 0;

			bool AtEnd() const { return Pos >= Text.size(); }
			char Peek() const { return Text[Pos]; }

			bool Fail(size_t At, const FString& Message)
			{
				if (Error.IsEmpty())
				{
					Error = DescribePosition(Text, At) + TEXT(": ") + Message;
				}
				return false;
			}

			void SkipSpace()
			{
				while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r'))
				{
					++Pos;
				}
			}

			// The length of the UTF-8 sequence at At, or 0 when the bytes there are not UTF-8.
			size_t Utf8Length(size_t At, char32_t& OutCodePoint) const
			{
				const unsigned char Lead = static_cast<unsigned char>(Text[At]);
				size_t Length = 0;
				char32_t CodePoint = 0;
				char32_t Minimum = 0;
				if (Lead < 0x80)
				{
					OutCodePoint = Lead;
					return 1;
				}
				if ((Lead & 0xE0) == 0xC0)
				{
					Length = 2;
					CodePoint = Lead & 0x1F;
					Minimum = 0x80;
				}
				else if ((Lead & 0xF0) == 0xE0)
				{
					Length = 3;
					CodePoint = Lead & 0x0F;
					Minimum = 0x800;
				}
				else if ((Lead & 0xF8) == 0xF0)
				{
					Length = 4;
					CodePoint = Lead & 0x07;
					Minimum = 0x10000;
				}
				else
				{
					return 0;
				}
				if (At + Length > Text.size())
				{
					return 0;
				}
				for (size_t Index = 1; Index < Length; ++Index)
				{
					const unsigned char Next = static_cast<unsigned char>(Text[At + Index]);
					if ((Next & 0xC0) != 0x80)
					{
						return 0;
					}
					CodePoint = (CodePoint << 6) | (Next & 0x3F);
				}
				if (CodePoint < Minimum || CodePoint > 0x10FFFF || (CodePoint >= 0xD800 && CodePoint <= 0xDFFF))
				{
					return 0;
				}
				OutCodePoint = CodePoint;
				return Length;
			}

			// What the reader found at At, for a message: the character, quoted and escaped.
			FString DescribeAt(size_t At) const
			{
				if (At >= Text.size())
				{
					return TEXT("end of file");
				}
				char32_t CodePoint = 0;
				const size_t Length = Utf8Length(At, CodePoint);
				if (Length == 0)
				{
					return FString::Printf(TEXT("byte 0x%02X, which is not UTF-8"), static_cast<unsigned>(static_cast<unsigned char>(Text[At])));
				}
				return TEXT("character ") + QuoteForMessage(FromUtf8(std::string(Text.substr(At, Length))), u'\'');
			}

			bool CountValue(size_t At)
			{
				if (++ValueCount > MaxSceneValueCount)
				{
					return Fail(At, FString::Printf(TEXT("more than %d values; a scene file may hold no more"), MaxSceneValueCount));
				}
				return true;
			}

			bool ParseValue(FJsonValue& Out, int32 Depth)
			{
				if (AtEnd())
				{
					return Fail(Pos, TEXT("the file ends where a value should follow"));
				}
				Out.Offset = Pos;
				const char Ch = Peek();
				if (Ch == '{' || Ch == '[')
				{
					if (Depth >= MaxSceneNestingDepth)
					{
						return Fail(Pos, FString::Printf(TEXT("objects and arrays nested deeper than %d levels"), MaxSceneNestingDepth));
					}
					if (!CountValue(Pos))
					{
						return false;
					}
					return Ch == '{' ? ParseObject(Out, Depth + 1) : ParseArray(Out, Depth + 1);
				}
				if (!CountValue(Pos))
				{
					return false;
				}
				if (Ch == '"')
				{
					Out.Kind = FJsonValue::EKind::String;
					return ParseString(Out.Text);
				}
				if (Ch == '-' || (Ch >= '0' && Ch <= '9'))
				{
					return ParseNumber(Out);
				}
				if ((Ch >= 'a' && Ch <= 'z') || (Ch >= 'A' && Ch <= 'Z'))
				{
					return ParseWord(Out);
				}
				if (Ch == '\'')
				{
					return Fail(Pos, TEXT("strings are written in double quotes, not single quotes"));
				}
				if (Ch == '/')
				{
					return Fail(Pos, TEXT("comments are not allowed in a scene file"));
				}
				if (Ch == '}' || Ch == ']' || Ch == ',')
				{
					return Fail(Pos, TEXT("expected a value, found ") + DescribeAt(Pos));
				}
				return Fail(Pos, TEXT("unexpected ") + DescribeAt(Pos) + TEXT("; expected a value (a string, number, object, array, true, false or null)"));
			}

			bool ParseWord(FJsonValue& Out)
			{
				const size_t Start = Pos;
				while (!AtEnd() && ((Peek() >= 'a' && Peek() <= 'z') || (Peek() >= 'A' && Peek() <= 'Z') || (Peek() >= '0' && Peek() <= '9') || Peek() == '_'))
				{
					++Pos;
				}
				const std::string_view Word = Text.substr(Start, Pos - Start);
				if (Word == "true" || Word == "false")
				{
					Out.Kind = FJsonValue::EKind::Bool;
					Out.bBool = Word == "true";
					return true;
				}
				if (Word == "null")
				{
					Out.Kind = FJsonValue::EKind::Null;
					return true;
				}
				return Fail(Start, TEXT("unknown word ") + QuoteForMessage(FromUtf8(std::string(Word)))
						+ TEXT("; a value is a string in double quotes, a number, an object, an array, true, false or null"));
			}

			bool ParseNumber(FJsonValue& Out)
			{
				const size_t Start = Pos;
				auto Digits = [this]()
				{
					const size_t First = Pos;
					while (!AtEnd() && Peek() >= '0' && Peek() <= '9')
					{
						++Pos;
					}
					return Pos - First;
				};
				bool bValid = true;
				if (Peek() == '-')
				{
					++Pos;
				}
				const size_t IntegerStart = Pos;
				const size_t IntegerDigits = Digits();
				bValid &= IntegerDigits > 0 && !(IntegerDigits > 1 && Text[IntegerStart] == '0');
				if (bValid && !AtEnd() && Peek() == '.')
				{
					++Pos;
					bValid &= Digits() > 0;
				}
				if (bValid && !AtEnd() && (Peek() == 'e' || Peek() == 'E'))
				{
					++Pos;
					if (!AtEnd() && (Peek() == '+' || Peek() == '-'))
					{
						++Pos;
					}
					bValid &= Digits() > 0;
				}
				// Letters or digits glued to the number belong to the bad token too.
				while (!AtEnd() && ((Peek() >= 'a' && Peek() <= 'z') || (Peek() >= 'A' && Peek() <= 'Z') || (Peek() >= '0' && Peek() <= '9') || Peek() == '.'))
				{
					bValid = false;
					++Pos;
				}
				if (!bValid)
				{
					return Fail(Start, TEXT("malformed number ") + QuoteForMessage(FromUtf8(std::string(Text.substr(Start, Pos - Start)))));
				}
				Out.Kind = FJsonValue::EKind::Number;
				Out.Text.assign(Text.substr(Start, Pos - Start));
				return true;
			}

			bool ParseHex4(size_t At, char32_t& Out)
			{
				Out = 0;
				for (size_t Index = 0; Index < 4; ++Index)
				{
					if (At + Index >= Text.size())
					{
						return false;
					}
					const char Ch = Text[At + Index];
					int Digit = -1;
					if (Ch >= '0' && Ch <= '9')
					{
						Digit = Ch - '0';
					}
					else if (Ch >= 'a' && Ch <= 'f')
					{
						Digit = Ch - 'a' + 10;
					}
					else if (Ch >= 'A' && Ch <= 'F')
					{
						Digit = Ch - 'A' + 10;
					}
					if (Digit < 0)
					{
						return false;
					}
					Out = (Out << 4) | static_cast<char32_t>(Digit);
				}
				return true;
			}

			// At the opening quote; decodes into Out (UTF-8).
			bool ParseString(std::string& Out)
			{
				const size_t Start = Pos;
				++Pos;
				Out.clear();
				while (true)
				{
					if (AtEnd())
					{
						return Fail(Start, TEXT("this string is not closed; the file ends before its closing '\"'"));
					}
					const unsigned char Byte = static_cast<unsigned char>(Peek());
					if (Byte == '"')
					{
						++Pos;
						return true;
					}
					if (Byte == '\n' || Byte == '\r')
					{
						return Fail(Start, TEXT("this string is not closed on its line; write a line break inside a string as \\n"));
					}
					if (Byte < 0x20)
					{
						return Fail(Pos, FString::Printf(TEXT("control character U+%04X inside a string; write it as an escape such as \\u%04X"), Byte, Byte));
					}
					if (Byte == '\\')
					{
						if (!ParseEscape(Out))
						{
							return false;
						}
						continue;
					}
					char32_t CodePoint = 0;
					const size_t Length = Utf8Length(Pos, CodePoint);
					if (Length == 0)
					{
						return Fail(Pos, FString::Printf(TEXT("byte 0x%02X is not UTF-8; scene files are UTF-8"), static_cast<unsigned>(Byte)));
					}
					Out.append(Text.substr(Pos, Length));
					Pos += Length;
				}
			}

			bool ParseEscape(std::string& Out)
			{
				const size_t At = Pos;
				if (Pos + 1 >= Text.size())
				{
					return Fail(At, TEXT("the file ends inside an escape sequence"));
				}
				const char Kind = Text[Pos + 1];
				Pos += 2;
				switch (Kind)
				{
				case '"':
					Out += '"';
					return true;
				case '\\':
					Out += '\\';
					return true;
				case '/':
					Out += '/';
					return true;
				case 'b':
					Out += '\b';
					return true;
				case 'f':
					Out += '\f';
					return true;
				case 'n':
					Out += '\n';
					return true;
				case 'r':
					Out += '\r';
					return true;
				case 't':
					Out += '\t';
					return true;
				case 'u':
					break;
				default:
					Pos = At;
					return Fail(At, TEXT("unknown escape ") + QuoteForMessage(FromUtf8(std::string(Text.substr(At, Utf8Span(At + 1) + 1))))
							+ TEXT(" in a string (known: \\\" \\\\ \\/ \\b \\f \\n \\r \\t \\uXXXX)"));
				}
				char32_t CodePoint = 0;
				if (!ParseHex4(Pos, CodePoint))
				{
					return Fail(At, TEXT("\\u must be followed by four hexadecimal digits"));
				}
				Pos += 4;
				if (CodePoint >= 0xDC00 && CodePoint <= 0xDFFF)
				{
					return Fail(At, FString::Printf(TEXT("\\u%04X is the second half of a surrogate pair without its first half"), static_cast<unsigned>(CodePoint)));
				}
				if (CodePoint >= 0xD800 && CodePoint <= 0xDBFF)
				{
					char32_t Low = 0;
					if (Pos + 1 >= Text.size() || Text[Pos] != '\\' || Text[Pos + 1] != 'u' || !ParseHex4(Pos + 2, Low) || Low < 0xDC00 || Low > 0xDFFF)
					{
						return Fail(At, FString::Printf(TEXT("\\u%04X is the first half of a surrogate pair and must be followed by its second half (\\uDC00 to \\uDFFF)"),
											static_cast<unsigned>(CodePoint)));
					}
					Pos += 6;
					CodePoint = 0x10000 + ((CodePoint - 0xD800) << 10) + (Low - 0xDC00);
				}
				UE::Host::AppendUtf8(Out, static_cast<uint32>(CodePoint));
				return true;
			}

			// Bytes of the character at At (at least one), for quoting it.
			size_t Utf8Span(size_t At) const
			{
				if (At >= Text.size())
				{
					return 0;
				}
				char32_t CodePoint = 0;
				return std::max<size_t>(1, Utf8Length(At, CodePoint));
			}

			bool ParseObject(FJsonValue& Out, int32 Depth)
			{
				Out.Kind = FJsonValue::EKind::Object;
				const size_t Open = Pos;
				++Pos;
				std::unordered_set<std::string> Keys;
				SkipSpace();
				if (!AtEnd() && Peek() == '}')
				{
					++Pos;
					return true;
				}
				while (true)
				{
					SkipSpace();
					if (AtEnd())
					{
						return Fail(Pos, FString::Printf(TEXT("the file ends inside the object opened at %s; a '}' is missing"), *DescribePosition(Text, Open)));
					}
					if (Peek() != '"')
					{
						if (Peek() == '}')
						{
							return Fail(Pos, TEXT("a ',' must be followed by another member; remove the ',' before '}'"));
						}
						if (Peek() == '\'')
						{
							return Fail(Pos, TEXT("keys are written in double quotes, not single quotes"));
						}
						return Fail(Pos, TEXT("expected a key in double quotes, found ") + DescribeAt(Pos));
					}
					FJsonMember& Member = Out.Members.emplace_back();
					Member.KeyOffset = Pos;
					if (!ParseString(Member.Key))
					{
						return false;
					}
					if (!Keys.insert(Member.Key).second)
					{
						return Fail(Member.KeyOffset, TEXT("the key ") + QuoteForMessage(FromUtf8(Member.Key)) + TEXT(" appears twice in the same object"));
					}
					SkipSpace();
					if (AtEnd() || Peek() != ':')
					{
						return Fail(Pos, TEXT("expected ':' after the key ") + QuoteForMessage(FromUtf8(Member.Key)) + TEXT(", found ") + DescribeAt(Pos));
					}
					++Pos;
					SkipSpace();
					if (!ParseValue(Member.Value, Depth))
					{
						return false;
					}
					SkipSpace();
					if (AtEnd())
					{
						return Fail(Pos, FString::Printf(TEXT("the file ends inside the object opened at %s; a '}' is missing"), *DescribePosition(Text, Open)));
					}
					if (Peek() == '}')
					{
						++Pos;
						return true;
					}
					if (Peek() != ',')
					{
						return Fail(Pos, TEXT("expected ',' or '}' after the value of ") + QuoteForMessage(FromUtf8(Member.Key)) + TEXT(", found ") + DescribeAt(Pos));
					}
					++Pos;
				}
			}

			bool ParseArray(FJsonValue& Out, int32 Depth)
			{
				Out.Kind = FJsonValue::EKind::Array;
				const size_t Open = Pos;
				++Pos;
				SkipSpace();
				if (!AtEnd() && Peek() == ']')
				{
					++Pos;
					return true;
				}
				while (true)
				{
					SkipSpace();
					if (AtEnd())
					{
						return Fail(Pos, FString::Printf(TEXT("the file ends inside the array opened at %s; a ']' is missing"), *DescribePosition(Text, Open)));
					}
					if (Peek() == ']')
					{
						return Fail(Pos, TEXT("a ',' must be followed by another value; remove the ',' before ']'"));
					}
					if (!ParseValue(Out.Elements.emplace_back(), Depth))
					{
						return false;
					}
					SkipSpace();
					if (AtEnd())
					{
						return Fail(Pos, FString::Printf(TEXT("the file ends inside the array opened at %s; a ']' is missing"), *DescribePosition(Text, Open)));
					}
					if (Peek() == ']')
					{
						++Pos;
						return true;
					}
					if (Peek() != ',')
					{
						return Fail(Pos, TEXT("expected ',' or ']' after a value in an array, found ") + DescribeAt(Pos));
					}
					++Pos;
				}
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
		Offset = std::min(Offset, Text.size());
		int32 Line = 1;
		int32 Column = 1;
		for (size_t Index = 0; Index < Offset; ++Index)
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
		FJsonParser Parser(Text);
		FJsonValue Root;
		if (!Parser.ParseDocument(Root))
		{
			OutError = Parser.Error;
			return false;
		}
		OutRoot = std::move(Root);
		return true;
	}
}
