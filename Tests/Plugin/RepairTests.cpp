// Copyright Vantle contributors. All Rights Reserved.
#include "HAL/IConsoleManager.h"
#include "VantleTestEditor.h"

using Vantle::Test::FEditorTest;

namespace
{
	const char* const InitialMessage = "Changes are applied only when you click. Save the sequence afterwards.";
	const char* const AllResolvedMessage = "Checked again: all map bindings resolve. Save the sequence when ready.";
	const char* const RepairedMessage = "Repair finished. Review remaining bindings below; manual assignment may be needed.";

	// Ghost's binding is broken but an actor labelled "ghost" exists, so the repair can fix it;
	// Nobody has no actor of that name and stays missing.
	const char* const RepairScene = R"({
		"project": "Showcase",
		"world": { "map": "Arena", "actors": [ { "label": "Hero" }, { "label": "GHOST" } ] },
		"sequences": [ { "path": "/Game/Cinematics/Intro.Intro", "possessables": [
			{ "guid": "00000000000000000000000000000001", "name": "Hero", "boundTo": ["Hero"] },
			{ "guid": "00000000000000000000000000000002", "name": "Ghost", "boundTo": ["Gone"] } ] },
			{ "path": "/Game/Cinematics/Broken.Broken", "possessables": [
			{ "guid": "00000000000000000000000000000001", "name": "Nobody" },
			{ "guid": "00000000000000000000000000000002", "name": "Hero", "boundTo": ["Hero"] } ] },
			{ "path": "/Game/Cinematics/Spawns.Spawns", "possessables": [],
			  "spawnables": [ { "guid": "0000000000000000000000000000000D", "name": "Extra" } ] } ],
		"focus": "/Game/Cinematics/Intro.Intro" })";

	class Repair : public FEditorTest
	{
	protected:
		void SetUp() override
		{
			FEditorTest::SetUp();
			LoadScene(RepairScene);
		}
		void RunConsole(const TCHAR* Line) { Editor.Exec(Line); }
		std::string Message() { return UE::Host::ToUtf8(Module().StatusMessage); }
		void Focus(const TCHAR* Path)
		{
			FString Error;
			ASSERT_TRUE(UE::Host::FocusSequence(Path, Error)) << UE::Host::ToUtf8(Error);
		}
	};
}

TEST_F(Repair, BeforeAnyActionTheInitialMessageStands)
{
	EXPECT_EQ(Message(), InitialMessage);
}

TEST_F(Repair, CheckAgainRefreshesAndSaysSoEvenWithoutFocus)
{
	Focus(TEXT(""));
	Module().Report.SequencePath = TEXT("stale");
	Module().CheckAgain();
	EXPECT_EQ(Module().Report.State, EBindingReportState::Empty);
	EXPECT_TRUE(Module().Report.SequencePath.IsEmpty());
	EXPECT_EQ(Message(), "Status updated. No assets changed.");
}

TEST_F(Repair, GatesLeaveTheMessageAndTheSequenceAlone)
{
	const int32 RepairsBefore = UE::Host::GetFixActorReferencesCount();
	Focus(TEXT(""));
	RunConsole(TEXT("Vantle.FixReferences"));
	EXPECT_EQ(Message(), InitialMessage);
	EXPECT_TRUE(Module().Report.SequencePath.IsEmpty());

	Focus(TEXT("/Game/Cinematics/Intro.Intro"));
	ASSERT_TRUE(UE::Host::SetPlayInEditor(true));
	Module().RefreshReport();
	EXPECT_FALSE(Module().CanFixReferences());
	RunConsole(TEXT("Vantle.FixReferences"));
	EXPECT_EQ(Message(), InitialMessage);
	ASSERT_TRUE(UE::Host::SetPlayInEditor(false));

	UE::Host::DestroyEditor();
	Module().FixReferences();
	EXPECT_EQ(Message(), InitialMessage);
	UE::Host::CreateEditor();

	EXPECT_EQ(UE::Host::GetFixActorReferencesCount(), RepairsBefore);
	EXPECT_TRUE(Log.Matching("Vantle repair:").empty());
}

TEST_F(Repair, ASuccessfulRepairSaysAllResolveAndLogsOneLineWithTheFullPath)
{
	Module().RefreshReport();
	EXPECT_TRUE(Module().CanFixReferences());
	EXPECT_EQ(Module().Report.State, EBindingReportState::HasMissing);
	Module().FixReferences();
	EXPECT_EQ(Module().Report.State, EBindingReportState::AllResolved);
	EXPECT_EQ(Message(), AllResolvedMessage);
	EXPECT_EQ(Log.Matching("Vantle repair:"),
		std::vector<std::string>{"LogTemp: Display: Vantle repair: /Game/Cinematics/Intro.Intro; checked=2 missing=0 uncertain=0"});
}

TEST_F(Repair, RemainingProblemsAndEmptySequencesGetTheReviewMessage)
{
	Focus(TEXT("/Game/Cinematics/Broken.Broken"));
	RunConsole(TEXT("Vantle.FixReferences"));
	EXPECT_EQ(Message(), RepairedMessage);
	EXPECT_EQ(Log.Matching("Vantle repair:"),
		std::vector<std::string>{"LogTemp: Display: Vantle repair: /Game/Cinematics/Broken.Broken; checked=2 missing=1 uncertain=0"});

	Module().CheckAgain();
	Focus(TEXT("/Game/Cinematics/Spawns.Spawns"));
	Module().FixReferences();
	EXPECT_EQ(Module().Report.State, EBindingReportState::Empty);
	EXPECT_EQ(Message(), RepairedMessage);
}

TEST_F(Repair, TheLogLineRespectsTheCategoryVerbosity)
{
	LogTemp.SetVerbosity(ELogVerbosity::Warning);
	Module().FixReferences();
	LogTemp.SetVerbosity(ELogVerbosity::Log);
	EXPECT_EQ(Message(), AllResolvedMessage);
	EXPECT_TRUE(Log.Matching("Vantle repair:").empty());
}

TEST_F(Repair, TheTickNeverChangesTheMessage)
{
	Module().CheckAgain();
	Focus(TEXT(""));
	TickFor(0.75);
	TickFor(0.75);
	EXPECT_EQ(Message(), "Status updated. No assets changed.");
}
