// Copyright Vantle contributors. All Rights Reserved.
#include "ToolMenusTestSupport.h"

namespace
{
	using namespace Vantle::Test;

	// Stands in for a module object registering under itself, as plugins do.
	struct FFakeModule
	{
		void Register(int32& Runs)
		{
			FToolMenuOwnerScoped OwnerScope(this);
			UToolMenus* ToolMenus = UToolMenus::Get();
			const FUIAction Action = CountingAction(Runs);

			UToolMenu* Tools = ToolMenus->ExtendMenu(TEXT("LevelEditor.MainMenu.Tools"));
			Tools->AddSection(TEXT("Fake"), Text(TEXT("Fake"))).AddMenuEntry(TEXT("Fake.Open"), Text(TEXT("Open")), Text(TEXT("Opens")),
				FSlateIcon(), Action);

			UToolMenu* Toolbar = ToolMenus->ExtendMenu(TEXT("Sequencer.MainToolBar"));
			Toolbar->FindOrAddSection(TEXT("BaseCommands")).AddEntry(FToolMenuEntry::InitToolBarButton(TEXT("Fake.Button"), Action));
		}
	};

	TEST_F(FToolMenusTest, UnregisterOwnerRemovesExactlyThatOwnersEntriesFromEveryMenu)
	{
		FFakeModule Module;
		FFakeModule Other;
		int32 Runs = 0;
		Module.Register(Runs);
		Other.Register(Runs);
		// Other's entries have the same names, so they replaced Module's in the shared sections.
		EXPECT_TRUE(EntriesOf(&Module).empty());

		FFakeModule Third;
		UToolMenu* Tools = UToolMenus::Get()->ExtendMenu(TEXT("LevelEditor.MainMenu.Tools"));
		{
			FToolMenuOwnerScoped Scope(&Third);
			Tools->FindOrAddSection(TEXT("Fake")).AddMenuEntry(TEXT("Third.Entry"), Text(TEXT("Third")), Text(TEXT("")), FSlateIcon(), FUIAction());
			Tools->AddSection(TEXT("ThirdOnly")).AddMenuEntry(TEXT("Third.Alone"), Text(TEXT("Alone")), Text(TEXT("")), FSlateIcon(), FUIAction());
		}
		Tools->FindOrAddSection(TEXT("Fake")).AddMenuEntry(TEXT("Anonymous"), Text(TEXT("Nobody's")), Text(TEXT("")), FSlateIcon(), FUIAction());

		EXPECT_EQ(EntriesOf(&Other), (std::vector<std::string>{"LevelEditor.MainMenu.Tools Fake Fake.Open", "Sequencer.MainToolBar BaseCommands Fake.Button"}));
		EXPECT_EQ(EntriesOf(&Third), (std::vector<std::string>{"LevelEditor.MainMenu.Tools Fake Third.Entry", "LevelEditor.MainMenu.Tools ThirdOnly Third.Alone"}));

		UToolMenus::UnregisterOwner(&Third);
		EXPECT_TRUE(EntriesOf(&Third).empty());
		EXPECT_EQ(EntriesOf(&Other).size(), 2u);
		// Third's own section went with its last entry; the shared one stays with the others' entries.
		EXPECT_EQ(Tools->FindSection(TEXT("ThirdOnly")), nullptr);
		ASSERT_NE(Tools->FindSection(TEXT("Fake")), nullptr);
		EXPECT_NE(Tools->FindSection(TEXT("Fake"))->FindEntry(TEXT("Anonymous")), nullptr);

		UToolMenus::UnregisterOwner(&Other);
		EXPECT_TRUE(EntriesOf(&Other).empty());
		// The engine's own entry and the anonymous one survive every owner's removal.
		EXPECT_EQ(DescribeNames(TEXT("Sequencer.MainToolBar")), (std::vector<std::string>{"BaseCommands Actions"}));
		EXPECT_EQ(DescribeNames(TEXT("LevelEditor.MainMenu.Tools")), (std::vector<std::string>{"Fake Anonymous"}));

		// An unset owner matches nothing.
		UToolMenus::UnregisterOwner(FToolMenuOwner());
		EXPECT_EQ(DescribeNames(TEXT("LevelEditor.MainMenu.Tools")).size(), 1u);
	}

	TEST(ToolMenusModuleTest, ModuleLifetimeBoundsTheRegistry)
	{
		UE::Host::InitToolMenus();
		ASSERT_NE(UToolMenus::TryGet(), nullptr);
		EXPECT_TRUE(UToolMenus::Get()->IsMenuRegistered(TEXT("Sequencer.MainToolBar")));

		int32 Owner = 0;
		UE::Host::ShutdownToolMenus();
		EXPECT_FALSE(FModuleManager::Get().IsModuleLoaded(TEXT("ToolMenus")));
		EXPECT_EQ(UToolMenus::TryGet(), nullptr);
		// Get does not bring a shut-down registry back.
		EXPECT_EQ(UToolMenus::Get(), nullptr);
		// What a plugin does at its own shut-down stays harmless.
		UToolMenus::UnregisterOwner(&Owner);
		UToolMenus::UnRegisterStartupCallback(&Owner);
		EXPECT_TRUE(UE::Host::DescribeMenu(TEXT("Sequencer.MainToolBar")).IsEmpty());

		// A new start gives a fresh registry with only the editor's menus.
		UE::Host::InitToolMenus();
		ASSERT_NE(UToolMenus::TryGet(), nullptr);
		EXPECT_EQ(UToolMenus::Get()->FindMenu(TEXT("Test.Owners")), nullptr);
		UE::Host::ShutdownToolMenus();
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
		struct FUser
		{
			int32* Counter;
			void Run() { ++*Counter; }
		} User{&Dropped};

		UToolMenus::RegisterStartupCallback(FSimpleMulticastDelegate::FDelegate::CreateLambda([&Plain]() { ++Plain; }));
		UToolMenus::RegisterStartupCallback(FSimpleMulticastDelegate::FDelegate::CreateRaw(&User, &FUser::Run));
		EXPECT_EQ(UE::Host::GetPendingToolMenusStartupCallbackCount(), 2);
		UToolMenus::UnRegisterStartupCallback(&User);
		EXPECT_EQ(UE::Host::GetPendingToolMenusStartupCallbackCount(), 1);
		EXPECT_EQ(Plain, 0);

		UE::Host::RunToolMenusStartupCallbacks();
		UE::Host::RunToolMenusStartupCallbacks();
		EXPECT_EQ(Plain, 1);
		EXPECT_EQ(Dropped, 0);
		EXPECT_EQ(UE::Host::GetPendingToolMenusStartupCallbackCount(), 0);

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
