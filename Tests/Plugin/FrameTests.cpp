// Copyright Vantle contributors. All Rights Reserved.
// The editor's frame: Slate evaluates the open panel's and the shown tool bars' getters every frame,
// and a closed window lives until the frame ends, also when the module is already gone.
#include "Framework/Application/SlateApplication.h"
#include "HostSlate.h"
#include "HostSlateCore.h"
#include "HostToolMenus.h"
#include "VantleTestEditor.h"
#include "Widgets/Docking/SDockTab.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/Text/STextBlock.h"

using Vantle::Test::FEditorTest;

namespace
{
	const FName PanelId(TEXT("Vantle.Panel"));
	const FName SequencerToolBar(TEXT("Sequencer.MainToolBar"));
	const FName StatusButton(TEXT("Vantle.ReferenceStatus"));
	const FName LevelToolBar(TEXT("LevelEditor.LevelEditorToolBar.User"));
	const FName OpenButton(TEXT("Vantle.Open"));
	constexpr int32 Frames = 12;

	struct FCountedWidget
	{
		TWeakPtr<SWidget> Widget;
		std::string Name;
		long long Calls = 0;
	};

	class Frame : public FEditorTest
	{
	protected:
		void RunFrames(int32 Count)
		{
			for (int32 Index = 0; Index < Count; ++Index)
			{
				TickFor(1.0 / 60.0);
			}
		}

		// The panel's text blocks whose text comes from the module, and its buttons, by what they show.
		std::vector<FCountedWidget> PanelWidgetsWithGetters()
		{
			std::vector<FCountedWidget> Result;
			const TArray<FString> Dynamic = {Module().GetSequenceLabel().ToString(), Module().GetContextLabel().ToString(),
				Module().GetStatusTitle().ToString(), Module().GetBindingDetails(), Module().StatusMessage, Module().GetMcpStatusText().ToString()};
			for (const UE::Host::FArrangedWidgetRecord& Record : UE::Host::ArrangeTab(PanelId))
			{
				const TSharedPtr<SWidget> Widget = Record.Widget.Pin();
				if (const STextBlock* Text = dynamic_cast<const STextBlock*>(Widget.Get()))
				{
					if (Dynamic.Contains(Text->GetText().ToString()))
					{
						Result.push_back({Widget, "text \"" + UE::Host::ToUtf8(Text->GetText().ToString().Left(30)) + "\""});
					}
				}
				else if (dynamic_cast<const SButton*>(Widget.Get()))
				{
					Result.push_back({Widget, "button " + std::to_string(Result.size())});
				}
			}
			for (FCountedWidget& Counted : Result)
			{
				Counted.Calls = UE::Host::FWidgetAccess::GetFrameGetterCalls(*Counted.Widget.Pin());
			}
			return Result;
		}

		static long long CallsSince(const FCountedWidget& Counted)
		{
			const TSharedPtr<SWidget> Widget = Counted.Widget.Pin();
			return Widget.IsValid() ? UE::Host::FWidgetAccess::GetFrameGetterCalls(*Widget) - Counted.Calls : 0;
		}
	};
}

TEST_F(Frame, GettersRunEveryFrameWhileShownAndNeverWhileHidden)
{
	Editor.Exec(TEXT("Vantle.Open"));
	RunFrames(1);
	ASSERT_TRUE(UE::Host::IsToolBarShown(SequencerToolBar));

	std::vector<FCountedWidget> Widgets = PanelWidgetsWithGetters();
	// Sequence, context, status, details, message, MCP status; Fix references, Check again, Start MCP.
	ASSERT_EQ(Widgets.size(), 9u);
	const long long ToolBarBefore = UE::Host::GetToolBarGetterCalls(SequencerToolBar, StatusButton);
	RunFrames(Frames);
	for (const FCountedWidget& Counted : Widgets)
	{
		EXPECT_GE(CallsSince(Counted), Frames) << Counted.Name;
	}
	// Tool tip, icon and enabled state, every frame.
	EXPECT_GE(UE::Host::GetToolBarGetterCalls(SequencerToolBar, StatusButton) - ToolBarBefore, 3 * Frames);

	// Sequencer without a sequence shows no tool bar; a closed tab lives through the frame it closed in.
	Editor.Exec(TEXT("Host.Focus"));
	Editor.Exec(TEXT("Host.CloseTab Vantle.Panel"));
	EXPECT_FALSE(UE::Host::GetOpenTabIds().Contains(PanelId));
	const TWeakPtr<SDockTab> ClosedTab = Module().PanelTab;
	ASSERT_TRUE(ClosedTab.IsValid());
	ASSERT_TRUE(ClosedTab.Pin()->GetParentWindow().IsValid());
	EXPECT_TRUE(UE::Host::IsWindowClosing(ClosedTab.Pin()->GetParentWindow().ToSharedRef()));
	RunFrames(1);
	EXPECT_FALSE(ClosedTab.IsValid());
	EXPECT_FALSE(UE::Host::IsToolBarShown(SequencerToolBar));

	for (FCountedWidget& Counted : Widgets)
	{
		Counted.Calls += CallsSince(Counted);
	}
	const long long ToolBarHidden = UE::Host::GetToolBarGetterCalls(SequencerToolBar, StatusButton);
	RunFrames(Frames);
	for (const FCountedWidget& Counted : Widgets)
	{
		EXPECT_EQ(CallsSince(Counted), 0) << Counted.Name;
	}
	EXPECT_EQ(UE::Host::GetToolBarGetterCalls(SequencerToolBar, StatusButton), ToolBarHidden);

	// Shown again, evaluated again.
	Editor.Exec(TEXT("Host.Focus /Game/Cinematics/Intro.Intro"));
	RunFrames(Frames);
	EXPECT_GE(UE::Host::GetToolBarGetterCalls(SequencerToolBar, StatusButton) - ToolBarHidden, 3 * (Frames - 1));
}

TEST_F(Frame, ShuttingDownWithThePanelOpenCallsNothingOfTheModuleInLaterFrames)
{
	Editor.Exec(TEXT("Vantle.Open"));
	RunFrames(2);
	ASSERT_TRUE(UE::Host::IsToolBarShown(SequencerToolBar));
	const std::vector<FCountedWidget> Widgets = PanelWidgetsWithGetters();
	ASSERT_EQ(Widgets.size(), 9u);
	const TWeakPtr<SDockTab> Tab = Module().PanelTab;
	const long long ToolBarBefore = UE::Host::GetToolBarGetterCalls(SequencerToolBar, StatusButton);
	ASSERT_GT(ToolBarBefore, 0);

	for (const FName& ToolBar : {SequencerToolBar, LevelToolBar})
	{
		bool bEnabledBefore = false;
		ASSERT_TRUE(UE::Host::GetToolBarEntryPainted(ToolBar, ToolBar == LevelToolBar ? OpenButton : StatusButton, bEnabledBefore));
		EXPECT_TRUE(bEnabledBefore) << UE::Host::ToUtf8(ToolBar.ToString());
	}

	// The module object is deleted here; the panel's window and the built tool bars are still on screen.
	ASSERT_TRUE(FModuleManager::Get().UnloadModule(TEXT("Vantle")));
	ASSERT_TRUE(Tab.IsValid());

	// Under the address sanitizer a getter reaching the deleted module fails here; everywhere, no
	// getter bound to the module may be called. The tool bars built before are painted once more:
	// their Vantle buttons show disabled, and only the can-execute (which finds the module gone) runs.
	RunFrames(1);
	bool bEnabled = true;
	ASSERT_TRUE(UE::Host::GetToolBarEntryPainted(SequencerToolBar, StatusButton, bEnabled));
	EXPECT_FALSE(bEnabled);
	bEnabled = true;
	ASSERT_TRUE(UE::Host::GetToolBarEntryPainted(LevelToolBar, OpenButton, bEnabled));
	EXPECT_FALSE(bEnabled);
	EXPECT_EQ(UE::Host::GetToolBarGetterCalls(SequencerToolBar, StatusButton), ToolBarBefore + 1);
	RunFrames(4);
	EXPECT_FALSE(UE::Host::GetToolBarEntryPainted(SequencerToolBar, StatusButton, bEnabled));
	EXPECT_FALSE(UE::Host::GetToolBarEntryPainted(LevelToolBar, OpenButton, bEnabled));
	EXPECT_FALSE(Tab.IsValid());
	for (const FCountedWidget& Counted : Widgets)
	{
		EXPECT_EQ(CallsSince(Counted), 0) << Counted.Name;
	}
	EXPECT_EQ(UE::Host::GetToolBarGetterCalls(SequencerToolBar, StatusButton), ToolBarBefore + 1);
	for (const FString& Line : UE::Host::DescribeMenu(SequencerToolBar.ToString()))
	{
		EXPECT_FALSE(Line.Contains(TEXT("Vantle"))) << UE::Host::ToUtf8(Line);
	}
	EXPECT_TRUE(UE::Host::GetOpenTabIds().IsEmpty());
}

TEST_F(Frame, TheDetailsTextIsMadeOncePerRefreshAndAlwaysShowsTheReport)
{
	Editor.Exec(TEXT("Vantle.Open"));
	RunFrames(1);
	auto FindDetails = [this]() -> TSharedPtr<STextBlock>
	{
		for (const UE::Host::FArrangedWidgetRecord& Record : UE::Host::ArrangeTab(PanelId))
		{
			const TSharedPtr<SWidget> Widget = Record.Widget.Pin();
			const STextBlock* Text = dynamic_cast<const STextBlock*>(Widget.Get());
			if (Text && Text->GetText().ToString().StartsWith(TEXT("Missing\n")))
			{
				return StaticCastSharedPtr<STextBlock>(Widget);
			}
		}
		return nullptr;
	};
	const TSharedPtr<STextBlock> Details = FindDetails();
	ASSERT_TRUE(Details.IsValid());
	const std::string Before = UE::Host::ToUtf8(Details->GetText().ToString());
	EXPECT_EQ(Before, UE::Host::ToUtf8(Module().GetBindingDetails()));

	// Frames between refreshes show the very same text, not a copy made for each frame.
	const FString* Shown = &Details->GetText().ToString();
	RunFrames(5);
	EXPECT_EQ(&Details->GetText().ToString(), Shown);

	// The next refresh (every 0.75 s) shows the new report.
	Editor.Exec(TEXT("Host.Destroy Sidekick"));
	RunFrames(2);
	EXPECT_EQ(UE::Host::ToUtf8(Details->GetText().ToString()), Before);
	TickFor(0.75);
	RunFrames(1);
	const std::string After = UE::Host::ToUtf8(Details->GetText().ToString());
	EXPECT_EQ(After, UE::Host::ToUtf8(Module().GetBindingDetails()));
	EXPECT_NE(After.find("Sidekick"), std::string::npos) << After;

	// A repair refreshes at once.
	Editor.Exec(TEXT("Vantle.FixReferences"));
	RunFrames(1);
	EXPECT_EQ(UE::Host::ToUtf8(Details->GetText().ToString()), UE::Host::ToUtf8(Module().GetBindingDetails()));
	EXPECT_NE(UE::Host::ToUtf8(Details->GetText().ToString()), After);
}
