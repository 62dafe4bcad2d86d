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

	TEST_F(FToolMenusTest, EntriesCarryTheOwnerOfTheScopeTheyWereBuiltIn)
	{
		UToolMenus* ToolMenus = UToolMenus::Get();
		int32 Outer = 0;
		EXPECT_FALSE(ToolMenus->CurrentOwner().IsSet());
		FToolMenuEntry BuiltInside;
		{
			FToolMenuOwnerScoped OuterScope(&Outer);
			EXPECT_EQ(ToolMenus->CurrentOwner(), FToolMenuOwner(&Outer));
			{
				FToolMenuOwnerScoped InnerScope(TEXT("InnerOwner"));
				EXPECT_EQ(ToolMenus->CurrentOwner(), FToolMenuOwner(FName(TEXT("InnerOwner"))));
				EXPECT_EQ(ToolMenus->CurrentOwner().TryGetName(), FName(TEXT("InnerOwner")));
			}
			EXPECT_EQ(ToolMenus->CurrentOwner(), FToolMenuOwner(&Outer));
			BuiltInside = FToolMenuEntry::InitToolBarButton(TEXT("Built"), FUIAction());
		}
		EXPECT_FALSE(ToolMenus->CurrentOwner().IsSet());

		// The owner is taken when the entry is built, not when it is added.
		UToolMenu* Menu = ToolMenus->ExtendMenu(TEXT("Test.Owners"));
		FToolMenuEntry& Added = Menu->AddSection(TEXT("S")).AddEntry(BuiltInside);
		EXPECT_EQ(Added.Owner, FToolMenuOwner(&Outer));
		EXPECT_FALSE(Menu->FindSection(TEXT("S"))->Owner.IsSet());
	}

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

	TEST_F(FToolMenusTest, OwnersCompareByKindAndValue)
	{
		int32 A = 0;
		int32 B = 0;
		EXPECT_EQ(FToolMenuOwner(&A), FToolMenuOwner(&A));
		EXPECT_NE(FToolMenuOwner(&A), FToolMenuOwner(&B));
		EXPECT_EQ(FToolMenuOwner(TEXT("Name")), FToolMenuOwner(FName(TEXT("name"))));
		EXPECT_EQ(FToolMenuOwner("Name"), FToolMenuOwner(TEXT("Name")));
		EXPECT_NE(FToolMenuOwner(TEXT("Name")), FToolMenuOwner(&A));
		EXPECT_FALSE(FToolMenuOwner(NAME_None).IsSet());
		EXPECT_FALSE(FToolMenuOwner(static_cast<void*>(nullptr)).IsSet());
		EXPECT_EQ(FToolMenuOwner(&A).TryGetName(), FName());
		EXPECT_EQ(GetTypeHash(FToolMenuOwner(TEXT("Name"))), GetTypeHash(FToolMenuOwner(TEXT("NAME"))));
	}

	TEST(ToolMenusModuleTest, ModuleLifetimeBoundsTheRegistry)
	{
		UE::Host::InitToolMenus();
		EXPECT_TRUE(FModuleManager::Get().IsModuleLoaded(TEXT("ToolMenus")));
		ASSERT_NE(UToolMenus::TryGet(), nullptr);
		EXPECT_EQ(UToolMenus::Get(), UToolMenus::TryGet());
		EXPECT_TRUE(UToolMenus::Get()->IsMenuRegistered(TEXT("Sequencer.MainToolBar")));

		int32 Owner = 0;
		UE::Host::ShutdownToolMenus();
		EXPECT_FALSE(FModuleManager::Get().IsModuleLoaded(TEXT("ToolMenus")));
		EXPECT_EQ(UToolMenus::TryGet(), nullptr);
		// Get does not bring a shut-down registry back.
		EXPECT_EQ(UToolMenus::Get(), nullptr);
		EXPECT_FALSE(FModuleManager::Get().IsModuleLoaded(TEXT("ToolMenus")));
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
}
