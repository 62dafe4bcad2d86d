// Copyright Vantle contributors. All Rights Reserved.
#include "SceneTestSupport.h"

#include "Bindings/MovieSceneCustomBinding.h"
#include "HostLevelSequence.h"
#include "HostObjects.h"
#include "HostUniversalObjectLocator.h"
#include "LevelSequenceEditorSubsystem.h"
#include "MovieSceneBindingReferences.h"
#include "Templates/Casts.h"
#include "UObject/Package.h"

#include <cstdio>

namespace
{
	// GUIDs of Samples/Scenes/Showcase.json.
	const char* const Hero = "6A1F3C2E4B7D4E0F9A8B1C2D3E4F5A01";
	const char* const Camera = "6A1F3C2E4B7D4E0F9A8B1C2D3E4F5A02";
	const char* const Lens = "6A1F3C2E4B7D4E0F9A8B1C2D3E4F5A03";
	const char* const Villain = "6A1F3C2E4B7D4E0F9A8B1C2D3E4F5A05";
	const char* const Narrator = "6A1F3C2E4B7D4E0F9A8B1C2D3E4F5A06";
	const char* const Crowd = "6A1F3C2E4B7D4E0F9A8B1C2D3E4F5A07";
	const char* const OldDoor = "6A1F3C2E4B7D4E0F9A8B1C2D3E4F5A09";
	const char* const Ghost = "6A1F3C2E4B7D4E0F9A8B1C2D3E4F5A0A";
	const char* const Spotlight = "6A1F3C2E4B7D4E0F9A8B1C2D3E4F5A0B";
	const char* const Mercenary = "6A1F3C2E4B7D4E0F9A8B1C2D3E4F5A10";
	const char* const OutroHero = "0C5E9D1B7A3F4C2E8D6B0A9F1E2D3C01";

	using FSceneBindingTest = FSceneTest;
}

TEST_F(FSceneBindingTest, BoundObjectsIncludeGarbageAndUnreachableOnes)
{
	LoadSample("Showcase.json");
	EXPECT_EQ(NamesOf(BoundTo(Hero)), "Hero");
	EXPECT_EQ(NamesOf(BoundTo(Camera)), "Hero.Camera");
	// The plugin's own liveness test has to reject these.
	EXPECT_EQ(NamesOf(BoundTo(Lens)), "Hero.Lens (garbage)");
	EXPECT_EQ(NamesOf(BoundTo(OldDoor)), "OldDoor (garbage)");
	EXPECT_EQ(NamesOf(BoundTo(Ghost)), "Ghost (unreachable)");
	EXPECT_TRUE(BoundTo(Ghost)[0]->HasAnyInternalFlags(EInternalObjectFlags::Unreachable | EInternalObjectFlags::Garbage));
	EXPECT_TRUE(BoundTo(Villain).IsEmpty());
	EXPECT_TRUE(BoundTo(Narrator).IsEmpty());
	EXPECT_TRUE(BoundTo(Crowd).IsEmpty());
	EXPECT_EQ(NamesOf(BoundTo(Spotlight)), "Spotlight");
	EXPECT_TRUE(BoundTo(Mercenary).IsEmpty());
	EXPECT_TRUE(BoundTo("0123456789ABCDEF0123456789ABCDEF").IsEmpty());
	// Only root binding IDs of the focused sequence's own bindings resolve; a parent sequence of
	// the focused one does not exist here: refused, not guessed.
	EXPECT_TRUE(BoundTo(OutroHero).IsEmpty());
	EXPECT_TRUE(ULevelSequenceEditorBlueprintLibrary::GetBoundObjects(UE::MovieScene::FRelativeObjectBindingID(GuidOf(Hero), FMovieSceneSequenceID(7))).IsEmpty());
	EXPECT_EQ(NamesOf(ULevelSequenceEditorBlueprintLibrary::GetBoundObjects(UE::MovieScene::FRelativeObjectBindingID(GuidOf(Camera), MovieSceneSequenceID::Root, 0))),
		"Hero.Camera");
	EXPECT_EQ(NamesOf(ULevelSequenceEditorBlueprintLibrary::GetBoundObjects(UE::MovieScene::FFixedObjectBindingID(GuidOf(Camera), MovieSceneSequenceID::Root))),
		"Hero.Camera");
	EXPECT_TRUE(ULevelSequenceEditorBlueprintLibrary::GetBoundObjects(UE::MovieScene::FRelativeObjectBindingID(GuidOf(Hero), MovieSceneSequenceID::Root, 1)).IsEmpty());
	EXPECT_TRUE(ULevelSequenceEditorBlueprintLibrary::GetBoundObjects(UE::MovieScene::FRelativeObjectBindingID(GuidOf(Hero), MovieSceneSequenceID::Root, -2)).IsEmpty());
}

TEST_F(FSceneBindingTest, BoundObjectsFollowNamesFocusAndTheWorld)
{
	Load(R"({"world": {"map": "Stage", "actors": [{"label": "Left"}, {"label": "Right", "components": ["Arm"]}]},
		"sequences": [{"path": "/Game/Pair.Pair", "possessables": [
			{"guid": "000000000000000000000000000000A1", "name": "Both", "boundTo": ["left", "Right.ARM", "Nobody", "Right"]},
			{"guid": "000000000000000000000000000000A2", "name": "Newcomer", "boundTo": ["Newcomer"]}]},
		{"path": "/Game/Other.Other"}],
		"focus": "/Game/Pair.Pair"})");
	// Object names compare without regard to case; names that are not there resolve to nothing.
	EXPECT_EQ(NamesOf(BoundTo("000000000000000000000000000000A1")), "Left,Right.Arm,Right");

	FString Error;
	EXPECT_TRUE(BoundTo("000000000000000000000000000000A2").IsEmpty());
	ASSERT_TRUE(UE::Host::SpawnActor(TEXT("Newcomer"), Error)) << ToStd(Error);
	EXPECT_EQ(NamesOf(BoundTo("000000000000000000000000000000A2")), "Newcomer");

	ASSERT_TRUE(UE::Host::DestroyActor(TEXT("right"), Error)) << ToStd(Error);
	EXPECT_EQ(NamesOf(BoundTo("000000000000000000000000000000A1")), "Left,Right.Arm (garbage),Right (garbage)");
	EXPECT_FALSE(UE::Host::DestroyActor(TEXT("Right"), Error));
	EXPECT_EQ(ToStd(Error), "no live actor is labelled \"Right\"");

	ASSERT_TRUE(UE::Host::FocusSequence(TEXT("/game/other.OTHER"), Error));
	EXPECT_EQ(ToStd(Focused()->GetPathName()), "/Game/Other.Other");
	EXPECT_TRUE(BoundTo("000000000000000000000000000000A2").IsEmpty());
	EXPECT_FALSE(UE::Host::FocusSequence(TEXT("/Game/Nowhere.Nowhere"), Error));
	EXPECT_EQ(ToStd(Error), "no sequence has the path \"/Game/Nowhere.Nowhere\"");
	EXPECT_EQ(ToStd(Focused()->GetPathName()), "/Game/Other.Other");
	ASSERT_TRUE(UE::Host::FocusSequence(TEXT(""), Error));
	EXPECT_EQ(Focused(), nullptr);
	EXPECT_TRUE(BoundTo("000000000000000000000000000000A1").IsEmpty());

	Load(R"({"sequences": [{"path": "/Game/Pair.Pair", "possessables": [{"guid": "000000000000000000000000000000A1", "name": "Both", "boundTo": ["Left"]}]}],
		"focus": "/Game/Pair.Pair"})");
	EXPECT_NE(Focused(), nullptr);
	EXPECT_TRUE(BoundTo("000000000000000000000000000000A1").IsEmpty());
	EXPECT_FALSE(UE::Host::SpawnActor(TEXT("Left"), Error));
	EXPECT_EQ(ToStd(Error), "cannot spawn an actor: the scene has no world");
}

TEST_F(FSceneBindingTest, ResolvedObjectsAreNeverServedAfterARenameARebindOrADeletion)
{
	const char* const Scene = R"({"world": {"map": "Stage", "actors": [{"label": "Hero", "components": ["Camera"]}, {"label": "Door"}]},
		"sequences": [{"path": "/Game/S.S", "possessables": [
			{"guid": "000000000000000000000000000000A1", "name": "Hero", "boundTo": ["Hero"]},
			{"guid": "000000000000000000000000000000A2", "name": "Camera", "parent": "000000000000000000000000000000A1", "boundTo": ["Camera"]}]}],
		"focus": "/Game/S.S"})";
	Load(Scene);
	EXPECT_EQ(NamesOf(BoundTo("000000000000000000000000000000A1")), "Hero");
	EXPECT_EQ(NamesOf(BoundTo("000000000000000000000000000000A2")), "Hero.Camera");

	// Renamed: the name the binding holds no longer names it.
	AActor* Renamed = UE::Host::FindSceneActor(TEXT("Hero"));
	ASSERT_NE(Renamed, nullptr);
	ASSERT_TRUE(Renamed->Rename(TEXT("Villain")));
	EXPECT_TRUE(BoundTo("000000000000000000000000000000A1").IsEmpty());
	EXPECT_TRUE(BoundTo("000000000000000000000000000000A2").IsEmpty());

	// A new actor under the old name (without a camera) is what the binding names now.
	FString Error;
	ASSERT_TRUE(UE::Host::SpawnActor(TEXT("Hero"), Error)) << ToStd(Error);
	const TArray<UObject*> Newcomer = BoundTo("000000000000000000000000000000A1");
	ASSERT_EQ(Newcomer.Num(), 1);
	EXPECT_NE(Newcomer[0], static_cast<UObject*>(Renamed));
	EXPECT_EQ(NamesOf(Newcomer), "Hero");
	EXPECT_TRUE(BoundTo("000000000000000000000000000000A2").IsEmpty());

	// Rebound to another actor: the parent's new object is the child's context.
	FMovieSceneBindingReferences& References = UE::Host::GetStoredBindingReferences(*Focused());
	References.RemoveBinding(GuidOf("000000000000000000000000000000A1"));
	References.AddBinding(GuidOf("000000000000000000000000000000A1"), UE::Host::MakeLocatorFromPath(TEXT("Door")));
	EXPECT_EQ(NamesOf(BoundTo("000000000000000000000000000000A1")), "Door");
	EXPECT_TRUE(BoundTo("000000000000000000000000000000A2").IsEmpty());

	// Deleted with the scene: the same names now find the new scene's objects (a stale pointer
	// would be read by NamesOf, which the address sanitizer reports).
	Load(Scene);
	EXPECT_EQ(NamesOf(BoundTo("000000000000000000000000000000A1")), "Hero");
	const TArray<UObject*> Camera = BoundTo("000000000000000000000000000000A2");
	ASSERT_EQ(Camera.Num(), 1);
	EXPECT_EQ(Camera[0]->GetOuter(), static_cast<UObject*>(UE::Host::FindSceneActor(TEXT("Hero"))));

	// Positions move: the parent leaves and comes back last, so the child now sits where the
	// parent's references were last found.
	UMovieScene* MovieScene = Focused()->GetMovieScene();
	const FMovieScenePossessable Parent = *MovieScene->FindPossessable(GuidOf("000000000000000000000000000000A1"));
	ASSERT_TRUE(MovieScene->RemovePossessable(Parent.GetGuid()));
	MovieScene->AddPossessable(Parent, FMovieSceneBinding(Parent.GetGuid()));
	EXPECT_EQ(NamesOf(BoundTo("000000000000000000000000000000A2")), "Hero.Camera");
	EXPECT_EQ(NamesOf(BoundTo("000000000000000000000000000000A1")), "Hero");

	// A binding whose references sort before all others moves every other run of references; then
	// the child moves under it, and it has no camera.
	FMovieScenePossessable Door(TEXT("Door"), nullptr);
	Door.SetGuid(GuidOf("00000000000000000000000000000001"));
	MovieScene->AddPossessable(Door, FMovieSceneBinding(Door.GetGuid()));
	UE::Host::GetStoredBindingReferences(*Focused()).AddBinding(Door.GetGuid(), UE::Host::MakeLocatorFromPath(TEXT("Door")));
	EXPECT_EQ(NamesOf(BoundTo("000000000000000000000000000000A1")), "Hero");
	EXPECT_EQ(NamesOf(BoundTo("000000000000000000000000000000A2")), "Hero.Camera");
	MovieScene->GetPossessable(0).SetParent(Door.GetGuid(), MovieScene);
	EXPECT_TRUE(BoundTo("000000000000000000000000000000A2").IsEmpty());
}

TEST_F(FSceneBindingTest, ARepeatedGuidResolvesThroughItsFirstPossessable)
{
	// Camera's GUID is carried again at the top level, right after the binding asked about last;
	// whether it came after the host first looked at the sequence or was there from the start,
	// the first possessable's parent decides.
	const char* const Scene = R"({"world": {"actors": [{"label": "Hero", "components": ["Camera"]}]},
		"sequences": [{"path": "/Game/S.S", "possessables": [
			{"guid": "000000000000000000000000000000A1", "name": "Hero", "boundTo": ["Hero"]},
			{"guid": "000000000000000000000000000000A2", "name": "Camera", "parent": "000000000000000000000000000000A1", "boundTo": ["Camera"]},
			{"guid": "000000000000000000000000000000A3", "name": "Other"}]}],
		"focus": "/Game/S.S"})";
	for (const bool bAddedLater : {true, false})
	{
		Load(Scene);
		if (bAddedLater)
		{
			EXPECT_EQ(NamesOf(BoundTo("000000000000000000000000000000A2")), "Hero.Camera");
		}
		FMovieScenePossessable Again(TEXT("CameraAgain"), nullptr);
		Again.SetGuid(GuidOf("000000000000000000000000000000A2"));
		Focused()->GetMovieScene()->AddPossessable(Again, FMovieSceneBinding(Again.GetGuid()));
		EXPECT_TRUE(BoundTo("000000000000000000000000000000A3").IsEmpty());
		EXPECT_EQ(NamesOf(BoundTo("000000000000000000000000000000A2")), "Hero.Camera") << (bAddedLater ? "added later" : "there from the start");
	}
}

TEST_F(FSceneBindingTest, ChildBindingsResolveInsideTheLiveObjectsTheirParentResolvedTo)
{
	Load(R"({"world": {"actors": [
			{"label": "Left", "components": ["Arm", {"name": "Hand", "garbage": true}]},
			{"label": "Right", "components": ["Arm"]},
			{"label": "Dead", "garbage": true, "components": ["Arm"]},
			{"label": "Lost", "unreachable": true, "components": ["Arm"]},
			{"label": "Arm"}]},
		"sequences": [{"path": "/Game/S.S", "possessables": [
			{"guid": "000000000000000000000000000000A1", "name": "Both", "boundTo": ["Left", "Right", "left"]},
			{"guid": "000000000000000000000000000000A2", "name": "Arms", "parent": "000000000000000000000000000000A1", "boundTo": ["Arm"]},
			{"guid": "000000000000000000000000000000A3", "name": "Hand", "parent": "000000000000000000000000000000A1", "boundTo": ["Hand"]},
			{"guid": "000000000000000000000000000000B1", "name": "Dead", "boundTo": ["Dead"]},
			{"guid": "000000000000000000000000000000B2", "name": "DeadArm", "parent": "000000000000000000000000000000B1", "boundTo": ["Arm"]},
			{"guid": "000000000000000000000000000000C1", "name": "Lost", "boundTo": ["Lost"]},
			{"guid": "000000000000000000000000000000C2", "name": "LostArm", "parent": "000000000000000000000000000000C1", "boundTo": ["Arm"]},
			{"guid": "000000000000000000000000000000D2", "name": "SpawnedArm", "parent": "000000000000000000000000000000D1", "boundTo": ["Arm"]},
			{"guid": "000000000000000000000000000000E1", "name": "Loop1", "parent": "000000000000000000000000000000E2", "boundTo": ["Arm"]},
			{"guid": "000000000000000000000000000000E2", "name": "Loop2", "parent": "000000000000000000000000000000E1", "boundTo": ["Left"]},
			{"guid": "000000000000000000000000000000F1", "name": "Orphan", "parent": "000000000000000000000000000000FF", "boundTo": ["Arm"]},
			{"guid": "000000000000000000000000000000F2", "name": "OrphanChild", "parent": "000000000000000000000000000000F1", "boundTo": ["Arm"]}],
			"spawnables": [{"guid": "000000000000000000000000000000D1", "name": "Spawned"}]}],
		"focus": "/Game/S.S"})");
	// One context per live object the parent resolved to; the child's own objects come back
	// flagged or not, for the caller to judge.
	EXPECT_EQ(NamesOf(BoundTo("000000000000000000000000000000A1")), "Left,Right,Left");
	EXPECT_EQ(NamesOf(BoundTo("000000000000000000000000000000A2")), "Left.Arm,Right.Arm");
	EXPECT_EQ(NamesOf(BoundTo("000000000000000000000000000000A3")), "Left.Hand (garbage)");
	// A garbage or unreachable parent is no context, although the parent itself is returned.
	EXPECT_EQ(NamesOf(BoundTo("000000000000000000000000000000B1")), "Dead (garbage)");
	EXPECT_TRUE(BoundTo("000000000000000000000000000000B2").IsEmpty());
	EXPECT_EQ(NamesOf(BoundTo("000000000000000000000000000000C1")), "Lost (unreachable)");
	EXPECT_TRUE(BoundTo("000000000000000000000000000000C2").IsEmpty());
	// Never a fall-back to the world, where an actor named Arm exists.
	EXPECT_TRUE(BoundTo("000000000000000000000000000000D2").IsEmpty());
	EXPECT_TRUE(BoundTo("000000000000000000000000000000E1").IsEmpty());
	EXPECT_TRUE(BoundTo("000000000000000000000000000000E2").IsEmpty());
	EXPECT_TRUE(BoundTo("000000000000000000000000000000F1").IsEmpty());
	EXPECT_TRUE(BoundTo("000000000000000000000000000000F2").IsEmpty());

	// The parent decides at every call: destroying it takes its components along.
	FString Error;
	ASSERT_TRUE(UE::Host::DestroyActor(TEXT("Right"), Error));
	EXPECT_EQ(NamesOf(BoundTo("000000000000000000000000000000A2")), "Left.Arm");
	ASSERT_TRUE(UE::Host::DestroyActor(TEXT("Left"), Error));
	EXPECT_TRUE(BoundTo("000000000000000000000000000000A2").IsEmpty());
}

TEST_F(FSceneBindingTest, ParentChainsOfAnyDepthResolveTopDown)
{
	// Forty links, each the child of the next, under one top-level binding; each names a
	// component the host gives the actor, so the chain only resolves where the links agree.
	std::string Possessables = R"({"guid": "00000000000000000000000000000100", "name": "Root", "boundTo": ["Hero"]})";
	for (int32 Index = 1; Index <= 40; ++Index)
	{
		char Entry[200];
		std::snprintf(Entry, sizeof(Entry), R"(,{"guid": "%032X", "name": "L%d", "parent": "%032X", "boundTo": ["Mesh"]})", 0x100 + Index, Index, 0x100 + Index - 1);
		Possessables += Entry;
	}
	Load((R"({"world": {"actors": [{"label": "Hero", "components": ["Mesh"]}]}, "sequences": [{"path": "/Game/S.S", "possessables": [)" + Possessables
			+ R"(]}], "focus": "/Game/S.S"})").c_str());
	EXPECT_EQ(NamesOf(BoundTo("00000000000000000000000000000101")), "Hero.Mesh");
	// Nothing is inside the Mesh component, so every deeper link resolves to nothing.
	EXPECT_TRUE(BoundTo("00000000000000000000000000000102").IsEmpty());
	EXPECT_TRUE(BoundTo("00000000000000000000000000000128").IsEmpty());
}

TEST_F(FSceneBindingTest, WithoutTheEditorNothingIsFocusedOrResolved)
{
	LoadSample("Showcase.json");
	ASSERT_NE(GEditor->GetEditorSubsystem<ULevelSequenceEditorSubsystem>(), nullptr);
	UE::Host::DestroyEditor();
	EXPECT_EQ(GEditor, nullptr);
	EXPECT_EQ(Focused(), nullptr);
	EXPECT_TRUE(BoundTo(Hero).IsEmpty());
	// The scene itself stays open and is shown again by the next editor.
	EXPECT_NE(UE::Host::GetSceneFocusedSequence(), nullptr);
	UE::Host::CreateEditor();
	EXPECT_EQ(GEditor->GetEditorWorldContext().World(), UE::Host::GetSceneWorld());
	EXPECT_EQ(NamesOf(BoundTo(Hero)), "Hero");
	EXPECT_NE(GEditor->GetEditorSubsystem<ULevelSequenceEditorSubsystem>(), nullptr);
}

TEST_F(FSceneBindingTest, PlayInEditorHasItsOwnWorldOverTheSameActors)
{
	LoadSample("Showcase.json");
	UWorld* EditorWorld = GEditor->GetEditorWorldContext().World();
	EXPECT_EQ(GEditor->PlayWorld, nullptr);
	EXPECT_TRUE(UE::Host::SetPlayInEditor(true));
	ASSERT_NE(GEditor->PlayWorld, nullptr);
	EXPECT_NE(GEditor->PlayWorld.Get(), EditorWorld);
	EXPECT_EQ(ToStd(GEditor->PlayWorld->GetMapName()), "UEDPIE_0_Arena");
	EXPECT_EQ(GEditor->GetEditorWorldContext().World(), EditorWorld);
	EXPECT_EQ(NamesOf(BoundTo(Hero)), "Hero");
	EXPECT_TRUE(UE::Host::SetPlayInEditor(false));
	EXPECT_EQ(GEditor->PlayWorld, nullptr);

	// There is nothing to play without a map.
	Load("{}");
	EXPECT_FALSE(UE::Host::SetPlayInEditor(true));
	EXPECT_EQ(GEditor->PlayWorld, nullptr);
	EXPECT_FALSE(UE::Host::IsPlayInEditor());

	// A scene that starts in Play-In-Editor shows it in an editor created afterwards.
	UE::Host::DestroyEditor();
	Load(R"({"world": {"map": "Arena"}, "playWorld": true})");
	UE::Host::CreateEditor();
	ASSERT_NE(GEditor->PlayWorld, nullptr);
	EXPECT_EQ(GEditor->PlayWorld.Get(), UE::Host::GetScenePlayWorld());
}

TEST_F(FSceneBindingTest, PossessablesAndSpawnablesKeepTheirOrderAndGuids)
{
	LoadSample("Showcase.json");
	UMovieScene* MovieScene = Focused()->GetMovieScene();
	ASSERT_EQ(MovieScene->GetPossessableCount(), 11);
	EXPECT_EQ(ToStd(MovieScene->GetPossessable(4).GetName()), "villain");
	EXPECT_EQ(MovieScene->GetPossessable(1).GetParent(), GuidOf(Hero));
	EXPECT_EQ(MovieScene->FindPossessable(GuidOf(Mercenary)), nullptr);
	ASSERT_EQ(MovieScene->GetSpawnableCount(), 1);
	EXPECT_EQ(MovieScene->GetSpawnable(0).GetGuid(), GuidOf(Mercenary));
	// Lower-case digits in a scene file name the same GUID; GUIDs print as upper-case digits.
	Load(R"({"sequences": [{"path": "/Game/S.S", "possessables": [{"guid": "6a1f3c2e4b7d4e0f9a8b1c2d3e4f5a01", "name": "Hero"}]}], "focus": "/Game/S.S"})");
	EXPECT_EQ(ToStd(Focused()->GetMovieScene()->GetPossessable(0).GetGuid().ToString()), Hero);
}

TEST_F(FSceneBindingTest, CustomBindingsAreReferencesWithABindingObject)
{
	LoadSample("Showcase.json");
	const FMovieSceneBindingReferences* References = Focused()->GetBindingReferences();
	ASSERT_NE(References, nullptr);
	const TArrayView<const FMovieSceneBindingReference> CrowdReferences = References->GetReferences(GuidOf(Crowd));
	ASSERT_EQ(CrowdReferences.Num(), 1);
	EXPECT_NE(CrowdReferences[0].CustomBinding, nullptr);
	EXPECT_TRUE(CrowdReferences[0].Locator.IsEmpty());
	// The custom binding lives inside the sequence, like the engine's instanced bindings.
	EXPECT_EQ(ToStd(CrowdReferences[0].CustomBinding->GetPathName()), "/Game/Cinematics/Intro.Intro:MovieScene.HostCustomBinding_0");

	const TArrayView<const FMovieSceneBindingReference> SpotlightReferences = References->GetReferences(GuidOf(Spotlight));
	ASSERT_EQ(SpotlightReferences.Num(), 2);
	EXPECT_NE(SpotlightReferences[0].CustomBinding, nullptr);
	EXPECT_EQ(SpotlightReferences[1].CustomBinding, nullptr);
	EXPECT_EQ(ToStd(UE::Host::GetLocatorPath(SpotlightReferences[1].Locator)), "Spotlight");
	for (const FMovieSceneBindingReference& Reference : References->GetReferences(GuidOf(Hero)))
	{
		EXPECT_EQ(Reference.CustomBinding, nullptr);
	}
	EXPECT_TRUE(References->GetReferences(GuidOf(Narrator)).IsEmpty());
	EXPECT_TRUE(References->GetReferences(GuidOf(Mercenary)).IsEmpty());

	// Without binding references the sequence hands none out, and its bindings still resolve.
	Load(R"({"world": {"actors": [{"label": "Hero"}]}, "sequences": [{"path": "/Game/S.S", "bindingReferences": false,
		"possessables": [{"guid": "000000000000000000000000000000A1", "name": "Hero", "boundTo": ["Hero"], "custom": true}]}], "focus": "/Game/S.S"})");
	EXPECT_EQ(Focused()->GetBindingReferences(), nullptr);
	EXPECT_EQ(NamesOf(BoundTo("000000000000000000000000000000A1")), "Hero");
}

TEST(FMovieSceneBindingReferencesTest, ReferencesStaySortedAndKeepTheirBindingIndexOrder)
{
	FMovieSceneBindingReferences References;
	const FGuid Ids[] = {FGuid(0, 0, 0, 9), FGuid(0, 0, 0, 2), FGuid(5, 0, 0, 0), FGuid(0, 0, 0, 2), FGuid(0, 1, 0, 0), FGuid(0, 0, 0, 2)};
	for (int32 Index = 0; Index < 6; ++Index)
	{
		References.AddBinding(Ids[Index], UE::Host::MakeLocatorFromPath(FString::Printf(TEXT("Object%d"), Index)));
	}
	const TArrayView<const FMovieSceneBindingReference> All = References.GetAllReferences();
	ASSERT_EQ(All.Num(), 6);
	for (int32 Index = 1; Index < All.Num(); ++Index)
	{
		EXPECT_FALSE(All[Index].ID < All[Index - 1].ID);
	}
	const TArrayView<const FMovieSceneBindingReference> Twos = References.GetReferences(FGuid(0, 0, 0, 2));
	ASSERT_EQ(Twos.Num(), 3);
	EXPECT_EQ(ToStd(UE::Host::GetLocatorPath(Twos[0].Locator)), "Object1");
	EXPECT_EQ(ToStd(UE::Host::GetLocatorPath(Twos[1].Locator)), "Object3");
	EXPECT_EQ(ToStd(UE::Host::GetLocatorPath(Twos[2].Locator)), "Object5");
	EXPECT_EQ(References.GetReferences(FGuid(5, 0, 0, 0)).Num(), 1);
	EXPECT_TRUE(References.GetReferences(FGuid(0, 0, 0, 3)).IsEmpty());
	References.RemoveBinding(FGuid(0, 0, 0, 2));
	EXPECT_TRUE(References.GetReferences(FGuid(0, 0, 0, 2)).IsEmpty());
	EXPECT_EQ(References.GetAllReferences().Num(), 3);
}

TEST(FObjectTest, PathNamesUseTheEngineDelimiters)
{
	UPackage Package;
	UObject Sequence;
	UObject MovieScene;
	UObject Binding;
	ASSERT_TRUE(Package.Rename(TEXT("/Game/Cinematics/Intro")));
	ASSERT_TRUE(Sequence.Rename(TEXT("Intro"), &Package));
	ASSERT_TRUE(MovieScene.Rename(TEXT("MovieScene"), &Sequence));
	ASSERT_TRUE(Binding.Rename(TEXT("Binding"), &MovieScene));
	EXPECT_EQ(ToStd(Sequence.GetPathName()), "/Game/Cinematics/Intro.Intro");
	EXPECT_EQ(ToStd(Binding.GetPathName()), "/Game/Cinematics/Intro.Intro:MovieScene.Binding");
	EXPECT_EQ(ToStd(Binding.GetPathName(&Sequence)), "MovieScene.Binding");
	EXPECT_EQ(ToStd(Binding.GetPathName(&Binding)), "None");

	UPackage Folder;
	UObject Loose;
	ASSERT_TRUE(Folder.Rename(TEXT("/Game/")));
	ASSERT_TRUE(Loose.Rename(TEXT("Loose"), &Folder));
	EXPECT_EQ(ToStd(Loose.GetPathName()), "/Game/Loose");
	EXPECT_EQ(ToStd(Loose.GetName()), "Loose");
}
