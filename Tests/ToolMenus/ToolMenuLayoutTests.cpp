// Copyright Vantle contributors. All Rights Reserved.
#include "ToolMenusTestSupport.h"

namespace
{
	using namespace Vantle::Test;

	TEST_F(FToolMenusTest, AddSectionReturnsTheExistingSectionAndKeepsItsLabelUnlessGivenOne)
	{
		UToolMenu* Menu = UToolMenus::Get()->ExtendMenu(TEXT("Test.Sections"));
		Menu->AddSection(TEXT("S"), Text(TEXT("Original"))).AddEntry(FToolMenuEntry::InitToolBarButton(TEXT("Kept"), FUIAction()));

		FToolMenuSection& Again = Menu->AddSection(TEXT("s"));
		EXPECT_EQ(&Again, &Menu->Sections[0]);
		EXPECT_EQ(Menu->Sections.Num(), 1);
		EXPECT_EQ(UE::Host::ToUtf8(Again.Label.Get().ToString()), "Original");
		EXPECT_NE(Again.FindEntry(TEXT("Kept")), nullptr);

		// As in the engine, a label or position handed to AddSection does update an existing section.
		Menu->AddSection(TEXT("S"), Text(TEXT("Renamed")), FToolMenuInsert(TEXT("Other"), EToolMenuInsertType::Before));
		EXPECT_EQ(UE::Host::ToUtf8(Menu->FindSection(TEXT("S"))->Label.Get().ToString()), "Renamed");
		EXPECT_EQ(Menu->FindSection(TEXT("S"))->InsertPosition, FToolMenuInsert(TEXT("Other"), EToolMenuInsertType::Before));
		EXPECT_EQ(Menu->FindSection(TEXT("Missing")), nullptr);
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
		FToolMenuSection& Base = Menu->AddSection(TEXT("Base"));
		auto AddAt = [&Base](const TCHAR* Name, FName Target, EToolMenuInsertType Type)
		{
			FToolMenuEntry Entry = FToolMenuEntry::InitToolBarButton(Name, FUIAction());
			Entry.InsertPosition = FToolMenuInsert(Target, Type);
			Base.AddEntry(Entry);
		};
		AddAt(TEXT("End"), NAME_None, EToolMenuInsertType::Last);
		AddAt(TEXT("Save"), NAME_None, EToolMenuInsertType::Default);
		AddAt(TEXT("Actions"), NAME_None, EToolMenuInsertType::Default);
		AddAt(TEXT("Render"), NAME_None, EToolMenuInsertType::Default);
		// Extensions, added in an order that differs from the order shown.
		AddAt(TEXT("AfterLate"), TEXT("Late"), EToolMenuInsertType::After);
		AddAt(TEXT("Mine"), TEXT("Actions"), EToolMenuInsertType::After);
		AddAt(TEXT("Mine2"), TEXT("Actions"), EToolMenuInsertType::After);
		AddAt(TEXT("BeforeSave"), TEXT("Save"), EToolMenuInsertType::Before);
		AddAt(TEXT("Orphan"), TEXT("NoSuchEntry"), EToolMenuInsertType::After);
		AddAt(TEXT("Top"), NAME_None, EToolMenuInsertType::First);
		AddAt(TEXT("Late"), NAME_None, EToolMenuInsertType::Default);

		EXPECT_EQ(DescribeNames(TEXT("Test.Order")), (std::vector<std::string>{"Base Top", "Base BeforeSave", "Base Save", "Base Actions", "Base Mine",
			"Base Mine2", "Base Render", "Base Late", "Base AfterLate", "Base End", "Base Orphan"}));
		// The stored order is untouched; only the built menu is ordered.
		EXPECT_EQ(Base.Blocks[0].Name, FName(TEXT("End")));
	}

	TEST_F(FToolMenusTest, MenusExtendedBeforeRegistrationKeepTheirExtensions)
	{
		UToolMenus* ToolMenus = UToolMenus::Get();
		UToolMenu* Placeholder = ToolMenus->ExtendMenu(TEXT("Test.Late"));
		ASSERT_NE(Placeholder, nullptr);
		EXPECT_FALSE(Placeholder->IsRegistered());
		FToolMenuEntry Early = FToolMenuEntry::InitToolBarButton(TEXT("Early"), FUIAction());
		Early.InsertPosition = FToolMenuInsert(TEXT("Actions"), EToolMenuInsertType::After);
		Placeholder->AddSection(TEXT("Base")).AddEntry(Early);
		Placeholder->AddSection(TEXT("Extra"), Text(TEXT("Extra"))).AddEntry(FToolMenuEntry::InitToolBarButton(TEXT("ExtraEntry"), FUIAction()));

		// Not shown until someone registers it.
		EXPECT_TRUE(DescribeNames(TEXT("Test.Late")).empty());
		FString Error;
		EXPECT_FALSE(UE::Host::RunMenuEntry(TEXT("Test.Late"), TEXT("Early"), Error));
		EXPECT_NE(UE::Host::ToUtf8(Error).find("not registered"), std::string::npos);

		UToolMenu* Registered = ToolMenus->RegisterMenu(TEXT("Test.Late"));
		EXPECT_EQ(Registered, Placeholder);
		Registered->AddSection(TEXT("Head")).AddEntry(FToolMenuEntry::InitToolBarButton(TEXT("Logo"), FUIAction()));
		FToolMenuSection& Base = Registered->AddSection(TEXT("Base"));
		Base.AddEntry(FToolMenuEntry::InitToolBarButton(TEXT("Actions"), FUIAction()));
		Base.AddEntry(FToolMenuEntry::InitToolBarButton(TEXT("Play"), FUIAction()));
		// The menu's own sections come first, the extension's entry keeps its anchor.
		EXPECT_EQ(DescribeNames(TEXT("Test.Late")), (std::vector<std::string>{"Head Logo", "Base Actions", "Base Early", "Base Play", "Extra ExtraEntry"}));
		// Registering again changes nothing (the engine warns).
		EXPECT_EQ(ToolMenus->RegisterMenu(TEXT("Test.Late")), Placeholder);
		EXPECT_EQ(DescribeNames(TEXT("Test.Late")).size(), 5u);
	}
}
