// Copyright Vantle contributors. All Rights Reserved.
#include "SceneTestSupport.h"

#include "Bindings/MovieSceneCustomBinding.h"
#include "Components/ActorComponent.h"
#include "HostObjects.h"
#include "HostUniversalObjectLocator.h"
#include "LevelSequenceEditorSubsystem.h"
#include "MovieSceneBindingReferences.h"
#include "Templates/Casts.h"

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
	const TArray<UObject*> CameraObjects = BoundTo(Camera);
	ASSERT_EQ(CameraObjects.Num(), 1);
	const UActorComponent* Component = Cast<UActorComponent>(CameraObjects[0]);
	ASSERT_NE(Component, nullptr);
	EXPECT_EQ(ToStd(Component->GetName()), "Camera");
	EXPECT_EQ(Component->GetOwner(), UE::Host::FindSceneActor(TEXT("Hero")));

	// The plugin's own liveness test has to reject these.
	const TArray<UObject*> LensObjects = BoundTo(Lens);
	ASSERT_EQ(LensObjects.Num(), 1);
	EXPECT_FALSE(IsValid(LensObjects[0]));
	const TArray<UObject*> DoorObjects = BoundTo(OldDoor);
	ASSERT_EQ(DoorObjects.Num(), 1);
	EXPECT_FALSE(IsValid(DoorObjects[0]));
	const TArray<UObject*> GhostObjects = BoundTo(Ghost);
	ASSERT_EQ(GhostObjects.Num(), 1);
	EXPECT_TRUE(IsValid(GhostObjects[0]));
	EXPECT_TRUE(GhostObjects[0]->IsUnreachable());
	EXPECT_TRUE(GhostObjects[0]->HasAnyInternalFlags(EInternalObjectFlags::Unreachable | EInternalObjectFlags::Garbage));

	EXPECT_TRUE(BoundTo(Villain).IsEmpty());
	EXPECT_TRUE(BoundTo(Narrator).IsEmpty());
	EXPECT_TRUE(BoundTo(Crowd).IsEmpty());
	EXPECT_EQ(NamesOf(BoundTo(Spotlight)), "Spotlight");
	EXPECT_TRUE(BoundTo(Mercenary).IsEmpty());
	EXPECT_TRUE(BoundTo("0123456789ABCDEF0123456789ABCDEF").IsEmpty());
	// Only the focused sequence's own bindings resolve.
	EXPECT_TRUE(BoundTo(OutroHero).IsEmpty());
	EXPECT_TRUE(ULevelSequenceEditorBlueprintLibrary::GetBoundObjects(UE::MovieScene::FRelativeObjectBindingID(GuidOf(Hero), FMovieSceneSequenceID(7))).IsEmpty());
	EXPECT_EQ(NamesOf(ULevelSequenceEditorBlueprintLibrary::GetBoundObjects(UE::MovieScene::FFixedObjectBindingID(GuidOf(Hero), MovieSceneSequenceID::Root))), "Hero");
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
	const TArray<UObject*> Destroyed = BoundTo("000000000000000000000000000000A1");
	ASSERT_EQ(Destroyed.Num(), 3);
	EXPECT_TRUE(IsValid(Destroyed[0]));
	EXPECT_FALSE(IsValid(Destroyed[1]));
	EXPECT_FALSE(IsValid(Destroyed[2]));
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
	UWorld* PlayWorld = GEditor->PlayWorld;
	EXPECT_TRUE(UE::Host::SetPlayInEditor(true));
	EXPECT_EQ(GEditor->PlayWorld.Get(), PlayWorld);
	ASSERT_NE(GEditor->PlayWorld, nullptr);
	EXPECT_NE(GEditor->PlayWorld.Get(), EditorWorld);
	EXPECT_EQ(ToStd(GEditor->PlayWorld->GetMapName()), "UEDPIE_0_Arena");
	EXPECT_EQ(GEditor->GetEditorWorldContext().World(), EditorWorld);
	EXPECT_EQ(NamesOf(BoundTo(Hero)), "Hero");
	EXPECT_TRUE(UE::Host::SetPlayInEditor(false));
	EXPECT_EQ(GEditor->PlayWorld, nullptr);
	EXPECT_TRUE(UE::Host::SetPlayInEditor(false));

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

TEST_F(FSceneBindingTest, PossessablesAndSpawnablesAreFoundByGuidOnly)
{
	LoadSample("Showcase.json");
	UMovieScene* MovieScene = Focused()->GetMovieScene();
	ASSERT_EQ(MovieScene->GetPossessableCount(), 11);
	EXPECT_EQ(ToStd(MovieScene->GetPossessable(4).GetName()), "villain");
	EXPECT_EQ(MovieScene->GetPossessable(1).GetParent(), GuidOf(Hero));
	EXPECT_EQ(MovieScene->FindPossessable(GuidOf(Camera)), &MovieScene->GetPossessable(1));
	EXPECT_EQ(MovieScene->FindPossessable(GuidOf(Mercenary)), nullptr);
	EXPECT_EQ(MovieScene->FindPossessable(FGuid()), nullptr);
	ASSERT_EQ(MovieScene->GetSpawnableCount(), 1);
	EXPECT_EQ(MovieScene->FindSpawnable(GuidOf(Mercenary)), &MovieScene->GetSpawnable(0));
	EXPECT_EQ(ToStd(MovieScene->GetSpawnable(0).GetName()), "Mercenary");
	EXPECT_EQ(MovieScene->FindSpawnable(GuidOf(Hero)), nullptr);
	// Lower-case digits in a scene file name the same GUID; GUIDs print as upper-case digits.
	Load(R"({"sequences": [{"path": "/Game/S.S", "possessables": [{"guid": "6a1f3c2e4b7d4e0f9a8b1c2d3e4f5a01", "name": "Hero"}]}], "focus": "/Game/S.S"})");
	EXPECT_EQ(ToStd(Focused()->GetMovieScene()->GetPossessable(0).GetGuid().ToString()), Hero);
	EXPECT_EQ(ToStd(FGuid(1, 2, 3, 0xABCDEF01).ToString()), "000000010000000200000003ABCDEF01");
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
