// Copyright Vantle contributors. All Rights Reserved.
// The ping answer check on its own: status, body bytes and the id of the ping.
#include "McpPingAnswer.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
	const FString Id(TEXT("0123456789ABCDEF0123456789ABCDEF"));

	TArray<uint8> Bytes(const std::string& Text)
	{
		TArray<uint8> Out;
		for (const char Ch : Text)
		{
			Out.Add(static_cast<uint8>(Ch));
		}
		return Out;
	}

	std::string Answer(const std::string& Result = "{}")
	{
		return R"({"jsonrpc":"2.0","id":"0123456789ABCDEF0123456789ABCDEF","result":)" + Result + "}";
	}

	// A valid answer whose brackets nest Depth levels in all: the root and result objects, then arrays.
	std::string Nested(int32 Depth)
	{
		return Answer("{\"a\":" + std::string(Depth - 2, '[') + std::string(Depth - 2, ']') + "}");
	}
}

TEST(McpPingAnswer, OnlyThisPingsResultWithStatus200Confirms)
{
	EXPECT_TRUE(IsMcpPingAnswer(200, Bytes(Answer()), Id));
	EXPECT_TRUE(IsMcpPingAnswer(200, Bytes(Answer()), Id.ToLower()));
	EXPECT_FALSE(IsMcpPingAnswer(200, Bytes(Answer()), TEXT("0123456789ABCDEF0123456789ABCDEE")));
	for (const int32 Status : {0, 201, 204, 404, 500})
	{
		EXPECT_FALSE(IsMcpPingAnswer(Status, Bytes(Answer()), Id)) << Status;
	}
	EXPECT_FALSE(IsMcpPingAnswer(200, Bytes(Answer("[]")), Id));
	EXPECT_FALSE(IsMcpPingAnswer(200, Bytes(R"({"jsonrpc":"2.0","id":"0123456789ABCDEF0123456789ABCDEF","result":{},"error":{}})"), Id));
	EXPECT_FALSE(IsMcpPingAnswer(200, Bytes(R"({"jsonrpc":"1.0","id":"0123456789ABCDEF0123456789ABCDEF","result":{}})"), Id));
	EXPECT_FALSE(IsMcpPingAnswer(200, Bytes("[" + Answer() + "]"), Id));
	EXPECT_FALSE(IsMcpPingAnswer(200, {}, Id));
}

TEST(McpPingAnswer, TextAfterANulIsPartOfTheAnswer)
{
	const std::string Page = "<html><body>Not Found</body></html>";
	EXPECT_FALSE(IsMcpPingAnswer(200, Bytes(Answer() + std::string(1, '\0') + Page), Id));
	EXPECT_FALSE(IsMcpPingAnswer(200, Bytes(Answer() + std::string(1, '\0')), Id));
	EXPECT_FALSE(IsMcpPingAnswer(200, Bytes(std::string(R"({"jsonrpc":"2.0"})") + '\0' + R"({"evil":)"), Id));
}

// The host reads JSON of any depth and size, so these bounds are the plugin's own.
TEST(McpPingAnswer, NestingBeyond64LevelsIsRefusedByThePlugin)
{
	EXPECT_TRUE(IsMcpPingAnswer(200, Bytes(Nested(64)), Id));
	EXPECT_FALSE(IsMcpPingAnswer(200, Bytes(Nested(65)), Id));
	EXPECT_FALSE(IsMcpPingAnswer(200, Bytes(Nested(100)), Id));
	// Brackets inside strings do not nest.
	EXPECT_TRUE(IsMcpPingAnswer(200, Bytes(Answer("{\"s\":\"" + std::string(100, '[') + "\\\"" + std::string(100, '{') + "\"}")), Id));
}

TEST(McpPingAnswer, AnswersOver64KiBAreRefusedByThePlugin)
{
	const std::string Small = Answer();
	const auto Padded = [&Small](size_t Total) { return Small.substr(0, Small.size() - 1) + std::string(Total - Small.size(), ' ') + "}"; };
	EXPECT_TRUE(IsMcpPingAnswer(200, Bytes(Padded(64 * 1024)), Id));
	EXPECT_FALSE(IsMcpPingAnswer(200, Bytes(Padded(64 * 1024 + 1)), Id));
	EXPECT_FALSE(IsMcpPingAnswer(200, Bytes(Padded(70 * 1000)), Id));
}
