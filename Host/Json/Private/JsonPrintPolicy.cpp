// Copyright Vantle contributors. All Rights Reserved.
#include "Policies/JsonPrintPolicy.h"

#include <cmath>
#include <cstdio>

namespace UE::Json::Private
{
	void AppendQuotedString(FString& Out, FStringView Text)
	{
		static const TCHAR HexDigits[] = TEXT("0123456789abcdef");
		Out.AppendChar(u'"');
		for (const TCHAR Ch : Text)
		{
			switch (Ch)
			{
			case u'"':
				Out += TEXT("\\\"");
				break;
			case u'\\':
				Out += TEXT("\\\\");
				break;
			case u'\n':
				Out += TEXT("\\n");
				break;
			case u'\r':
				Out += TEXT("\\r");
				break;
			case u'\t':
				Out += TEXT("\\t");
				break;
			case u'\b':
				Out += TEXT("\\b");
				break;
			case u'\f':
				Out += TEXT("\\f");
				break;
			default:
				if (Ch < 0x20)
				{
					Out += TEXT("\\u00");
					Out.AppendChar(HexDigits[(Ch >> 4) & 0xF]);
					Out.AppendChar(HexDigits[Ch & 0xF]);
				}
				else
				{
					Out.AppendChar(Ch);
				}
				break;
			}
		}
		Out.AppendChar(u'"');
	}

	void AppendDouble(FString& Out, double Value)
	{
		// "%.17g" writes -0, which a reader takes for the integer 0 and so loses the sign.
		if (Value == 0.0 && std::signbit(Value))
		{
			Out += TEXT("-0.0");
			return;
		}
		char Buffer[64];
		const int Written = std::snprintf(Buffer, sizeof(Buffer), "%.17g", Value);
		Out += FString(std::u16string(Buffer, Buffer + (Written > 0 ? Written : 0)));
	}

	void AppendInt64(FString& Out, int64 Value)
	{
		char Buffer[32];
		const int Written = std::snprintf(Buffer, sizeof(Buffer), "%lld", static_cast<long long>(Value));
		Out += FString(std::u16string(Buffer, Buffer + (Written > 0 ? Written : 0)));
	}
}
