// Copyright Vantle contributors. All Rights Reserved.
#include "McpLogWatcher.h"
#include "Misc/App.h"
#include "Styling/AppStyle.h"
#include "Styling/SlateColor.h"
#include "Textures/SlateIcon.h"
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

	// The module object alone: its status getters only read its fields.
	class StatusTexts : public ::testing::Test
	{
	protected:
		void SetUp() override { FApp::SetProjectName(TEXT("Showcase")); }

		void SetReport(EBindingReportState State, const TCHAR* Path, int32 Checked, TArray<FString> Missing, TArray<FString> Uncertain)
		{
			Module.Report.State = State;
			Module.Report.SequencePath = Path;
			Module.Report.SequenceName = FString(Path).IsEmpty() ? FString() : FString(TEXT("Intro"));
			Module.Report.CheckedCount = Checked;
			Module.Report.MissingNames = Missing;
			Module.Report.UncertainNames = Uncertain;
		}

		FVantleModule Module;
	};
}

TEST_F(StatusTexts, TheDefaultReportAsksForASequence)
{
	EXPECT_EQ(Utf8(Module.GetStatusTitle()), "Open a Level Sequence");
	EXPECT_EQ(Utf8(Module.GetStatusTooltip()), "Open a Level Sequence\nClick: Fix Actor References. Details: Tools > Vantle.");
	EXPECT_EQ(Module.GetStatusIcon().GetStyleName(), FName(TEXT("Icons.Refresh")));
	EXPECT_EQ(Module.GetStatusIcon().GetStyleSetName(), FAppStyle::GetAppStyleSetName());
	EXPECT_EQ(Srgb(Module.GetStatusColor()), FColor(0x92, 0x9B, 0xA4));
	EXPECT_EQ(Utf8(Module.GetSequenceLabel()), "No sequence selected");
	EXPECT_EQ(Utf8(Module.GetContextLabel()), "Showcase  /  ");
	EXPECT_EQ(UE::Host::ToUtf8(Module.GetBindingDetails()), "Open your target map and sequence. Their current bindings will appear here.");
	EXPECT_EQ(UE::Host::ToUtf8(Module.GetCheckedCountText() + Module.GetMissingCountText() + Module.GetUncertainCountText()), "000");
}

TEST_F(StatusTexts, EachVerdictHasItsTitleIconAndColour)
{
	struct FCase
	{
		EBindingReportState State;
		const char* Title;
		const TCHAR* Icon;
		FColor Color;
	};
	const FCase Cases[] = {
		{EBindingReportState::AllResolved, "Everything is connected", TEXT("Icons.SuccessWithColor"), FColor(0x3C, 0xFF, 0x91)},
		{EBindingReportState::HasMissing, "References need attention", TEXT("Icons.ErrorWithColor"), FColor(0xFF, 0x62, 0x6D)},
		{EBindingReportState::HasUncertain, "Some bindings need a closer look", TEXT("Icons.WarningWithColor"), FColor(0xF3, 0xBA, 0x62)},
		{EBindingReportState::Empty, "No map bindings to check", TEXT("Icons.Refresh"), FColor(0x92, 0x9B, 0xA4)},
	};
	for (const FCase& Case : Cases)
	{
		SetReport(Case.State, TEXT("/Game/Intro.Intro"), 1, {}, {});
		EXPECT_EQ(Utf8(Module.GetStatusTitle()), Case.Title);
		EXPECT_EQ(Utf8(Module.GetStatusTooltip()), std::string(Case.Title) + "\nClick: Fix Actor References. Details: Tools > Vantle.");
		EXPECT_EQ(Module.GetStatusIcon().GetStyleName(), FName(Case.Icon));
		EXPECT_EQ(Srgb(Module.GetStatusColor()), Case.Color) << Case.Title;
	}
}

TEST_F(StatusTexts, DetailsListEveryNameInOrderWithTheirHeadings)
{
	SetReport(EBindingReportState::HasMissing, TEXT("/Game/Intro.Intro"), 3, {TEXT("Door"), TEXT("Lamp")}, {TEXT("Crowd")});
	EXPECT_EQ(UE::Host::ToUtf8(Module.GetBindingDetails()), "Missing\nDoor\nLamp\n\nCustom / spawn-related - not conclusive\nCrowd\n\n");
	EXPECT_EQ(UE::Host::ToUtf8(Module.GetCheckedCountText() + Module.GetMissingCountText() + Module.GetUncertainCountText()), "321");

	SetReport(EBindingReportState::HasMissing, TEXT("/Game/Intro.Intro"), 1, {TEXT("Cam")}, {});
	EXPECT_EQ(UE::Host::ToUtf8(Module.GetBindingDetails()), "Missing\nCam\n\n");

	SetReport(EBindingReportState::HasUncertain, TEXT("/Game/Intro.Intro"), 0, {}, {TEXT("A"), TEXT("B")});
	EXPECT_EQ(UE::Host::ToUtf8(Module.GetBindingDetails()), "Custom / spawn-related - not conclusive\nA\nB\n\n");

	SetReport(EBindingReportState::AllResolved, TEXT("/Game/Intro.Intro"), 2, {}, {});
	EXPECT_EQ(UE::Host::ToUtf8(Module.GetBindingDetails()), "All checked actor and component bindings resolve in the current map.");

	SetReport(EBindingReportState::Empty, TEXT("/Game/Intro.Intro"), 0, {}, {});
	EXPECT_EQ(UE::Host::ToUtf8(Module.GetBindingDetails()), "This sequence has no ordinary map bindings to inspect.");
	EXPECT_EQ(Utf8(Module.GetSequenceLabel()), "Intro");
	Module.Report.MapName = TEXT("Arena");
	EXPECT_EQ(Utf8(Module.GetContextLabel()), "Showcase  /  Arena");
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
