// Copyright Vantle contributors. All Rights Reserved.
#include "SceneTestSupport.h"

#include "CoreGlobals.h"
#include "Misc/OutputDeviceRedirector.h"
#include "HostLevelSequenceEditor.h"
#include "LevelSequenceEditorSubsystem.h"
#include "MovieSceneBindingReferences.h"

namespace
{
	class FLineCounter : public FOutputDevice
	{
	public:
		int32 Lines = 0;
		void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category) override { ++Lines; }
	};

	class FFixActorReferencesTest : public FSceneTest
	{
	protected:
		static void Fix()
		{
			ULevelSequenceEditorSubsystem* Subsystem = GEditor->GetEditorSubsystem<ULevelSequenceEditorSubsystem>();
			ASSERT_NE(Subsystem, nullptr);
			Subsystem->FixActorReferences();
		}

		static std::string Resolved(const char* Guid)
		{
			return NamesOf(UE::Host::ResolveSceneBinding(Focused()->GetPathName(), GuidOf(Guid)));
		}
	};
}

TEST_F(FFixActorReferencesTest, RebindsBrokenTopLevelBindingsToTheActorWithTheirLabel)
{
	LoadSample("Showcase.json");
	const int32 RoundsBefore = UE::Host::GetFixActorReferencesCallCount();
	const int32 ReboundBefore = UE::Host::GetFixActorReferencesReboundCount();
	FLineCounter Log;
	GLog->AddOutputDevice(&Log);
	Fix();
	GLog->FlushThreadedLogs();
	GLog->RemoveOutputDevice(&Log);
	EXPECT_EQ(Log.Lines, 0);
	EXPECT_EQ(UE::Host::GetFixActorReferencesCallCount(), RoundsBefore + 1);
	EXPECT_EQ(UE::Host::GetFixActorReferencesReboundCount(), ReboundBefore + 1);

	// "villain" finds the actor labelled "Villain", under the same GUID.
	EXPECT_EQ(Resolved("6A1F3C2E4B7D4E0F9A8B1C2D3E4F5A05"), "Villain");
	ASSERT_NE(Focused()->GetMovieScene()->FindPossessable(GuidOf("6A1F3C2E4B7D4E0F9A8B1C2D3E4F5A05")), nullptr);
	// No actor carries these labels, or only a garbage or unreachable one does.
	EXPECT_EQ(Resolved("6A1F3C2E4B7D4E0F9A8B1C2D3E4F5A06"), "");
	EXPECT_EQ(Resolved("6A1F3C2E4B7D4E0F9A8B1C2D3E4F5A07"), "");
	EXPECT_EQ(Resolved("6A1F3C2E4B7D4E0F9A8B1C2D3E4F5A09"), "OldDoor (garbage)");
	EXPECT_EQ(Resolved("6A1F3C2E4B7D4E0F9A8B1C2D3E4F5A0A"), "Ghost (unreachable)");
	// Components are never repaired; resolving bindings keep what they had, custom ones included.
	EXPECT_EQ(Resolved("6A1F3C2E4B7D4E0F9A8B1C2D3E4F5A03"), "Hero.Lens (garbage)");
	EXPECT_EQ(Resolved("6A1F3C2E4B7D4E0F9A8B1C2D3E4F5A02"), "Hero.Camera");
	EXPECT_EQ(Resolved("6A1F3C2E4B7D4E0F9A8B1C2D3E4F5A01"), "Hero");
	EXPECT_EQ(Focused()->GetBindingReferences()->GetReferences(GuidOf("6A1F3C2E4B7D4E0F9A8B1C2D3E4F5A0B")).Num(), 2);
	EXPECT_TRUE(UE::Host::ResolveSceneBinding(Focused()->GetPathName(), GuidOf("6A1F3C2E4B7D4E0F9A8B1C2D3E4F5A10")).IsEmpty());
	// Only the focused sequence is touched.
	EXPECT_EQ(UE::Host::FindSceneSequence(TEXT("/Game/Cinematics/Outro.Outro"))->GetMovieScene()->GetPossessableCount(), 2);
}

TEST_F(FFixActorReferencesTest, LaterActorWinsAndLabelsIgnoreCase)
{
	Load(R"({"world": {"actors": [{"label": "Guard"}, {"label": "GUARD", "components": ["Helmet"]}, {"label": "Stand_In"}, {"label": "Hero"}, {"label": "Sidekick"}, {"label": "Crowd"}]},
		"sequences": [{"path": "/Game/S.S", "possessables": [
			{"guid": "000000000000000000000000000000C1", "name": "Crowd", "custom": true},
			{"guid": "000000000000000000000000000000A1", "name": "guard", "boundTo": ["Missing"]},
			{"guid": "000000000000000000000000000000A2", "name": "Hero", "boundTo": ["Stand_In"]},
			{"guid": "000000000000000000000000000000A3", "name": "Sidekick", "parent": "000000000000000000000000000000A2", "boundTo": ["Gone"]},
			{"guid": "000000000000000000000000000000A4", "name": "Sidekick", "parent": "000000000000000000000000000000B1"}],
			"spawnables": [{"guid": "000000000000000000000000000000B1", "name": "Hero"}]}],
		"focus": "/Game/S.S"})");
	Fix();
	// The second actor got the object name "GUARD_1" because "Guard" was taken.
	EXPECT_EQ(Resolved("000000000000000000000000000000A1"), "GUARD_1");
	EXPECT_EQ(Resolved("000000000000000000000000000000A2"), "Stand_In");
	EXPECT_EQ(Resolved("000000000000000000000000000000A3"), "");
	EXPECT_EQ(Resolved("000000000000000000000000000000A4"), "");
	EXPECT_EQ(Resolved("000000000000000000000000000000B1"), "");
	// A custom binding is a candidate like any other, and becomes an ordinary one.
	EXPECT_EQ(Resolved("000000000000000000000000000000C1"), "Crowd");
	const TArrayView<const FMovieSceneBindingReference> References = Focused()->GetBindingReferences()->GetReferences(GuidOf("000000000000000000000000000000C1"));
	ASSERT_EQ(References.Num(), 1);
	EXPECT_EQ(References[0].CustomBinding, nullptr);
}

TEST_F(FFixActorReferencesTest, ChildrenResolveInsideTheActorTheirParentWasReboundTo)
{
	Load(R"({"world": {"actors": [{"label": "Squire", "components": ["Sword", "Shield"]}, {"label": "Knight", "components": ["Sword"]}]},
		"sequences": [{"path": "/Game/S.S", "possessables": [
			{"guid": "000000000000000000000000000000A1", "name": "Knight", "boundTo": ["Gone"]},
			{"guid": "000000000000000000000000000000A2", "name": "Sword", "parent": "000000000000000000000000000000A1", "boundTo": ["Sword"]},
			{"guid": "000000000000000000000000000000A3", "name": "Shield", "parent": "000000000000000000000000000000A1", "boundTo": ["Shield"]},
			{"guid": "000000000000000000000000000000A4", "name": "Strap", "parent": "000000000000000000000000000000A3", "boundTo": ["Strap"]}]}],
		"focus": "/Game/S.S"})");
	// Before the repair nothing below the missing knight resolves, the squire's sword included.
	EXPECT_EQ(Resolved("000000000000000000000000000000A2"), "");
	EXPECT_EQ(Resolved("000000000000000000000000000000A3"), "");
	const int32 ReboundBefore = UE::Host::GetFixActorReferencesReboundCount();
	Fix();
	// Only the top-level binding was rebound; its children follow it.
	EXPECT_EQ(UE::Host::GetFixActorReferencesReboundCount(), ReboundBefore + 1);
	EXPECT_EQ(Resolved("000000000000000000000000000000A1"), "Knight");
	EXPECT_EQ(Resolved("000000000000000000000000000000A2"), "Knight.Sword");
	EXPECT_EQ(Resolved("000000000000000000000000000000A3"), "");
	EXPECT_EQ(Resolved("000000000000000000000000000000A4"), "");
}

TEST_F(FFixActorReferencesTest, EndsEarlyWithoutSequenceWorldOrMovieScene)
{
	const char* const Scene = R"({"world": {"actors": [{"label": "Hero"}]},
		"sequences": [{"path": "/Game/S.S", "possessables": [{"guid": "000000000000000000000000000000A1", "name": "Hero"}]},
			{"path": "/Game/Empty.Empty", "movieScene": false}],
		"focus": "/Game/S.S"})";
	const int32 ReboundBefore = UE::Host::GetFixActorReferencesReboundCount();
	Load(Scene);
	FString Error;
	ASSERT_TRUE(UE::Host::FocusSequence(TEXT(""), Error));
	Fix();
	ASSERT_TRUE(UE::Host::FocusSequence(TEXT("/Game/Empty.Empty"), Error));
	Fix();
	ASSERT_TRUE(UE::Host::FocusSequence(TEXT("/Game/S.S"), Error));
	EXPECT_EQ(Resolved("000000000000000000000000000000A1"), "");
	EXPECT_EQ(UE::Host::GetFixActorReferencesReboundCount(), ReboundBefore);

	Load(R"({"sequences": [{"path": "/Game/S.S", "possessables": [{"guid": "000000000000000000000000000000A1", "name": "Hero"}]}], "focus": "/Game/S.S"})");
	const int32 CallsBefore = UE::Host::GetFixActorReferencesCallCount();
	Fix();
	EXPECT_EQ(UE::Host::GetFixActorReferencesCallCount(), CallsBefore + 1);
	EXPECT_EQ(UE::Host::GetFixActorReferencesReboundCount(), ReboundBefore);

	// With everything in place the same binding is repaired.
	Load(Scene);
	Fix();
	EXPECT_EQ(Resolved("000000000000000000000000000000A1"), "Hero");
	EXPECT_EQ(UE::Host::GetFixActorReferencesReboundCount(), ReboundBefore + 1);
}
