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

	using FHostProbesTest = FSlateTest;

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

	// A disabled parent disables the button inside it.
	Enabled->SetEnabled(false);
	EXPECT_EQ(UE::Host::ClickButton(TEXT("Apply")), UE::Host::EClickResult::Disabled);
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
	EXPECT_EQ(UE::Host::GetOpenTabIds(), (TArray<FName>{Tabs.SecondId, Tabs.FirstId}));
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

	// A closed tab's window is still painted in the frame it closed in, then destroyed.
	ASSERT_TRUE(UE::Host::CloseTab(Tabs.FirstId));
	FSlateApplication::Get().Tick();
	const int32 AfterClose = Reads;
	FSlateApplication::Get().Tick();
	EXPECT_EQ(Reads, AfterClose);
}
