// Copyright Vantle contributors. All Rights Reserved.
#include "McpLogWatcher.h"
#include "Styling/SlateColor.h"
#include "VantleModule.h"
#include "VantleStyle.h"

#include <gtest/gtest.h>

namespace
{
	std::string Utf8(const FText& Text)
	{
		return UE::Host::ToUtf8(Text.ToString());
	}

	FColor Srgb(const FSlateColor& Color)
	{
		return Color.GetSpecifiedColor().ToFColor(true);
	}

	// The module object alone: its status getters only read its fields. The binding status texts
	// are Vantle.StatusText automation tests.
	class StatusTexts : public ::testing::Test
	{
	protected:
		FVantleModule Module;
	};
}

TEST_F(StatusTexts, TheMcpButtonAndStatusLineFollowTheWatcher)
{
	Module.McpWatcher = MakeShared<FMcpLogWatcher>(8000);
	FMcpLogWatcher& Watcher = *Module.McpWatcher;
	EXPECT_EQ(UE::Host::ToUtf8(Watcher.Message), "Noch nicht gestartet");
	struct FCase
	{
		EMcpState State;
		const char* Label;
		bool bEnabled;
		FColor Color;
	};
	const FCase Cases[] = {
		{EMcpState::Idle, "MCP starten", true, FColor(0x92, 0x9B, 0xA4)},
		{EMcpState::Checking, "MCP starten", false, FColor(0xDD, 0xBD, 0x7A)},
		{EMcpState::Confirmed, "MCP pr\xC3\xBC" "fen", true, FColor(0x3C, 0xFF, 0x91)},
		{EMcpState::Problem, "MCP starten", true, FColor(0xFF, 0x78, 0x81)},
		{EMcpState::PluginMissing, "MCP starten", true, FColor(0x92, 0x9B, 0xA4)},
	};
	for (const FCase& Case : Cases)
	{
		Watcher.State = static_cast<int32>(Case.State);
		Watcher.Message = FString::Printf(TEXT("state %d"), Watcher.State);
		EXPECT_EQ(Utf8(Module.GetMcpButtonLabel()), Case.Label);
		EXPECT_EQ(Module.IsMcpButtonEnabled(), Case.bEnabled);
		EXPECT_EQ(Srgb(Module.GetMcpStatusColor()), Case.Color);
		EXPECT_EQ(Module.GetMcpStatusText().ToString(), Watcher.Message);
	}
}

TEST(Palette, LinearValuesAreTheSrgbDecodedDesignColours)
{
	auto Expect = [](const FLinearColor& Color, double R, double G, double B)
	{
		EXPECT_NEAR(Color.R, R, 5.1e-5);
		EXPECT_NEAR(Color.G, G, 5.1e-5);
		EXPECT_NEAR(Color.B, B, 5.1e-5);
		EXPECT_EQ(Color.A, 1.0f);
	};
	Expect(Vantle::BackgroundColor, 0.0040, 0.0048, 0.0056);
	Expect(Vantle::SurfaceColor, 0.0075, 0.0091, 0.0110);
	Expect(Vantle::AccentColor, 0.0452, 1.0000, 0.2831);
	Expect(Vantle::TextColor, 0.7991, 0.8308, 0.8550);
	Expect(Vantle::MutedTextColor, 0.2874, 0.3278, 0.3712);
	Expect(Vantle::LineColor, 0.0222, 0.0296, 0.0369);
	Expect(Vantle::AccentFillColor, 0.0052, 0.0185, 0.0110);
}
