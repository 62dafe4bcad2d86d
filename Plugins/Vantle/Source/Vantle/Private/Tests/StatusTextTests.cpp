// Copyright 2026 Vantle contributors. All Rights Reserved.
#include "CoreMinimal.h"

#if WITH_DEV_AUTOMATION_TESTS

#include "McpLogWatcher.h"
#include "Misc/App.h"
#include "Misc/AutomationTest.h"
#include "Styling/AppStyle.h"
#include "Styling/SlateColor.h"
#include "Textures/SlateIcon.h"
#include "VantleStyle.h"
#include "VantleTestScene.h"

BEGIN_DEFINE_SPEC(FVantleStatusTextTests, "Vantle.StatusText", EAutomationTestFlags::EditorContext | EAutomationTestFlags::ProductFilter)
	FBindingReport ReportBefore;
	const TCHAR* const Footer = TEXT("\nClick: Fix Actor References. Details: Tools > Vantle.");

	static FVantleModule& Module() { return Vantle::Tests::FTestScene::Module(); }

	void SetReport(EBindingReportState State, int32 Checked, const TArray<FString>& Missing, const TArray<FString>& Uncertain)
	{
		FBindingReport& Report = Module().Report;
		Report = FBindingReport();
		Report.State = State;
		Report.SequenceName = TEXT("Intro");
		Report.SequencePath = TEXT("/Game/Intro.Intro");
		Report.CheckedCount = Checked;
		Report.MissingNames = Missing;
		Report.UncertainNames = Uncertain;
	}

	void TestStatus(const TCHAR* Title, const TCHAR* Icon, const TCHAR* Hex)
	{
		TestEqual(TEXT("title"), Module().GetStatusTitle().ToString(), Title);
		TestEqual(TEXT("tooltip"), Module().GetStatusTooltip().ToString(), FString(Title) + Footer);
		TestEqual(TEXT("icon"), Module().GetStatusIcon().GetStyleName(), FName(Icon));
		TestEqual(TEXT("icon style set"), Module().GetStatusIcon().GetStyleSetName(), FAppStyle::GetAppStyleSetName());
		TestTrue(*FString::Printf(TEXT("colour is %s"), Hex), SameColour(Module().GetStatusColor().GetSpecifiedColor(), Hex));
	}

	bool SameColour(const FLinearColor& Actual, const TCHAR* Hex) { return Actual.Equals(FLinearColor(FColor::FromHex(Hex))); }

	FString Counts() { return Module().GetCheckedCountText() + TEXT("/") + Module().GetMissingCountText() + TEXT("/") + Module().GetUncertainCountText(); }
END_DEFINE_SPEC(FVantleStatusTextTests)

void FVantleStatusTextTests::Define()
{
	// The texts read only the module's report; the tick refreshes it between frames, never during an It.
	BeforeEach([this]() { ReportBefore = Module().Report; });
	AfterEach([this]() { Module().Report = ReportBefore; });

	It("WithoutASequenceAskForOne", [this]()
		{
			Module().Report = FBindingReport();
			TestStatus(TEXT("Open a Level Sequence"), TEXT("Icons.Refresh"), TEXT("929BA4"));
			TestEqual(TEXT("sequence label"), Module().GetSequenceLabel().ToString(), TEXT("No sequence selected"));
			TestEqual(TEXT("context label"), Module().GetContextLabel().ToString(), FString(FApp::GetProjectName()) + TEXT("  /  "));
			TestEqual(TEXT("details"), Module().GetBindingDetails(), TEXT("Open your target map and sequence. Their current bindings will appear here."));
			TestEqual(TEXT("counts"), Counts(), TEXT("0/0/0"));
		});

	It("EachVerdictHasItsTitleIconAndColour", [this]()
		{
			SetReport(EBindingReportState::AllResolved, 1, {}, {});
			TestStatus(TEXT("Everything is connected"), TEXT("Icons.SuccessWithColor"), TEXT("3CFF91"));
			SetReport(EBindingReportState::HasMissing, 1, {TEXT("Cam")}, {});
			TestStatus(TEXT("References need attention"), TEXT("Icons.ErrorWithColor"), TEXT("FF626D"));
			SetReport(EBindingReportState::HasUncertain, 0, {}, {TEXT("Crowd")});
			TestStatus(TEXT("Some bindings need a closer look"), TEXT("Icons.WarningWithColor"), TEXT("F3BA62"));
			SetReport(EBindingReportState::Empty, 0, {}, {});
			TestStatus(TEXT("No map bindings to check"), TEXT("Icons.Refresh"), TEXT("929BA4"));
		});

	It("DetailsListEveryNameInOrderUnderItsHeading", [this]()
		{
			SetReport(EBindingReportState::HasMissing, 3, {TEXT("Door"), TEXT("Lamp")}, {TEXT("Crowd")});
			TestEqual(TEXT("details"), Module().GetBindingDetails(), TEXT("Missing\nDoor\nLamp\n\nCustom / spawn-related - not conclusive\nCrowd\n\n"));
			TestEqual(TEXT("counts"), Counts(), TEXT("3/2/1"));
			SetReport(EBindingReportState::HasMissing, 1, {TEXT("Cam")}, {});
			TestEqual(TEXT("details"), Module().GetBindingDetails(), TEXT("Missing\nCam\n\n"));
			SetReport(EBindingReportState::HasUncertain, 0, {}, {TEXT("A"), TEXT("B")});
			TestEqual(TEXT("details"), Module().GetBindingDetails(), TEXT("Custom / spawn-related - not conclusive\nA\nB\n\n"));
			SetReport(EBindingReportState::AllResolved, 2, {}, {});
			TestEqual(TEXT("details"), Module().GetBindingDetails(), TEXT("All checked actor and component bindings resolve in the current map."));
			SetReport(EBindingReportState::Empty, 0, {}, {});
			TestEqual(TEXT("details"), Module().GetBindingDetails(), TEXT("This sequence has no ordinary map bindings to inspect."));
			TestEqual(TEXT("sequence label"), Module().GetSequenceLabel().ToString(), TEXT("Intro"));
			Module().Report.MapName = TEXT("Arena");
			TestEqual(TEXT("context label"), Module().GetContextLabel().ToString(), FString(FApp::GetProjectName()) + TEXT("  /  Arena"));
		});

	It("TheMcpButtonAndStatusLineFollowTheMonitor", [this]()
		{
			FMcpLogWatcher& Watcher = *Module().McpWatcher;
			const int32 StateBefore = Watcher.State;
			const FString MessageBefore = Watcher.Message;
			struct FCase
			{
				EMcpState State;
				const TCHAR* Label;
				bool bEnabled;
				const TCHAR* Hex;
			};
			const FCase Cases[] = {
				{EMcpState::Idle, TEXT("MCP starten"), true, TEXT("929BA4")},
				{EMcpState::Checking, TEXT("MCP starten"), false, TEXT("DDBD7A")},
				{EMcpState::Confirmed, TEXT("MCP pr\u00fcfen"), true, TEXT("3CFF91")},
				{EMcpState::Problem, TEXT("MCP starten"), true, TEXT("FF7881")},
				{EMcpState::PluginMissing, TEXT("MCP starten"), true, TEXT("929BA4")},
			};
			for (const FCase& Case : Cases)
			{
				Watcher.State = static_cast<int32>(Case.State);
				Watcher.Message = FString::Printf(TEXT("state %d"), Watcher.State);
				TestEqual(TEXT("button label"), Module().GetMcpButtonLabel().ToString(), Case.Label);
				TestEqual(TEXT("button enabled"), Module().IsMcpButtonEnabled(), Case.bEnabled);
				TestTrue(*FString::Printf(TEXT("status colour is %s"), Case.Hex), SameColour(Module().GetMcpStatusColor().GetSpecifiedColor(), Case.Hex));
				TestEqual(TEXT("status text"), Module().GetMcpStatusText().ToString(), Watcher.Message);
			}
			Watcher.State = StateBefore;
			Watcher.Message = MessageBefore;
		});

	It("ThePaletteIsDecodedFromSrgb", [this]()
		{
			// 0x92 is about 0.287 in linear light, not 0x92 / 255.
			TestTrue(TEXT("muted text is linear"), Vantle::MutedTextColor.R > 0.2873f && Vantle::MutedTextColor.R < 0.2875f);
		});
}

#endif
