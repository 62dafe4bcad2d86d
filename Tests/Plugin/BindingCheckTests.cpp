// Copyright Vantle contributors. All Rights Reserved.
#include "VantleTestEditor.h"

using Vantle::Test::FEditorTest;

namespace
{
	std::vector<std::string> Names(const TArray<FString>& In)
	{
		std::vector<std::string> Out;
		for (const FString& Name : In)
		{
			Out.push_back(UE::Host::ToUtf8(Name));
		}
		return Out;
	}

	// A world with live actors Hero (with a Camera component) and Door, a garbage actor and an
	// unreachable one; sequences are appended by each test.
	std::string Scene(const std::string& Possessables, const std::string& Spawnables = "[]", const std::string& Extra = "")
	{
		return R"({
			"project": "Showcase",
			"world": { "map": "Arena", "actors": [
				{ "label": "Hero", "components": ["Camera"] },
				{ "label": "Door" },
				{ "label": "OldDoor", "garbage": true },
				{ "label": "Ghost", "unreachable": true } ] },
			"sequences": [ { "path": "/Game/Cinematics/Intro.Intro", )" + Extra + R"(
				"possessables": )" + Possessables + R"(, "spawnables": )" + Spawnables + R"( } ],
			"focus": "/Game/Cinematics/Intro.Intro" })";
	}

	class BindingCheck : public FEditorTest
	{
	protected:
		FBindingReport Check(const std::string& Json)
		{
			LoadScene(Json.c_str());
			return CheckFocusedSequence();
		}
	};
}

TEST_F(BindingCheck, NoFocusedSequenceKeepsTheMapName)
{
	LoadScene(R"({ "world": { "map": "Arena", "actors": [] }, "sequences": [] })");
	const FBindingReport Report = CheckFocusedSequence();
	EXPECT_EQ(Report.State, EBindingReportState::Empty);
	EXPECT_TRUE(Report.SequenceName.IsEmpty());
	EXPECT_TRUE(Report.SequencePath.IsEmpty());
	EXPECT_EQ(UE::Host::ToUtf8(Report.MapName), "Arena");
}

TEST_F(BindingCheck, SequencesWithoutOrdinaryBindingsAreEmptyButNamed)
{
	for (const std::string& Json : {Scene("[]"), Scene("[]", R"([{ "guid": "0000000000000000000000000000000D", "name": "Extra" }])"),
			 Scene(R"([{ "guid": "00000000000000000000000000000001", "name": "Hero", "boundTo": ["Hero"], "custom": true },
				{ "guid": "00000000000000000000000000000002", "name": "Door", "boundTo": ["Door"], "custom": true }])")})
	{
		const FBindingReport Report = Check(Json);
		EXPECT_EQ(Report.State, EBindingReportState::Empty);
		EXPECT_EQ(UE::Host::ToUtf8(Report.SequenceName), "Intro");
		EXPECT_EQ(UE::Host::ToUtf8(Report.SequencePath), "/Game/Cinematics/Intro.Intro");
		EXPECT_EQ(Report.CheckedCount, 0);
		EXPECT_TRUE(Report.MissingNames.IsEmpty());
		EXPECT_TRUE(Report.UncertainNames.IsEmpty());
	}
}

TEST_F(BindingCheck, NoMovieSceneOrNoWorldNarrowTheReport)
{
	const FBindingReport NoMovieScene = Check(Scene(R"([{ "guid": "00000000000000000000000000000001", "name": "Hero", "boundTo": ["Hero"] }])", "[]",
		R"("movieScene": false,)"));
	EXPECT_EQ(NoMovieScene.State, EBindingReportState::Empty);
	EXPECT_TRUE(NoMovieScene.SequencePath.IsEmpty());
	EXPECT_EQ(UE::Host::ToUtf8(NoMovieScene.MapName), "Arena");

	LoadScene(R"({ "world": null, "sequences": [ { "path": "/Game/A.A", "possessables": [
		{ "guid": "00000000000000000000000000000001", "name": "Hero", "boundTo": ["Hero"] } ] } ], "focus": "/Game/A.A" })");
	const FBindingReport NoWorld = CheckFocusedSequence();
	EXPECT_TRUE(NoWorld.MapName.IsEmpty());
	EXPECT_EQ(UE::Host::ToUtf8(NoWorld.SequencePath), "/Game/A.A");
	EXPECT_EQ(NoWorld.CheckedCount, 1);
	EXPECT_EQ(Names(NoWorld.MissingNames), std::vector<std::string>{"Hero"});
	EXPECT_EQ(NoWorld.State, EBindingReportState::HasMissing);
}

TEST_F(BindingCheck, CountsOrdinaryBindingsAndListsMissingOnesInOrder)
{
	const FBindingReport Report = Check(Scene(R"([
		{ "guid": "00000000000000000000000000000001", "name": "Hero", "boundTo": ["Hero"] },
		{ "guid": "00000000000000000000000000000002", "name": "Lamp", "boundTo": ["Lamp"] },
		{ "guid": "00000000000000000000000000000003", "name": "Door", "boundTo": ["Door"] },
		{ "guid": "00000000000000000000000000000004", "name": "Lamp" }])"));
	EXPECT_EQ(Report.State, EBindingReportState::HasMissing);
	EXPECT_EQ(Report.CheckedCount, 4);
	EXPECT_EQ(Names(Report.MissingNames), (std::vector<std::string>{"Lamp", "Lamp"}));
	EXPECT_TRUE(Report.UncertainNames.IsEmpty());
}

TEST_F(BindingCheck, GarbageAndUnreachableObjectsDoNotResolve)
{
	const FBindingReport Report = Check(Scene(R"([
		{ "guid": "00000000000000000000000000000001", "name": "OldDoor", "boundTo": ["OldDoor"] },
		{ "guid": "00000000000000000000000000000002", "name": "Ghost", "boundTo": ["Ghost"] },
		{ "guid": "00000000000000000000000000000003", "name": "Either", "boundTo": ["Ghost", "Door"] }])"));
	EXPECT_EQ(Report.CheckedCount, 3);
	EXPECT_EQ(Names(Report.MissingNames), (std::vector<std::string>{"OldDoor", "Ghost"}));
}

TEST_F(BindingCheck, ComponentsAreCountedOnTheirOwnAndInheritOnlyUncertainty)
{
	const FBindingReport Report = Check(Scene(R"([
		{ "guid": "00000000000000000000000000000001", "name": "Lost", "boundTo": [] },
		{ "guid": "00000000000000000000000000000002", "name": "Camera", "parent": "00000000000000000000000000000001", "boundTo": ["Hero.Camera"] },
		{ "guid": "00000000000000000000000000000003", "name": "Crowd", "custom": true },
		{ "guid": "00000000000000000000000000000004", "name": "CrowdMesh", "parent": "00000000000000000000000000000003", "boundTo": ["Hero.Camera"] },
		{ "guid": "00000000000000000000000000000005", "name": "CrowdCam", "parent": "00000000000000000000000000000003" },
		{ "guid": "00000000000000000000000000000006", "name": "ExtraCam", "parent": "0000000000000000000000000000000D" },
		{ "guid": "00000000000000000000000000000007", "name": "DeepCam", "parent": "00000000000000000000000000000008" },
		{ "guid": "00000000000000000000000000000008", "name": "DeepMesh", "parent": "00000000000000000000000000000009", "boundTo": ["Door"] },
		{ "guid": "00000000000000000000000000000009", "name": "DeepActor", "parent": "0000000000000000000000000000000D", "boundTo": ["Door"] }])",
		R"([{ "guid": "0000000000000000000000000000000D", "name": "Extra" }])"));
	// Lost is missing; its resolving component is not. Crowd's subtree and everything under the
	// spawnable is uncertain, and only the unresolved ones are listed.
	EXPECT_EQ(Report.CheckedCount, 2);
	EXPECT_EQ(Names(Report.MissingNames), std::vector<std::string>{"Lost"});
	EXPECT_EQ(Names(Report.UncertainNames), (std::vector<std::string>{"Crowd", "CrowdCam", "ExtraCam", "DeepCam"}));
	EXPECT_EQ(Report.State, EBindingReportState::HasMissing);
}

TEST_F(BindingCheck, ParentLoopsAreUncertainAndDanglingParentsAreNot)
{
	const FBindingReport Report = Check(Scene(R"([
		{ "guid": "00000000000000000000000000000001", "name": "A", "parent": "00000000000000000000000000000002", "boundTo": ["Door"] },
		{ "guid": "00000000000000000000000000000002", "name": "B", "parent": "00000000000000000000000000000001" },
		{ "guid": "00000000000000000000000000000003", "name": "Self", "parent": "00000000000000000000000000000003" },
		{ "guid": "00000000000000000000000000000004", "name": "Orphan", "parent": "000000000000000000000000000000FF", "boundTo": ["Door"] },
		{ "guid": "00000000000000000000000000000005", "name": "OrphanLost", "parent": "000000000000000000000000000000FF" }])"));
	EXPECT_EQ(Names(Report.UncertainNames), (std::vector<std::string>{"B", "Self"}));
	EXPECT_EQ(Report.CheckedCount, 2);
	EXPECT_EQ(Names(Report.MissingNames), std::vector<std::string>{"OrphanLost"});
}

TEST_F(BindingCheck, UncertainOnlyAndAllResolvedVerdicts)
{
	const FBindingReport Uncertain = Check(Scene(R"([
		{ "guid": "00000000000000000000000000000001", "name": "Hero", "boundTo": ["Hero"] },
		{ "guid": "00000000000000000000000000000002", "name": "Crowd", "custom": true }])"));
	EXPECT_EQ(Uncertain.State, EBindingReportState::HasUncertain);
	EXPECT_EQ(Uncertain.CheckedCount, 1);

	const FBindingReport Resolved = Check(Scene(R"([
		{ "guid": "00000000000000000000000000000001", "name": "Hero", "boundTo": ["Hero"] },
		{ "guid": "00000000000000000000000000000002", "name": "Camera", "parent": "00000000000000000000000000000001", "boundTo": ["Hero.Camera"] },
		{ "guid": "00000000000000000000000000000003", "name": "Crowd", "custom": true, "boundTo": ["Door"] }])"));
	EXPECT_EQ(Resolved.State, EBindingReportState::AllResolved);
	EXPECT_EQ(Resolved.CheckedCount, 2);
	EXPECT_TRUE(Resolved.UncertainNames.IsEmpty());
}

TEST_F(BindingCheck, WithoutBindingReferencesOnlySpawnablesAndLoopsAreUncertain)
{
	const FBindingReport Report = Check(Scene(R"([
		{ "guid": "00000000000000000000000000000001", "name": "Crowd", "custom": true },
		{ "guid": "00000000000000000000000000000002", "name": "Self", "parent": "00000000000000000000000000000002" },
		{ "guid": "00000000000000000000000000000003", "name": "ExtraCam", "parent": "0000000000000000000000000000000D" }])",
		R"([{ "guid": "0000000000000000000000000000000D", "name": "Extra" }])", R"("bindingReferences": false,)"));
	EXPECT_EQ(Report.CheckedCount, 1);
	EXPECT_EQ(Names(Report.MissingNames), std::vector<std::string>{"Crowd"});
	EXPECT_EQ(Names(Report.UncertainNames), (std::vector<std::string>{"Self", "ExtraCam"}));
}

TEST_F(BindingCheck, WithoutAnEditorNothingIsFocused)
{
	UE::Host::DestroyEditor();
	const FBindingReport Report = CheckFocusedSequence();
	EXPECT_TRUE(Report.MapName.IsEmpty());
	EXPECT_EQ(Report.State, EBindingReportState::Empty);
	Module().RefreshReport();
	EXPECT_FALSE(Module().CanFixReferences());
	UE::Host::CreateEditor();
}

TEST_F(BindingCheck, TheTickRefreshesTheReportEveryThreeQuartersOfASecond)
{
	// Right after start-up the report is still the empty one of construction.
	EXPECT_TRUE(Module().Report.SequencePath.IsEmpty());
	TickFor(0.5);
	EXPECT_TRUE(Module().Report.SequencePath.IsEmpty());
	TickFor(0.25);
	EXPECT_FALSE(Module().Report.SequencePath.IsEmpty());
	FString Error;
	ASSERT_TRUE(UE::Host::FocusSequence(FString(), Error));
	TickFor(0.75);
	EXPECT_TRUE(Module().Report.SequencePath.IsEmpty());
}
