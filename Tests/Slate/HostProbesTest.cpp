// Copyright Vantle contributors. All Rights Reserved.
#include "SlateTestSupport.h"

#include "Framework/Docking/TabManager.h"
#include "Widgets/Docking/SDockTab.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/Layout/SBox.h"
#include "Widgets/SBoxPanel.h"
#include "Widgets/Text/STextBlock.h"

namespace
{
	// Two tabs whose content a test supplies.
	class FProbeTabs
	{
	public:
		FProbeTabs()
		{
			for (const FName& Id : {FirstId, SecondId})
			{
				FGlobalTabmanager::Get()->RegisterNomadTabSpawner(Id, FOnSpawnTab::CreateRaw(this, &FProbeTabs::Spawn));
			}
		}
		~FProbeTabs()
		{
			for (const TSharedRef<SDockTab>& Tab : UE::Host::GetOpenTabs())
			{
				Tab->RequestCloseTab();
			}
			FGlobalTabmanager::Get()->UnregisterNomadTabSpawner(FirstId);
			FGlobalTabmanager::Get()->UnregisterNomadTabSpawner(SecondId);
		}

		TSharedRef<SDockTab> Spawn(const FSpawnTabArgs& Args)
		{
			const FString Label = Args.GetTabId().TabType.ToString();
			return SNew(SDockTab).TabRole(
				ETabRole::NomadTab)[NextContent.IsValid() ? NextContent.ToSharedRef() : TSharedRef<SWidget>(SNew(STextBlock).Text(FText::FromString(Label)))];
		}

		const FName FirstId = TEXT("Probe.First");
		const FName SecondId = TEXT("Probe.Second");
		TSharedPtr<SWidget> NextContent;
	};

	class FHostProbesTest : public FSlateTest
	{
	};

	TSharedRef<SButton> LabelledButton(const TCHAR* Label, int32& Clicks)
	{
		return SNew(SButton).OnClicked_Lambda(
			[&Clicks]()
			{
				++Clicks;
				return FReply::Handled();
			})[SNew(STextBlock).Text(FText::FromString(Label))];
	}
}

TEST_F(FHostProbesTest, ClickChoosesTheEnabledVisibleButtonAmongSameLabels)
{
	FProbeTabs Tabs;
	int32 DisabledClicks = 0;
	int32 HiddenClicks = 0;
	int32 EnabledClicks = 0;
	const TSharedRef<SButton> Disabled = LabelledButton(TEXT("Apply"), DisabledClicks);
	const TSharedRef<SButton> Hidden = LabelledButton(TEXT("Apply"), HiddenClicks);
	const TSharedRef<SButton> Enabled = LabelledButton(TEXT("Apply"), EnabledClicks);
	const TSharedRef<SBox> DisabledParent = SNew(SBox)[Disabled];
	DisabledParent->SetEnabled(false);
	const TSharedRef<SBox> CollapsedParent = SNew(SBox)[Hidden];
	CollapsedParent->SetVisibility(EVisibility::Collapsed);
	// clang-format off
	Tabs.NextContent = SNew(SVerticalBox)
		+ SVerticalBox::Slot()[DisabledParent]
		+ SVerticalBox::Slot()[CollapsedParent]
		+ SVerticalBox::Slot()[Enabled];
	// clang-format on
	ASSERT_TRUE(FGlobalTabmanager::Get()->TryInvokeTab(FTabId(Tabs.FirstId)).IsValid());

	EXPECT_EQ(UE::Host::ClickButton(TEXT("Apply")), UE::Host::EClickResult::Clicked);
	EXPECT_EQ(EnabledClicks, 1);
	EXPECT_EQ(DisabledClicks + HiddenClicks, 0);

	// A disabled parent disables the button inside it, and the dump says so down the tree.
	Enabled->SetEnabled(false);
	EXPECT_EQ(UE::Host::ClickButton(TEXT("Apply")), UE::Host::EClickResult::Disabled);
	const TArray<FString> Lines = UE::Host::DumpWidgets(Tabs.FirstId);
	ASSERT_GE(Lines.Num(), 4);
	EXPECT_EQ(ToStd(Lines[2]), "    SBox enabled=false");
	EXPECT_EQ(ToStd(Lines[3]), "      SButton enabled=false");
	EXPECT_EQ(DisabledClicks + HiddenClicks + EnabledClicks, 1);
}

TEST_F(FHostProbesTest, SecondInvocationBringsItsWindowToTheFront)
{
	FProbeTabs Tabs;
	const TSharedPtr<SDockTab> First = FGlobalTabmanager::Get()->TryInvokeTab(FTabId(Tabs.FirstId));
	const TSharedPtr<SDockTab> Second = FGlobalTabmanager::Get()->TryInvokeTab(FTabId(Tabs.SecondId));
	ASSERT_TRUE(First.IsValid() && Second.IsValid());
	EXPECT_EQ(FGlobalTabmanager::Get()->GetActiveTab(), Second);
	EXPECT_TRUE(Second->IsActive());
	EXPECT_FALSE(First->IsActive());

	EXPECT_EQ(FGlobalTabmanager::Get()->TryInvokeTab(FTabId(Tabs.FirstId)), First);
	EXPECT_EQ(FGlobalTabmanager::Get()->GetActiveTab(), First);
	EXPECT_EQ(FSlateApplication::Get().GetActiveTopLevelWindow(), First->GetParentWindow());

	// Asking for it inactive leaves the order alone.
	EXPECT_EQ(FGlobalTabmanager::Get()->TryInvokeTab(FTabId(Tabs.SecondId), true), Second);
	EXPECT_EQ(FGlobalTabmanager::Get()->GetActiveTab(), First);

	const TArray<FName> Ids = UE::Host::GetOpenTabIds();
	ASSERT_EQ(Ids.Num(), 2);
	EXPECT_EQ(Ids[0], Tabs.SecondId);
	EXPECT_EQ(Ids[1], Tabs.FirstId);
	const TArray<FString> Lines = UE::Host::DumpWidgets();
	ASSERT_EQ(Lines.Num(), 4);
	EXPECT_EQ(ToStd(Lines[0]), "SDockTab text=\"Probe.Second\"");
	EXPECT_EQ(ToStd(Lines[2]), "SDockTab text=\"Probe.First\"");
}

TEST_F(FHostProbesTest, TickReadsBoundAttributesOfOpenWindows)
{
	FProbeTabs Tabs;
	int32 Reads = 0;
	Tabs.NextContent = SNew(STextBlock)
						   .Text_Lambda(
							   [&Reads]()
							   {
								   ++Reads;
								   return FText::FromString(TEXT("live"));
							   });
	ASSERT_TRUE(FGlobalTabmanager::Get()->TryInvokeTab(FTabId(Tabs.FirstId)).IsValid());
	const int32 Before = Reads;
	FSlateApplication::Get().Tick();
	EXPECT_GT(Reads, Before);
	const int32 AfterOne = Reads;
	FSlateApplication::Get().Tick();
	EXPECT_GT(Reads, AfterOne);

	// A closed tab's window is still painted in the frame it closed in, then destroyed.
	ASSERT_TRUE(UE::Host::CloseTab(Tabs.FirstId));
	FSlateApplication::Get().Tick();
	const int32 AfterClose = Reads;
	FSlateApplication::Get().Tick();
	EXPECT_EQ(Reads, AfterClose);
}

TEST_F(FHostProbesTest, ClickResultsHaveNames)
{
	EXPECT_EQ(FString(UE::Host::LexToString(UE::Host::EClickResult::Clicked)), FString(TEXT("Clicked")));
	EXPECT_EQ(FString(UE::Host::LexToString(UE::Host::EClickResult::Disabled)), FString(TEXT("Disabled")));
	EXPECT_EQ(FString(UE::Host::LexToString(UE::Host::EClickResult::NotFound)), FString(TEXT("NotFound")));
}
