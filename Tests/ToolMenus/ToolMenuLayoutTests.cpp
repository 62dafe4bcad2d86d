// Copyright Vantle contributors. All Rights Reserved.
#include "ToolMenusTestSupport.h"

namespace
{
	using namespace Vantle::Test;

	TEST_F(FToolMenusTest, AddSectionReturnsTheExistingSectionAndKeepsItsLabelUnlessGivenOne)
	{
		UToolMenu* Menu = UToolMenus::Get()->ExtendMenu(TEXT("Test.Sections"));
		FToolMenuSection& First = Menu->AddSection(TEXT("S"), Text(TEXT("Original")));
		First.AddEntry(FToolMenuEntry::InitToolBarButton(TEXT("Kept"), FUIAction()));

		FToolMenuSection& Again = Menu->AddSection(TEXT("S"));
		EXPECT_EQ(&Again, &Menu->Sections[0]);
		EXPECT_EQ(Menu->Sections.Num(), 1);
		EXPECT_EQ(UE::Host::ToUtf8(Again.Label.Get().ToString()), "Original");
		EXPECT_NE(Again.FindEntry(TEXT("Kept")), nullptr);

		EXPECT_EQ(UE::Host::ToUtf8(Menu->FindOrAddSection(TEXT("s"), Text(TEXT("Ignored")), FToolMenuInsert(TEXT("X"), EToolMenuInsertType::First)).Label.Get().ToString()), "Original");
		EXPECT_TRUE(Menu->FindSection(TEXT("S"))->InsertPosition.IsDefault());

		// As in the engine, a label or position handed to AddSection does update an existing section.
		Menu->AddSection(TEXT("S"), Text(TEXT("Renamed")), FToolMenuInsert(TEXT("Other"), EToolMenuInsertType::Before));
		EXPECT_EQ(UE::Host::ToUtf8(Menu->FindSection(TEXT("S"))->Label.Get().ToString()), "Renamed");
		EXPECT_EQ(Menu->FindSection(TEXT("S"))->InsertPosition, FToolMenuInsert(TEXT("Other"), EToolMenuInsertType::Before));

		EXPECT_EQ(Menu->FindSection(TEXT("Missing")), nullptr);
		FToolMenuSection& Added = Menu->FindOrAddSection(TEXT("Missing"));
		EXPECT_FALSE(Added.Label.IsSet());
		EXPECT_EQ(Menu->Sections.Num(), 2);
	}

	TEST_F(FToolMenusTest, AddEntryReplacesTheSameNamedEntryInPlace)
	{
		UToolMenu* Menu = UToolMenus::Get()->RegisterMenu(TEXT("Test.Replace"));
		FToolMenuSection& Section = Menu->AddSection(TEXT("S"));
		int32 FirstRuns = 0;
		int32 SecondRuns = 0;
		Section.AddMenuEntry(TEXT("A"), Text(TEXT("First A")), Text(TEXT("")), FSlateIcon(), CountingAction(FirstRuns));
		Section.AddMenuEntry(TEXT("B"), Text(TEXT("B")), Text(TEXT("")), FSlateIcon(), FUIAction());
		Section.AddMenuEntry(TEXT("A"), Text(TEXT("Second A")), Text(TEXT("")), FSlateIcon(), CountingAction(SecondRuns));

		ASSERT_EQ(Section.Blocks.Num(), 2);
		EXPECT_EQ(UE::Host::ToUtf8(Section.Blocks[0].Label.Get().ToString()), "Second A");
		EXPECT_EQ(DescribeNames(TEXT("Test.Replace")), (std::vector<std::string>{"S A", "S B"}));

		FString Error;
		EXPECT_TRUE(UE::Host::RunMenuEntry(TEXT("Test.Replace"), TEXT("a"), Error)) << UE::Host::ToUtf8(Error);
		EXPECT_EQ(FirstRuns, 0);
		EXPECT_EQ(SecondRuns, 1);
	}

	TEST_F(FToolMenusTest, EntriesFollowTheirInsertPositionWhenTheMenuIsBuilt)
	{
		UToolMenu* Menu = UToolMenus::Get()->RegisterMenu(TEXT("Test.Order"));
		FToolMenuSection& Own = Menu->AddSection(TEXT("Base"));
		FToolMenuEntry LastEntry = FToolMenuEntry::InitToolBarButton(TEXT("End"), FUIAction());
		LastEntry.InsertPosition = FToolMenuInsert(NAME_None, EToolMenuInsertType::Last);
		Own.AddEntry(LastEntry);
		Own.AddEntry(FToolMenuEntry::InitToolBarButton(TEXT("Save"), FUIAction()));
		Own.AddEntry(FToolMenuEntry::InitToolBarButton(TEXT("Actions"), FUIAction()));
		Own.AddEntry(FToolMenuEntry::InitToolBarButton(TEXT("Render"), FUIAction()));

		// Extensions, added in an order that differs from the order shown.
		UToolMenu* Extended = UToolMenus::Get()->ExtendMenu(TEXT("Test.Order"));
		ASSERT_EQ(Extended, Menu);
		FToolMenuSection& Base = Extended->FindOrAddSection(TEXT("Base"));
		auto AddAt = [&Base](const TCHAR* Name, FName Target, EToolMenuInsertType Type)
		{
			FToolMenuEntry Entry = FToolMenuEntry::InitToolBarButton(Name, FUIAction());
			Entry.InsertPosition = FToolMenuInsert(Target, Type);
			Base.AddEntry(Entry);
		};
		AddAt(TEXT("AfterLate"), TEXT("Late"), EToolMenuInsertType::After);
		AddAt(TEXT("Mine"), TEXT("Actions"), EToolMenuInsertType::After);
		AddAt(TEXT("Mine2"), TEXT("Actions"), EToolMenuInsertType::After);
		AddAt(TEXT("BeforeSave"), TEXT("Save"), EToolMenuInsertType::Before);
		AddAt(TEXT("Orphan"), TEXT("NoSuchEntry"), EToolMenuInsertType::After);
		AddAt(TEXT("Top"), NAME_None, EToolMenuInsertType::First);
		Base.AddEntry(FToolMenuEntry::InitToolBarButton(TEXT("Late"), FUIAction()));

		EXPECT_EQ(DescribeNames(TEXT("Test.Order")), (std::vector<std::string>{"Base Top", "Base BeforeSave", "Base Save", "Base Actions", "Base Mine",
			"Base Mine2", "Base Render", "Base Late", "Base AfterLate", "Base End", "Base Orphan"}));
		// The stored order is untouched; only the built menu is ordered.
		EXPECT_EQ(Base.Blocks[0].Name, FName(TEXT("End")));
	}

	TEST_F(FToolMenusTest, MenusExtendedBeforeRegistrationKeepTheirExtensions)
	{
		UToolMenus* ToolMenus = UToolMenus::Get();
		EXPECT_FALSE(ToolMenus->IsMenuRegistered(TEXT("Test.Late")));
		UToolMenu* Placeholder = ToolMenus->ExtendMenu(TEXT("Test.Late"));
		ASSERT_NE(Placeholder, nullptr);
		EXPECT_FALSE(Placeholder->IsRegistered());
		FToolMenuEntry Early = FToolMenuEntry::InitToolBarButton(TEXT("Early"), FUIAction());
		Early.InsertPosition = FToolMenuInsert(TEXT("Actions"), EToolMenuInsertType::After);
		Placeholder->AddSection(TEXT("Base")).AddEntry(Early);
		Placeholder->AddSection(TEXT("Extra"), Text(TEXT("Extra"))).AddEntry(FToolMenuEntry::InitToolBarButton(TEXT("ExtraEntry"), FUIAction()));

		// Not shown until someone registers it.
		EXPECT_TRUE(Describe(TEXT("Test.Late")).empty());
		FString Error;
		EXPECT_FALSE(UE::Host::RunMenuEntry(TEXT("Test.Late"), TEXT("Early"), Error));
		EXPECT_NE(UE::Host::ToUtf8(Error).find("not registered"), std::string::npos);

		UToolMenu* Registered = ToolMenus->RegisterMenu(TEXT("Test.Late"));
		EXPECT_EQ(Registered, Placeholder);
		EXPECT_TRUE(ToolMenus->IsMenuRegistered(TEXT("Test.Late")));
		Registered->AddSection(TEXT("Head"));
		FToolMenuSection& Base = Registered->AddSection(TEXT("Base"));
		Base.AddEntry(FToolMenuEntry::InitToolBarButton(TEXT("Save"), FUIAction()));
		Base.AddEntry(FToolMenuEntry::InitToolBarButton(TEXT("Actions"), FUIAction()));
		Base.AddEntry(FToolMenuEntry::InitToolBarButton(TEXT("Play"), FUIAction()));
		Registered->FindSection(TEXT("Head"))->AddEntry(FToolMenuEntry::InitToolBarButton(TEXT("Logo"), FUIAction()));

		// The menu's own sections come first, the extension's entry keeps its anchor.
		EXPECT_EQ(DescribeNames(TEXT("Test.Late")), (std::vector<std::string>{"Head Logo", "Base Save", "Base Actions", "Base Early", "Base Play",
			"Extra ExtraEntry"}));

		// Registering again changes nothing (the engine warns).
		EXPECT_EQ(ToolMenus->RegisterMenu(TEXT("Test.Late")), Placeholder);
		EXPECT_EQ(DescribeNames(TEXT("Test.Late")).size(), 6u);
	}

	TEST_F(FToolMenusTest, ChildMenusShowTheirParentsEntriesFirst)
	{
		UToolMenus* ToolMenus = UToolMenus::Get();
		ToolMenus->ExtendMenu(TEXT("MainFrame.MainMenu.Tools"))->FindOrAddSection(TEXT("Programming"))
			.AddEntry(FToolMenuEntry::InitMenuEntry(TEXT("Parent.Entry"), Text(TEXT("P")), Text(TEXT("")), FSlateIcon(), FUIAction()));
		ToolMenus->ExtendMenu(TEXT("LevelEditor.MainMenu.Tools"))->AddSection(TEXT("Child"))
			.AddEntry(FToolMenuEntry::InitMenuEntry(TEXT("Child.Entry"), Text(TEXT("C")), Text(TEXT("")), FSlateIcon(), FUIAction()));
		EXPECT_EQ(DescribeNames(TEXT("LevelEditor.MainMenu.Tools")), (std::vector<std::string>{"Programming Parent.Entry", "Child Child.Entry"}));
		EXPECT_EQ(DescribeNames(TEXT("MainFrame.MainMenu.Tools")), (std::vector<std::string>{"Programming Parent.Entry"}));
	}

	TEST_F(FToolMenusTest, RemoveSectionAndRemoveEntryTakeOutWhatTheyName)
	{
		UToolMenus* ToolMenus = UToolMenus::Get();
		UToolMenu* Menu = ToolMenus->RegisterMenu(TEXT("Test.Remove"));
		Menu->AddSection(TEXT("A")).AddEntry(FToolMenuEntry::InitToolBarButton(TEXT("A1"), FUIAction()));
		Menu->FindSection(TEXT("A"))->AddEntry(FToolMenuEntry::InitToolBarButton(TEXT("A2"), FUIAction()));
		Menu->AddSection(TEXT("B")).AddEntry(FToolMenuEntry::InitToolBarButton(TEXT("B1"), FUIAction()));

		ToolMenus->RemoveEntry(TEXT("Test.Remove"), TEXT("A"), TEXT("A1"));
		ToolMenus->RemoveEntry(TEXT("Test.Remove"), TEXT("B"), TEXT("A2"));
		ToolMenus->RemoveEntry(TEXT("No.Menu"), TEXT("A"), TEXT("A2"));
		EXPECT_EQ(DescribeNames(TEXT("Test.Remove")), (std::vector<std::string>{"A A2", "B B1"}));
		ToolMenus->RemoveSection(TEXT("Test.Remove"), TEXT("A"));
		ToolMenus->RemoveSection(TEXT("No.Menu"), TEXT("B"));
		EXPECT_EQ(DescribeNames(TEXT("Test.Remove")), (std::vector<std::string>{"B B1"}));
	}
}
