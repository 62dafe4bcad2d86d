// Copyright Vantle contributors. All Rights Reserved.
#include "ToolMenusTestSupport.h"

namespace
{
	using namespace Vantle::Test;

	TEST_F(FToolMenusTest, DescribeShowsUnsetPartsAsDashesAndUnknownMenusAsNothing)
	{
		UToolMenu* Menu = UToolMenus::Get()->RegisterMenu(TEXT("Test.Bare"));
		Menu->AddSection(TEXT("S")).AddEntry(FToolMenuEntry::InitToolBarButton(TEXT("Bare"), FToolUIActionChoice()));
		EXPECT_EQ(Describe(TEXT("Test.Bare")), (std::vector<std::string>{"S Bare label=\"\" tooltip=\"\" icon=- enabled=true style=-"}));
		EXPECT_TRUE(Describe(TEXT("No.Such.Menu")).empty());
	}

	TEST_F(FToolMenusTest, RunMenuEntryRunsOnlyWhatCanExecute)
	{
		int32 Runs = 0;
		bool bEnabled = false;
		UToolMenu* Menu = UToolMenus::Get()->ExtendMenu(TEXT("LevelEditor.LevelEditorToolBar.User"));
		Menu->AddSection(TEXT("Mine")).AddEntry(FToolMenuEntry::InitToolBarButton(TEXT("Gated"),
			FUIAction(FExecuteAction::CreateLambda([&Runs]() { ++Runs; }), FCanExecuteAction::CreateLambda([&bEnabled]() { return bEnabled; }))));

		FString Error;
		EXPECT_FALSE(UE::Host::RunMenuEntry(TEXT("LevelEditor.LevelEditorToolBar.User"), TEXT("Gated"), Error));
		EXPECT_EQ(Runs, 0);
		EXPECT_NE(UE::Host::ToUtf8(Error).find("disabled"), std::string::npos) << UE::Host::ToUtf8(Error);

		bEnabled = true;
		EXPECT_TRUE(UE::Host::RunMenuEntry(TEXT("LevelEditor.LevelEditorToolBar.User"), TEXT("gated"), Error));
		EXPECT_EQ(Runs, 1);
		EXPECT_TRUE(Error.IsEmpty());

		EXPECT_FALSE(UE::Host::RunMenuEntry(TEXT("LevelEditor.LevelEditorToolBar.User"), TEXT("Missing"), Error));
		EXPECT_NE(UE::Host::ToUtf8(Error).find("no entry Missing"), std::string::npos) << UE::Host::ToUtf8(Error);
		EXPECT_FALSE(UE::Host::RunMenuEntry(TEXT("No.Such.Menu"), TEXT("Gated"), Error));
		EXPECT_NE(UE::Host::ToUtf8(Error).find("not registered"), std::string::npos) << UE::Host::ToUtf8(Error);
		// The engine's own "Actions" entry has nothing to run here.
		EXPECT_FALSE(UE::Host::RunMenuEntry(TEXT("Sequencer.MainToolBar"), TEXT("Actions"), Error));
		EXPECT_NE(UE::Host::ToUtf8(Error).find("no action"), std::string::npos) << UE::Host::ToUtf8(Error);
		EXPECT_EQ(Runs, 1);
	}

	class FStartupCallbackTest : public ::testing::Test
	{
	protected:
		void TearDown() override { UE::Host::ShutdownToolMenus(); }
	};

	TEST_F(FStartupCallbackTest, CallbacksWaitForEngineStartUpThenRunOnce)
	{
		UE::Host::InitToolMenus();
		int32 Plain = 0;
		int32 Dropped = 0;
		int32 DroppedByHandle = 0;
		struct FUser
		{
			int32* Counter;
			void Run() { ++*Counter; }
		} User{&Dropped};

		const FDelegateHandle PlainHandle = UToolMenus::RegisterStartupCallback(FSimpleMulticastDelegate::FDelegate::CreateLambda([&Plain]() { ++Plain; }));
		UToolMenus::RegisterStartupCallback(FSimpleMulticastDelegate::FDelegate::CreateRaw(&User, &FUser::Run));
		const FDelegateHandle ByHandle = UToolMenus::RegisterStartupCallback(FSimpleMulticastDelegate::FDelegate::CreateLambda([&DroppedByHandle]() { ++DroppedByHandle; }));
		EXPECT_TRUE(PlainHandle.IsValid());
		EXPECT_EQ(UE::Host::GetPendingToolMenusStartupCallbackCount(), 3);
		EXPECT_EQ(Plain + Dropped + DroppedByHandle, 0);

		UToolMenus::UnRegisterStartupCallback(&User);
		UToolMenus::UnRegisterStartupCallback(ByHandle);
		EXPECT_EQ(UE::Host::GetPendingToolMenusStartupCallbackCount(), 1);

		UE::Host::RunToolMenusStartupCallbacks();
		EXPECT_EQ(Plain, 1);
		EXPECT_EQ(Dropped, 0);
		EXPECT_EQ(DroppedByHandle, 0);
		EXPECT_EQ(UE::Host::GetPendingToolMenusStartupCallbackCount(), 0);
		UE::Host::RunToolMenusStartupCallbacks();
		EXPECT_EQ(Plain, 1);

		// Once start-up is over a new callback runs at once and nothing is kept.
		int32 Late = 0;
		const FDelegateHandle LateHandle = UToolMenus::RegisterStartupCallback(FSimpleMulticastDelegate::FDelegate::CreateLambda([&Late]() { ++Late; }));
		EXPECT_EQ(Late, 1);
		EXPECT_FALSE(LateHandle.IsValid());
		EXPECT_EQ(UE::Host::GetPendingToolMenusStartupCallbackCount(), 0);
	}

	TEST_F(FStartupCallbackTest, CallbacksQueuedBeforeToolMenusLoadsRunAfterStartUp)
	{
		int32 Runs = 0;
		// A plugin may load before ToolMenus; the callback then finds the menus it extends.
		UToolMenus::RegisterStartupCallback(FSimpleMulticastDelegate::FDelegate::CreateLambda([&Runs]()
			{
				++Runs;
				ASSERT_NE(UToolMenus::TryGet(), nullptr);
				EXPECT_TRUE(UToolMenus::Get()->IsMenuRegistered(TEXT("LevelEditor.MainMenu.Tools")));
				// A callback registered from inside one runs straight away.
				UToolMenus::RegisterStartupCallback(FSimpleMulticastDelegate::FDelegate::CreateLambda([&Runs]() { Runs += 10; }));
			}));
		UE::Host::InitToolMenus();
		EXPECT_EQ(Runs, 0);
		UE::Host::RunToolMenusStartupCallbacks();
		EXPECT_EQ(Runs, 11);

		// After ShutdownToolMenus the next start queues again.
		UE::Host::ShutdownToolMenus();
		UE::Host::InitToolMenus();
		UToolMenus::RegisterStartupCallback(FSimpleMulticastDelegate::FDelegate::CreateLambda([&Runs]() { ++Runs; }));
		EXPECT_EQ(Runs, 11);
		EXPECT_EQ(UE::Host::GetPendingToolMenusStartupCallbackCount(), 1);
	}
}
