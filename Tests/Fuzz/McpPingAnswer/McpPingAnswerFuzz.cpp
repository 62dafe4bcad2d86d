// Copyright Vantle contributors. All Rights Reserved.
// The ping answer check against any status and body: whatever holds the port writes them.
// Input: one byte choosing the status, the rest is the body. The ping id is fixed; seeds and the
// dictionary carry it.
#include "FuzzSupport.h"
#include "McpPingAnswer.h"

#include <algorithm>
#include <string>

namespace
{
	const FString PingId(TEXT("0123456789ABCDEF0123456789ABCDEF"));
	const FString OtherId(TEXT("0123456789ABCDEF0123456789ABCDEE"));

	int32 StatusOf(uint8 Selector)
	{
		static const int32 Others[] = {0, -1, 199, 201, 204, 301, 404, 500, 2000};
		return Selector < 128 ? 200 : Others[Selector % (sizeof(Others) / sizeof(Others[0]))];
	}

	TArray<uint8> BytesOf(const std::string& Text)
	{
		TArray<uint8> Bytes;
		for (const char Ch : Text)
		{
			Bytes.Add(static_cast<uint8>(Ch));
		}
		return Bytes;
	}

	// The deepest nesting of brackets outside strings, counted over the raw bytes.
	int32 DepthOf(const std::string& Text)
	{
		int32 Depth = 0;
		int32 Deepest = 0;
		bool bInString = false;
		for (size_t Index = 0; Index < Text.size(); ++Index)
		{
			const char Ch = Text[Index];
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
			}
			else if (Ch == '"')
			{
				bInString = true;
			}
			else if (Ch == '{' || Ch == '[')
			{
				Deepest = std::max(Deepest, ++Depth);
			}
			else if (Ch == '}' || Ch == ']')
			{
				--Depth;
			}
		}
		return Deepest;
	}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
	FFuzzInput Input(Data, Size);
	const int32 Status = StatusOf(Input.Byte());
	const std::string Body = Input.Rest();
	const TArray<uint8> Content = BytesOf(Body);

	const bool bAccepted = IsMcpPingAnswer(Status, Content, PingId);
	VANTLE_FUZZ_CHECK(bAccepted == IsMcpPingAnswer(Status, Content, PingId));
	if (!bAccepted)
	{
		return 0;
	}
	// Only an answer to this very ping, with status 200, within the bounds, and no NUL that could
	// hide trailing text from a reader that stops there.
	VANTLE_FUZZ_CHECK(Status == 200);
	VANTLE_FUZZ_CHECK(Body.size() <= McpMaxPingAnswerBytes);
	VANTLE_FUZZ_CHECK(Body.find('\0') == std::string::npos);
	VANTLE_FUZZ_CHECK(DepthOf(Body) <= McpMaxPingAnswerDepth);
	VANTLE_FUZZ_CHECK(!IsMcpPingAnswer(Status, Content, OtherId));
	VANTLE_FUZZ_CHECK(IsMcpPingAnswer(Status, Content, PingId.ToLower()));
	VANTLE_FUZZ_CHECK(!IsMcpPingAnswer(201, Content, PingId));
	VANTLE_FUZZ_CHECK(!IsMcpPingAnswer(500, Content, PingId));

	// Whatever follows a NUL is part of the answer: an accepted answer with a page after it is none.
	TArray<uint8> Trailed = Content;
	Trailed.Add(0);
	for (const char Ch : std::string("<html><body>Not Found</body></html>"))
	{
		Trailed.Add(static_cast<uint8>(Ch));
	}
	VANTLE_FUZZ_CHECK(!IsMcpPingAnswer(Status, Trailed, PingId));
	return 0;
}
