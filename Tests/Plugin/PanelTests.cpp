// Copyright Vantle contributors. All Rights Reserved.
#include "HostSlate.h"
#include "ScriptedHttpPeer.h"
#include "VantleTestEditor.h"
#include "Widgets/Docking/SDockTab.h"
#include "Widgets/SWindow.h"

using Vantle::Test::FEditorTest;

namespace
{
	const FName PanelId(TEXT("Vantle.Panel"));

	std::vector<std::string> Dump()
	{
		std::vector<std::string> Lines;
		for (const FString& Line : UE::Host::DumpWidgets(PanelId))
		{
			Lines.push_back(UE::Host::ToUtf8(Line));
		}
		return Lines;
	}

	// The rows of the panel's column: the widgets five levels below the tab.
	std::vector<std::string> Rows()
	{
		std::vector<std::string> Result;
		for (const std::string& Line : Dump())
		{
			if (Line.rfind("          ", 0) == 0 && Line[10] != ' ')
			{
				Result.push_back(Line.substr(10, Line.find(' ', 10) - 10));
			}
		}
		return Result;
	}

	bool HasLine(const std::string& Needle)
	{
		for (const std::string& Line : Dump())
		{
			if (Line.find(Needle) != std::string::npos)
			{
				return true;
			}
		}
		return false;
	}

	const std::vector<std::string> ExpectedRows = {"SHorizontalBox", "SBox", "STextBlock", "SBorder", "STextBlock", "SHorizontalBox", "STextBlock",
		"SHorizontalBox", "STextBlock", "SBox", "STextBlock", "SHorizontalBox", "STextBlock"};

	class Panel : public FEditorTest
	{
	protected:
		void Open() { Editor.Exec(TEXT("Vantle.Open")); }
	};
}

TEST_F(Panel, OpensWithThirteenRowsShowingTheStateBeforeTheFirstTick)
{
	Open();
	ASSERT_TRUE(Module().PanelTab.IsValid());
	EXPECT_EQ(Rows(), ExpectedRows);
	EXPECT_TRUE(HasLine("STextBlock text=\"Intro\" color=#E7EBEEFF"));
	EXPECT_TRUE(HasLine("STextBlock text=\"References need attention\" color=#FF626DFF"));
	EXPECT_TRUE(HasLine("STextBlock text=\"Noch nicht gestartet\" color=#929BA4FF tooltip=\"Green confirms this editor's listener log and a successful MCP ping. "
						"Rechecked every five seconds while open.\""));

	FString Error;
	ASSERT_TRUE(UE::Host::FocusSequence(FString(), Error));
	Module().McpWatcher->State = static_cast<int32>(EMcpState::Checking);
	TickFor(0.75);
	EXPECT_EQ(Rows(), ExpectedRows);
	EXPECT_TRUE(HasLine("STextBlock text=\"No sequence selected\""));
	EXPECT_TRUE(HasLine("STextBlock text=\"Open a Level Sequence\" color=#929BA4FF"));
	Module().McpWatcher->State = static_cast<int32>(EMcpState::Idle);
}

TEST_F(Panel, BoundValuesFollowTheModuleWithoutARebuild)
{
	Open();
	TSharedPtr<SDockTab> Before = Module().PanelTab.Pin();
	Module().StatusMessage = TEXT("A fresh message");
	Module().Report.MissingNames = {TEXT("One"), TEXT("Two"), TEXT("Three")};
	Module().McpWatcher->State = static_cast<int32>(EMcpState::Confirmed);
	Module().McpWatcher->Message = TEXT("MCP l\u00e4uft  /  Port 8000");
	EXPECT_TRUE(HasLine("STextBlock text=\"A fresh message\""));
	EXPECT_TRUE(HasLine("STextBlock text=\"3\" color=#E7EBEEFF"));
	EXPECT_TRUE(HasLine("STextBlock text=\"MCP pr\xC3\xBC" "fen\" color=#3CFF91FF"));
	EXPECT_TRUE(HasLine("STextBlock text=\"MCP l\xC3\xA4uft  /  Port 8000\" color=#3CFF91FF"));
	EXPECT_EQ(Module().PanelTab.Pin(), Before);
}

TEST_F(Panel, ButtonsAreClickableOnlyWhenAllowed)
{
	Open();
	FString Error;
	ASSERT_TRUE(UE::Host::FocusSequence(FString(), Error));
	Module().RefreshReport();
	EXPECT_EQ(UE::Host::ClickButton(TEXT("Fix references")), UE::Host::EClickResult::Disabled);
	EXPECT_EQ(UE::Host::ToUtf8(Module().StatusMessage), "Changes are applied only when you click. Save the sequence afterwards.");
	EXPECT_EQ(UE::Host::ClickButton(TEXT("Check again")), UE::Host::EClickResult::Clicked);
	EXPECT_EQ(UE::Host::ToUtf8(Module().StatusMessage), "Status updated. No assets changed.");
	EXPECT_EQ(UE::Host::ClickButton(TEXT("No such button")), UE::Host::EClickResult::NotFound);

	ASSERT_TRUE(UE::Host::FocusSequence(TEXT("/Game/Cinematics/Intro.Intro"), Error));
	Module().RefreshReport();
	EXPECT_EQ(UE::Host::ClickButton(TEXT("Fix references")), UE::Host::EClickResult::Clicked);
	EXPECT_EQ(Log.Matching("Vantle repair:").size(), 1u);

	Module().McpWatcher->State = static_cast<int32>(EMcpState::Checking);
	EXPECT_EQ(UE::Host::ClickButton(TEXT("MCP starten")), UE::Host::EClickResult::Disabled);
	Module().McpWatcher->State = static_cast<int32>(EMcpState::Idle);
}

TEST_F(Panel, OpeningTwiceGivesOneTabAndReopeningAFreshOne)
{
	Open();
	TSharedPtr<SDockTab> First = Module().PanelTab.Pin();
	Open();
	EXPECT_EQ(Module().PanelTab.Pin(), First);
	EXPECT_EQ(UE::Host::GetOpenTabIds().Num(), 1);
	const TWeakPtr<SDockTab> Weak = First;
	First.Reset();
	Editor.Exec(TEXT("Host.CloseTab Vantle.Panel"));
	TickFor(0.01);
	EXPECT_FALSE(Weak.IsValid());
	EXPECT_FALSE(Module().PanelTab.IsValid());
	Open();
	ASSERT_TRUE(Module().PanelTab.IsValid());
	EXPECT_EQ(Rows(), ExpectedRows);

	// Reopened in the frame it closed in: a fresh tab, while the closed one waits for the frame's end.
	const TWeakPtr<SDockTab> Second = Module().PanelTab;
	Editor.Exec(TEXT("Host.CloseTab Vantle.Panel"));
	Open();
	ASSERT_TRUE(Module().PanelTab.IsValid());
	EXPECT_NE(Module().PanelTab.Pin(), Second.Pin());
	EXPECT_EQ(UE::Host::GetOpenTabIds().Num(), 1);
	TickFor(0.01);
	EXPECT_FALSE(Second.IsValid());
	EXPECT_EQ(Rows(), ExpectedRows);
}

TEST_F(Panel, WhileOpenTheServerIsPingedEveryFiveSecondsAndNotAfterClosing)
{
	Stop();
	FScriptedHttpPeer Peer;
	Peer.Expect(FScriptedExchange::Request("POST", "/mcp").Respond(404).Repeatedly());
	Boot(Vantle::Test::SamplePath("Showcase.json"), {FString::Printf(TEXT("-VantleMCPPort=%d"), Peer.GetPort())});
	auto SettleHttp = [this] {
		PumpUntil([this] { return !Module().McpWatcher->PendingRequest.IsValid(); }, 5.0);
	};
	// With the panel closed and nothing being checked, ticks only refresh the report.
	for (int32 Tick = 0; Tick < 10; ++Tick)
	{
		TickFor(0.75);
	}
	EXPECT_TRUE(Peer.Requests().empty());

	Open();
	std::vector<double> SentAt;
	const double Start = FPlatformTime::Seconds();
	for (int32 Tick = 0; Tick < 30; ++Tick)
	{
		// A send moves the next check time; the ping itself may already have completed within the
		// tick on a fast loopback, so its pending request is no witness.
		const double NextCheckBefore = Module().McpWatcher->NextCheckTime;
		TickFor(0.75);
		if (Module().McpWatcher->NextCheckTime != NextCheckBefore)
		{
			SentAt.push_back(FPlatformTime::Seconds() - Start);
		}
		SettleHttp();
		ASSERT_TRUE(Peer.WaitForRequests(SentAt.size()));
		EXPECT_EQ(Peer.Requests().size(), SentAt.size());
	}
	ASSERT_GE(SentAt.size(), 4u);
	for (size_t Index = 1; Index < SentAt.size(); ++Index)
	{
		const double Gap = SentAt[Index] - SentAt[Index - 1];
		EXPECT_GE(Gap, 5.0 - 1e-6);
		EXPECT_LE(Gap, 5.75 + 1e-6);
	}

	Editor.Exec(TEXT("Host.CloseTab Vantle.Panel"));
	const size_t AfterClose = Peer.Requests().size();
	for (int32 Tick = 0; Tick < 20; ++Tick)
	{
		TickFor(0.75);
	}
	EXPECT_EQ(Peer.Requests().size(), AfterClose);
}

TEST_F(Panel, ResizeTabCommandSizesTheOpenPanelsWindowAndRefusesBadArguments)
{
	Editor.Exec(TEXT("Host.ResizeTab Vantle.Panel 560 680"));
	EXPECT_EQ(Log.Matching("LogHeadlessEditor: Warning: No open tab Vantle.Panel").size(), 1u);
	Open();
	const TSharedPtr<SWindow> Window = Module().PanelTab.Pin()->GetParentWindow();
	ASSERT_TRUE(Window.IsValid());
	EXPECT_EQ(Window->GetClientSizeInScreen(), FVector2D(560, 480));

	Editor.Exec(TEXT("Host.ResizeTab Vantle.Panel 560 680"));
	EXPECT_EQ(Window->GetClientSizeInScreen(), FVector2D(560, 680));
	EXPECT_EQ(Log.Matching("LogHeadlessEditor: Display: Resized Vantle.Panel to 560 x 680").size(), 1u);

	Log.Clear();
	for (const TCHAR* Bad : {TEXT("Host.ResizeTab Vantle.Panel 560"), TEXT("Host.ResizeTab Vantle.Panel 0 680"), TEXT("Host.ResizeTab Vantle.Panel 8193 680"),
			 TEXT("Host.ResizeTab Vantle.Panel 560.5 680"), TEXT("Host.ResizeTab Vantle.Panel -560 680"), TEXT("Host.ResizeTab Vantle.Panel 99999999999 1"),
			 TEXT("Host.ResizeTab Vantle.Panel 560 680 1"), TEXT("Host.ResizeTab")})
	{
		Editor.Exec(Bad);
	}
	EXPECT_EQ(Log.Matching("Host.ResizeTab takes a tab id and a width and height from 1 to 8192").size(), 8u);
	EXPECT_EQ(Window->GetClientSizeInScreen(), FVector2D(560, 680));
	// The plugin's registered size is untouched: a reopened panel has it again.
	EXPECT_EQ(UE::Host::GetDefaultTabWindowSize(FTabId(TEXT("Vantle.Panel"))), FVector2D(560, 480));
}
