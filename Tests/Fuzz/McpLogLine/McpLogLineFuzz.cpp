// Copyright Vantle contributors. All Rights Reserved.
// The log watcher's line matching against any line, category and port, compared with a plain
// model of the four lines it follows. Input: a category byte, a port byte (and four bytes when it
// asks for an arbitrary port), then the line as UTF-8. The watcher reads no verbosity: the bind
// failure is logged as an error, the other lines are not.
#include "FuzzSupport.h"
#include "McpLogLine.h"

#include <climits>
#include <string>

namespace
{
	// Category names as loggers spell them; FName compares them without case.
	const TCHAR* const Categories[] = {
		TEXT("LogModelContextProtocol"),
		TEXT("LogHttpListener"),
		TEXT("logmodelcontextprotocol"),
		TEXT("LOGHTTPLISTENER"),
		TEXT("LogTemp"),
		TEXT("LogHttp"),
		TEXT("LogModelContextProtocolX"),
		TEXT(""),
	};
	constexpr int32 CategoryCount = sizeof(Categories) / sizeof(Categories[0]);

	std::u16string Folded(std::u16string Text)
	{
		for (char16_t& Ch : Text)
		{
			Ch = Ch >= u'A' && Ch <= u'Z' ? static_cast<char16_t>(Ch + 32) : Ch;
		}
		return Text;
	}

	std::u16string Widened(const std::string& Ascii)
	{
		return std::u16string(Ascii.begin(), Ascii.end());
	}

	// What the watcher must make of a line, written as plainly as possible.
	EMcpLogLine Expected(const std::u16string& Line, const std::u16string& Category, int32 Port)
	{
		const std::u16string Text = Folded(Line);
		const std::u16string Digits = Widened(std::to_string(Port));
		if (Folded(Category) == u"logmodelcontextprotocol")
		{
			const std::u16string Start = u"starting mcp server on port ";
			if (!Text.starts_with(Start))
			{
				return EMcpLogLine::Unrelated;
			}
			return Text.substr(Start.size()).starts_with(Digits + u" ") ? EMcpLogLine::StartThisPort : EMcpLogLine::StartOtherPort;
		}
		if (Folded(Category) != u"loghttplistener")
		{
			return EMcpLogLine::Unrelated;
		}
		const bool bEndsWithPort = Text.ends_with(u":" + Digits);
		if (bEndsWithPort && Text.starts_with(u"created new httplistener on "))
		{
			return EMcpLogLine::ListenerCreated;
		}
		if (bEndsWithPort && Text.starts_with(u"httplistener unable to bind to "))
		{
			return EMcpLogLine::BindFailed;
		}
		if (Text == u"httplistener stopping listening on port " + Digits)
		{
			return EMcpLogLine::ListenerStopped;
		}
		return EMcpLogLine::Unrelated;
	}

	int32 PortOf(FFuzzInput& Input)
	{
		static const int32 Ports[] = {8000, 800, 80000, 0, 1, 65535, -1, -8000, INT_MAX, INT_MIN};
		const uint8 Selector = Input.Byte();
		const int32 Count = sizeof(Ports) / sizeof(Ports[0]);
		return Selector < Count * 16 ? Ports[Selector % Count] : static_cast<int32>(Input.Word());
	}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
	FFuzzInput Input(Data, Size);
	const TCHAR* const Category = Categories[Input.Byte() % CategoryCount];
	const int32 Port = PortOf(Input);
	const FString Line = UE::Host::FromUtf8(Input.Rest());

	const EMcpLogLine Match = MatchMcpLogLine(*Line, FName(Category), Port);
	// A log line is a C string: it ends at the first NUL.
	const std::u16string Text(*Line);
	VANTLE_FUZZ_CHECK(Match == Expected(Text, Category, Port));
	VANTLE_FUZZ_CHECK(MatchMcpLogLine(nullptr, FName(Category), Port) == EMcpLogLine::Unrelated);
	return 0;
}
