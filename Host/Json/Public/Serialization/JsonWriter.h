// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/Array.h"
#include "Containers/StringView.h"
#include "Containers/UnrealString.h"
#include "Policies/PrettyJsonPrintPolicy.h"
#include "Templates/SharedPointer.h"

#include <type_traits>

// Writes JSON text into a string, token by token, in the layout of the print policy.
template <class CharType = TCHAR, class PrintPolicy = TPrettyJsonPrintPolicy<CharType>> class TJsonWriter
{
	static_assert(std::is_same_v<CharType, TCHAR>, "the host writes JSON as TCHAR text only");

public:
	virtual ~TJsonWriter() = default;

	// Opens an object as the next array element or as the root.
	void WriteObjectStart()
	{
		BeginElement();
		Open(u'{');
	}
	// Opens an object as a named member.
	void WriteObjectStart(FStringView Identifier)
	{
		BeginMember(Identifier, true);
		Open(u'{');
	}
	void WriteObjectEnd() { CloseScope(u'}'); }
	// Opens an array as the next array element or as the root.
	void WriteArrayStart()
	{
		BeginElement();
		Open(u'[');
	}
	// Opens an array as a named member.
	void WriteArrayStart(FStringView Identifier)
	{
		BeginMember(Identifier, false);
		Open(u'[');
	}
	void WriteArrayEnd() { CloseScope(u']'); }

	// Scalar values as array elements (or the root).
	void WriteValue(const FString& Value)
	{
		BeginElement();
		UE::Json::Private::AppendQuotedString(*Stream, Value);
	}
	void WriteValue(const TCHAR* Value) { WriteValue(FString(Value)); }
	void WriteValue(double Value)
	{
		BeginElement();
		PrintPolicy::WriteDouble(Stream, Value);
	}
	void WriteValue(int32 Value)
	{
		BeginElement();
		UE::Json::Private::AppendInt64(*Stream, Value);
	}
	void WriteValue(int64 Value)
	{
		BeginElement();
		UE::Json::Private::AppendInt64(*Stream, Value);
	}
	void WriteValue(bool Value)
	{
		BeginElement();
		PrintPolicy::WriteString(Stream, Value ? TEXT("true") : TEXT("false"));
	}
	void WriteNull()
	{
		BeginElement();
		PrintPolicy::WriteString(Stream, TEXT("null"));
	}

	// Scalar values as named members.
	void WriteValue(FStringView Identifier, const FString& Value)
	{
		BeginMember(Identifier, false);
		UE::Json::Private::AppendQuotedString(*Stream, Value);
	}
	void WriteValue(FStringView Identifier, const TCHAR* Value) { WriteValue(Identifier, FString(Value)); }
	void WriteValue(FStringView Identifier, double Value)
	{
		BeginMember(Identifier, false);
		PrintPolicy::WriteDouble(Stream, Value);
	}
	void WriteValue(FStringView Identifier, int32 Value)
	{
		BeginMember(Identifier, false);
		UE::Json::Private::AppendInt64(*Stream, Value);
	}
	void WriteValue(FStringView Identifier, int64 Value)
	{
		BeginMember(Identifier, false);
		UE::Json::Private::AppendInt64(*Stream, Value);
	}
	void WriteValue(FStringView Identifier, bool Value)
	{
		BeginMember(Identifier, false);
		PrintPolicy::WriteString(Stream, Value ? TEXT("true") : TEXT("false"));
	}
	void WriteNull(FStringView Identifier)
	{
		BeginMember(Identifier, false);
		PrintPolicy::WriteString(Stream, TEXT("null"));
	}

	// True when every object and array that was opened has been closed.
	virtual bool Close() { return Scopes.IsEmpty(); }

protected:
	TJsonWriter(FString* const InStream, int32 InitialIndentLevel) : Stream(InStream), IndentLevel(InitialIndentLevel) { check(Stream); }

	template <class, class> friend class TJsonWriterFactory;

private:
	struct FScope
	{
		TCHAR Closer;
		bool bHasElements;
	};

	void BeginElement()
	{
		if (!Scopes.IsEmpty())
		{
			NextLine();
		}
	}

	void BeginMember(FStringView Identifier, bool bObjectValue)
	{
		NextLine();
		UE::Json::Private::AppendQuotedString(*Stream, Identifier);
		PrintPolicy::WriteChar(Stream, u':');
		if (bObjectValue)
		{
			// Object braces go on their own line, like the engine's pretty output.
			PrintPolicy::WriteLineTerminator(Stream);
			PrintPolicy::WriteTabs(Stream, IndentLevel);
		}
		else
		{
			PrintPolicy::WriteSpace(Stream);
		}
	}

	void NextLine()
	{
		if (Scopes.IsEmpty())
		{
			return;
		}
		FScope& Scope = Scopes.Last();
		if (Scope.bHasElements)
		{
			PrintPolicy::WriteChar(Stream, u',');
		}
		Scope.bHasElements = true;
		PrintPolicy::WriteLineTerminator(Stream);
		PrintPolicy::WriteTabs(Stream, IndentLevel);
	}

	void Open(TCHAR Opener)
	{
		PrintPolicy::WriteChar(Stream, Opener);
		Scopes.Add(FScope{Opener == u'{' ? TCHAR(u'}') : TCHAR(u']'), false});
		++IndentLevel;
	}

	void CloseScope(TCHAR Closer)
	{
		if (Scopes.IsEmpty() || Scopes.Last().Closer != Closer)
		{
			// Unbalanced use is a caller bug; the text is left as it is and Close() reports it.
			return;
		}
		const FScope Scope = Scopes.Pop();
		--IndentLevel;
		if (Scope.bHasElements)
		{
			PrintPolicy::WriteLineTerminator(Stream);
			PrintPolicy::WriteTabs(Stream, IndentLevel);
		}
		PrintPolicy::WriteChar(Stream, Closer);
	}

	FString* Stream;
	int32 IndentLevel;
	TArray<FScope> Scopes;
};

template <class CharType = TCHAR, class PrintPolicy = TPrettyJsonPrintPolicy<CharType>> class TJsonWriterFactory
{
public:
	// A writer that appends to *Stream; Stream must outlive the writer.
	static TSharedRef<TJsonWriter<CharType, PrintPolicy>> Create(FString* const Stream, int32 InitialIndentLevel = 0)
	{
		return MakeShareable(new TJsonWriter<CharType, PrintPolicy>(Stream, InitialIndentLevel));
	}
};
