// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Dom/JsonObject.h"
#include "Dom/JsonValue.h"
#include "Serialization/JsonReader.h"
#include "Serialization/JsonWriter.h"

// Reads JSON text into values and writes values as JSON text.
class FJsonSerializer
{
public:
	// Parses the reader's whole text; true only when it is one object followed by nothing but
	// whitespace. On failure OutObject is unchanged and the reader holds the error message.
	template <class CharType> static bool Deserialize(const TSharedRef<TJsonReader<CharType>>& Reader, TSharedPtr<FJsonObject>& OutObject)
	{
		TSharedPtr<FJsonValue> Root;
		if (!ReadDocument(Reader.Get(), Root))
		{
			return false;
		}
		const TSharedPtr<FJsonObject>* Object = nullptr;
		if (Root->Type != EJson::Object || !Root->TryGetObject(Object))
		{
			Reader->ErrorMessage = TEXT("The root value is not an object.");
			return false;
		}
		OutObject = *Object;
		return true;
	}

	// As above, for a root array.
	template <class CharType> static bool Deserialize(const TSharedRef<TJsonReader<CharType>>& Reader, TArray<TSharedPtr<FJsonValue>>& OutArray)
	{
		TSharedPtr<FJsonValue> Root;
		if (!ReadDocument(Reader.Get(), Root))
		{
			return false;
		}
		const TArray<TSharedPtr<FJsonValue>>* Array = nullptr;
		if (Root->Type != EJson::Array || !Root->TryGetArray(Array))
		{
			Reader->ErrorMessage = TEXT("The root value is not an array.");
			return false;
		}
		OutArray = *Array;
		return true;
	}

	// As above, for a root value of any kind.
	template <class CharType> static bool Deserialize(const TSharedRef<TJsonReader<CharType>>& Reader, TSharedPtr<FJsonValue>& OutValue)
	{
		return ReadDocument(Reader.Get(), OutValue);
	}

	// Writes the object; closes the writer unless told not to. False when the writer is unbalanced.
	template <class CharType, class PrintPolicy>
	static bool Serialize(const TSharedRef<FJsonObject>& Object, const TSharedRef<TJsonWriter<CharType, PrintPolicy>>& Writer, bool bCloseWriter = true)
	{
		const TSharedPtr<FJsonValue> Root = MakeShared<FJsonValueObject>(Object.ToSharedPtr());
		return WriteTree(Root, Writer.Get(), bCloseWriter);
	}

	// Writes the array as the root.
	template <class CharType, class PrintPolicy>
	static bool Serialize(const TArray<TSharedPtr<FJsonValue>>& Array, const TSharedRef<TJsonWriter<CharType, PrintPolicy>>& Writer, bool bCloseWriter = true)
	{
		const TSharedPtr<FJsonValue> Root = MakeShared<FJsonValueArray>(Array);
		return WriteTree(Root, Writer.Get(), bCloseWriter);
	}

private:
	JSON_API static bool ReadDocument(TJsonReader<TCHAR>& Reader, TSharedPtr<FJsonValue>& OutValue);

	// Walks the tree with its own stack, so deep documents cannot exhaust the call stack.
	template <class CharType, class PrintPolicy>
	static bool WriteTree(const TSharedPtr<FJsonValue>& Root, TJsonWriter<CharType, PrintPolicy>& Writer, bool bCloseWriter)
	{
		struct FFrame
		{
			bool bObject;
			TArray<std::pair<const FString*, const FJsonValue*>> Children;
			int32 Next = 0;
		};
		TArray<FFrame> Stack;

		auto Write = [&Writer, &Stack](const FString* Identifier, const FJsonValue* Value)
		{
			const EJson Type = Value ? Value->Type : EJson::Null;
			switch (Type)
			{
			case EJson::String:
			case EJson::Number:
			case EJson::Boolean:
			{
				FString Text;
				double Number = 0.0;
				bool bBool = false;
				if (Type == EJson::String && Value->TryGetString(Text))
				{
					Identifier ? Writer.WriteValue(*Identifier, Text) : Writer.WriteValue(Text);
				}
				else if (Type == EJson::Number && Value->TryGetNumber(Number))
				{
					Identifier ? Writer.WriteValue(*Identifier, Number) : Writer.WriteValue(Number);
				}
				else if (Value->TryGetBool(bBool))
				{
					Identifier ? Writer.WriteValue(*Identifier, bBool) : Writer.WriteValue(bBool);
				}
				break;
			}
			case EJson::Array:
			{
				FFrame Frame{false, {}};
				const TArray<TSharedPtr<FJsonValue>>* Elements = nullptr;
				if (Value->TryGetArray(Elements))
				{
					for (const TSharedPtr<FJsonValue>& Element : *Elements)
					{
						Frame.Children.Add({nullptr, Element.Get()});
					}
				}
				Identifier ? Writer.WriteArrayStart(*Identifier) : Writer.WriteArrayStart();
				Stack.Add(std::move(Frame));
				break;
			}
			case EJson::Object:
			{
				FFrame Frame{true, {}};
				const TSharedPtr<FJsonObject>* Object = nullptr;
				if (Value->TryGetObject(Object) && Object->IsValid())
				{
					for (const auto& Pair : (*Object)->Values)
					{
						Frame.Children.Add({&Pair.Key, Pair.Value.Get()});
					}
				}
				Identifier ? Writer.WriteObjectStart(*Identifier) : Writer.WriteObjectStart();
				Stack.Add(std::move(Frame));
				break;
			}
			default:
				Identifier ? Writer.WriteNull(*Identifier) : Writer.WriteNull();
				break;
			}
		};

		Write(nullptr, Root.Get());
		while (!Stack.IsEmpty())
		{
			FFrame& Top = Stack.Last();
			if (Top.Next < Top.Children.Num())
			{
				const std::pair<const FString*, const FJsonValue*> Child = Top.Children[Top.Next++];
				Write(Child.first, Child.second);
				continue;
			}
			const bool bObject = Top.bObject;
			Stack.Pop();
			bObject ? Writer.WriteObjectEnd() : Writer.WriteArrayEnd();
		}
		return bCloseWriter ? Writer.Close() : true;
	}
};
