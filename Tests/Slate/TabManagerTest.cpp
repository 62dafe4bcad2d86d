// Copyright Vantle contributors. All Rights Reserved.
#include "SlateTestSupport.h"

#include "Framework/Docking/TabManager.h"
#include "Styling/CoreStyle.h"
#include "Widgets/Docking/SDockTab.h"
#include "Widgets/SWindow.h"
#include "Widgets/Text/STextBlock.h"

namespace
{
	const FName PanelTabId(TEXT("Test.Panel"));

	// Registers a nomad spawner the way the plugin does and counts the trees it builds.
	class FTabOwner
	{
	public:
		FTabOwner()
		{
			FGlobalTabmanager::Get()
				->RegisterNomadTabSpawner(PanelTabId, FOnSpawnTab::CreateRaw(this, &FTabOwner::SpawnTab))
				.SetDisplayName(FText::FromString(TEXT("Panel")))
				.SetIcon(FSlateIcon(TEXT("CoreStyle"), TEXT("Icons.Refresh")));
		}
		~FTabOwner()
		{
			FGlobalTabmanager::Get()->UnregisterNomadTabSpawner(PanelTabId);
			FTabManager::UnregisterDefaultTabWindowSize(FTabId(PanelTabId));
		}

		TSharedRef<SDockTab> SpawnTab(const FSpawnTabArgs& Args)
		{
			++Spawns;
			// A getter bound to the owner, as the plugin's panel has them.
			const TSharedRef<SDockTab> Tab =
				SNew(SDockTab).TabRole(ETabRole::NomadTab)[SNew(STextBlock).Text_Lambda([this]() { return FText::FromString(Status); })];
			PanelTab = Tab;
			return Tab;
		}

		TWeakPtr<SDockTab> PanelTab;
		FString Status = TEXT("Idle");
		int32 Spawns = 0;
	};

	using FTabManagerTest = FSlateTest;
}

TEST_F(FTabManagerTest, SpawnerRegistrationIsVisibleAndRemovable)
{
	{
		FTabOwner Owner;
		EXPECT_TRUE(FGlobalTabmanager::Get()->HasTabSpawner(PanelTabId));
		const FTabSpawnerEntry* Entry = UE::Host::FindNomadTabSpawner(PanelTabId);
		ASSERT_NE(Entry, nullptr);
		EXPECT_EQ(ToStd(Entry->GetDisplayName().ToString()), "Panel");
		EXPECT_EQ(Entry->GetIcon().GetStyleSetName(), FName(TEXT("CoreStyle")));
		EXPECT_EQ(Entry->GetIcon().GetStyleName(), FName(TEXT("Icons.Refresh")));
	}
	EXPECT_FALSE(FGlobalTabmanager::Get()->HasTabSpawner(PanelTabId));
	EXPECT_EQ(FGlobalTabmanager::Get()->TryInvokeTab(FTabId(PanelTabId)), nullptr);

	// Without a default size of its own the window gets the fallback.
	FTabOwner Owner;
	const TSharedPtr<SDockTab> Tab = FGlobalTabmanager::Get()->TryInvokeTab(FTabId(PanelTabId));
	ASSERT_TRUE(Tab.IsValid());
	EXPECT_EQ(Tab->GetParentWindow()->GetClientSizeInScreen(), FVector2D(1000, 600));
	EXPECT_TRUE(Tab->RequestCloseTab());
}

TEST_F(FTabManagerTest, InvokingTwiceGivesOneTabInItsOwnWindow)
{
	FTabOwner Owner;
	FTabManager::RegisterDefaultTabWindowSize(FTabId(PanelTabId), FVector2D(560, 480));

	const TSharedPtr<SDockTab> First = FGlobalTabmanager::Get()->TryInvokeTab(FTabId(PanelTabId));
	ASSERT_TRUE(First.IsValid());
	// Without a label of its own the tab shows the spawner's name.
	EXPECT_EQ(ToStd(First->GetTabLabel().ToString()), "Panel");
	EXPECT_EQ(First->GetTabIcon(), FCoreStyle::Get().GetBrush(TEXT("Icons.Refresh")));

	const TSharedPtr<SDockTab> Second = FGlobalTabmanager::Get()->TryInvokeTab(FTabId(PanelTabId));
	EXPECT_EQ(First, Second);
	EXPECT_EQ(Owner.Spawns, 1);
	EXPECT_EQ(UE::Host::GetOpenTabIds().Num(), 1);

	const TSharedPtr<SWindow> Window = First->GetParentWindow();
	ASSERT_TRUE(Window.IsValid());
	EXPECT_EQ(Window->GetClientSizeInScreen(), FVector2D(560, 480));
	EXPECT_EQ(ToStd(Window->GetTitle().ToString()), "Panel");
	EXPECT_EQ(FSlateApplication::Get().FindWidgetWindow(First->GetContent()), Window);
	EXPECT_TRUE(UE::Host::CloseTab(PanelTabId));
}

TEST_F(FTabManagerTest, ResizingATabSizesItsWindowOnlyAndReopeningUsesTheDefaultAgain)
{
	FTabOwner Owner;
	FTabManager::RegisterDefaultTabWindowSize(FTabId(PanelTabId), FVector2D(560, 480));
	EXPECT_FALSE(UE::Host::ResizeTab(PanelTabId, FVector2D(560, 900))) << "no tab is open";

	const TSharedPtr<SDockTab> Tab = FGlobalTabmanager::Get()->TryInvokeTab(FTabId(PanelTabId));
	ASSERT_TRUE(Tab.IsValid());
	const TSharedPtr<SWindow> Window = Tab->GetParentWindow();
	EXPECT_TRUE(UE::Host::ResizeTab(PanelTabId, FVector2D(560, 900)));
	EXPECT_EQ(Window->GetClientSizeInScreen(), FVector2D(560, 900));
	// The layout follows the window at once.
	const TArray<UE::Host::FArrangedWidgetRecord> Records = UE::Host::ArrangeTab(PanelTabId);
	ASSERT_FALSE(Records.IsEmpty());
	EXPECT_EQ(Records[0].Type, FString(TEXT("SWindow")));
	EXPECT_EQ(Records[0].Size, FVector2D(560, 900));
	// The content fills the window below the tab's header.
	const UE::Host::FArrangedWidgetRecord* Header = FindRecord(Records, Tab.ToSharedRef());
	const UE::Host::FArrangedWidgetRecord* Content = FindRecord(Records, Tab->GetContent());
	ASSERT_TRUE(Header && Content);
	EXPECT_GT(Header->Size.Y, 16.0);
	EXPECT_EQ(Content->Position, FVector2D(0, Header->Size.Y));
	EXPECT_EQ(Content->Size, FVector2D(560, 900 - Header->Size.Y));

	for (const FVector2D& Bad : {FVector2D(0, 900), FVector2D(560, -1), FVector2D(UE::Host::MaxResizeSide + 1, 10)})
	{
		EXPECT_FALSE(UE::Host::ResizeTab(PanelTabId, Bad)) << Bad.X << " x " << Bad.Y;
	}
	EXPECT_EQ(Window->GetClientSizeInScreen(), FVector2D(560, 900));
	EXPECT_FALSE(UE::Host::ResizeTab(FName(TEXT("Other.Tab")), FVector2D(100, 100)));
	EXPECT_EQ(UE::Host::GetDefaultTabWindowSize(FTabId(PanelTabId)), FVector2D(560, 480));

	EXPECT_TRUE(UE::Host::CloseTab(PanelTabId));
	const TSharedPtr<SDockTab> Again = FGlobalTabmanager::Get()->TryInvokeTab(FTabId(PanelTabId));
	ASSERT_TRUE(Again.IsValid());
	EXPECT_EQ(Again->GetParentWindow()->GetClientSizeInScreen(), FVector2D(560, 480));
	EXPECT_TRUE(UE::Host::CloseTab(PanelTabId));
}

TEST_F(FTabManagerTest, ClosingDestroysTabAndWindowAndReopeningBuildsAFreshTree)
{
	FTabOwner Owner;
	TSharedPtr<SDockTab> Tab = FGlobalTabmanager::Get()->TryInvokeTab(FTabId(PanelTabId));
	ASSERT_TRUE(Tab.IsValid());
	const TWeakPtr<SDockTab> FirstTab = Tab;
	const TWeakPtr<SWidget> FirstContent = Tab->GetContent();
	const TWeakPtr<SWindow> FirstWindow = Tab->GetParentWindow();
	Tab.Reset();

	EXPECT_TRUE(UE::Host::CloseTab(PanelTabId));
	// Closed, but its window lives until the end of the next frame, as the engine queues it.
	EXPECT_TRUE(UE::Host::GetOpenTabIds().IsEmpty());
	ASSERT_TRUE(FirstWindow.IsValid());
	EXPECT_TRUE(UE::Host::IsWindowClosing(FirstWindow.Pin().ToSharedRef()));
	EXPECT_EQ(FSlateApplication::Get().GetTopLevelWindows().Num(), 1);
	EXPECT_FALSE(UE::Host::CloseTab(PanelTabId));
	FSlateApplication::Get().Tick();
	EXPECT_FALSE(FirstTab.IsValid());
	EXPECT_FALSE(FirstContent.IsValid());
	EXPECT_FALSE(FirstWindow.IsValid());
	EXPECT_FALSE(Owner.PanelTab.IsValid());
	EXPECT_TRUE(FSlateApplication::Get().GetTopLevelWindows().IsEmpty());
	EXPECT_FALSE(UE::Host::CloseTab(PanelTabId));

	const TSharedPtr<SDockTab> Reopened = FGlobalTabmanager::Get()->TryInvokeTab(FTabId(PanelTabId));
	ASSERT_TRUE(Reopened.IsValid());
	EXPECT_EQ(Owner.Spawns, 2);
	EXPECT_EQ(Owner.PanelTab.Pin(), Reopened);
	EXPECT_TRUE(Reopened->RequestCloseTab());
}

TEST_F(FTabManagerTest, UnregisteringTheSpawnerLeavesAnOpenTabOpen)
{
	TSharedPtr<SDockTab> Tab;
	{
		FTabOwner Owner;
		Tab = FGlobalTabmanager::Get()->TryInvokeTab(FTabId(PanelTabId));
		// The owner (and the getters bound to it) must not outlive the tab; close before it goes.
		ASSERT_TRUE(Tab.IsValid());
		FGlobalTabmanager::Get()->UnregisterNomadTabSpawner(PanelTabId);
		EXPECT_EQ(UE::Host::GetOpenTabIds().Num(), 1);
		EXPECT_TRUE(Tab->RequestCloseTab());
	}
}

TEST_F(FTabManagerTest, ShutdownDestroysOpenTabsAndNothingOpensWithoutTheApplication)
{
	FTabOwner Owner;
	const TWeakPtr<SDockTab> Tab = FGlobalTabmanager::Get()->TryInvokeTab(FTabId(PanelTabId));
	ASSERT_TRUE(Tab.IsValid());
	UE::Host::ShutdownSlateApplication();
	EXPECT_FALSE(Tab.IsValid());
	EXPECT_EQ(FGlobalTabmanager::Get()->TryInvokeTab(FTabId(PanelTabId)), nullptr);
	EXPECT_EQ(Owner.Spawns, 1);
	UE::Host::InitSlateApplication();
	EXPECT_TRUE(UE::Host::GetOpenTabIds().IsEmpty());
}
