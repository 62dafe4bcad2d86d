// Copyright Vantle contributors. All Rights Reserved.
#include "HAL/IConsoleManager.h"
#include "VantleTestEditor.h"

using Vantle::Test::FEditorTest;

namespace
{
	const char* const InitialMessage = "Changes are applied only when you click. Save the sequence afterwards.";
	// What an automation test cannot set up in the editor: Play-In-Editor, no editor engine, the
	// module as it starts. The repair's outcomes are Vantle.Repair automation tests.
	const char* const RepairScene = R"({
		"project": "Showcase",
		"world": { "map": "Arena", "actors": [ { "label": "Hero" }, { "label": "GHOST" } ] },
		"sequences": [ { "path": "/Game/Cinematics/Intro.Intro", "possessables": [
			{ "guid": "00000000000000000000000000000001", "name": "Hero", "boundTo": ["Hero"] },
			{ "guid": "00000000000000000000000000000002", "name": "Ghost", "boundTo": ["Gone"] } ] } ],
		"focus": "/Game/Cinematics/Intro.Intro" })";

	class Repair : public FEditorTest
	{
	protected:
		void SetUp() override
		{
			FEditorTest::SetUp();
			LoadScene(RepairScene);
		}
		std::string Message() { return UE::Host::ToUtf8(Module().StatusMessage); }
	};
}

TEST_F(Repair, GatesLeaveTheMessageAndTheSequenceAlone)
{
	const int32 RepairsBefore = UE::Host::GetFixActorReferencesCount();
	EXPECT_EQ(Message(), InitialMessage);
	// Without a sequence: Vantle.Repair.TheConsoleCommandWithoutASequenceChangesNothing.
	ASSERT_TRUE(UE::Host::SetPlayInEditor(true));
	Module().RefreshReport();
	EXPECT_FALSE(Module().CanFixReferences());
	Editor.Exec(TEXT("Vantle.FixReferences"));
	EXPECT_EQ(Message(), InitialMessage);
	ASSERT_TRUE(UE::Host::SetPlayInEditor(false));

	UE::Host::DestroyEditor();
	Module().FixReferences();
	EXPECT_EQ(Message(), InitialMessage);
	UE::Host::CreateEditor();

	EXPECT_EQ(UE::Host::GetFixActorReferencesCount(), RepairsBefore);
	EXPECT_TRUE(Log.Matching("Vantle repair:").empty());
}

TEST_F(Repair, TheTickNeverChangesTheMessage)
{
	Module().CheckAgain();
	FString Error;
	ASSERT_TRUE(UE::Host::FocusSequence(TEXT(""), Error)) << UE::Host::ToUtf8(Error);
	TickFor(0.75);
	TickFor(0.75);
	EXPECT_EQ(Message(), "Status updated. No assets changed.");
}
