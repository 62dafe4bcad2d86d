// Copyright Vantle contributors. All Rights Reserved.
// Scene files as the fuzzer writes them: read alone into a description, then loaded over an open
// scene. A refused file must leave the open scene exactly as it was; an accepted one must build
// without a check firing, be found again by its own names, and load over itself a second time.
#include "Editor.h"
#include "Engine/World.h"
#include "GameFramework/Actor.h"
#include "HostObjects.h"
#include "HostScene.h"
#include "HostSceneDescription.h"
#include "LevelSequence.h"
#include "LevelSequenceEditorBlueprintLibrary.h"
#include "Misc/App.h"
#include "MovieScene.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace
{
	const char* const OpenScene = R"({"project": "Open", "world": {"map": "Arena", "actors": [
		{"label": "Hero", "components": ["Mesh", {"name": "Lens", "garbage": true}]}, {"label": "Ghost", "unreachable": true}]},
		"sequences": [{"path": "/Game/Open.Open", "possessables": [
			{"guid": "000000000000000000000000000000A1", "name": "Hero", "boundTo": ["Hero"]},
			{"guid": "000000000000000000000000000000A2", "name": "Mesh", "parent": "000000000000000000000000000000A1", "boundTo": ["Mesh"]},
			{"guid": "000000000000000000000000000000A3", "name": "Crowd", "custom": true}]}],
		"focus": "/Game/Open.Open", "playWorld": true})";

	void Require(bool bHolds, const char* What, const FString& Detail = FString())
	{
		if (!bHolds)
		{
			std::fprintf(stderr, "scene loader violation: %s%s%s\n", What, Detail.IsEmpty() ? "" : ": ", UE::Host::ToUtf8(Detail).c_str());
			std::abort();
		}
	}

	// What a user of the editor can see of the open scene.
	struct FSnapshot
	{
		FString Project;
		UWorld* World = nullptr;
		UWorld* ContextWorld = nullptr;
		UWorld* PlayWorld = nullptr;
		TArray<ULevelSequence*> Sequences;
		ULevelSequence* Focused = nullptr;
		int32 ObjectCount = 0;
		FString MapName;
		std::string Bound;

		static FSnapshot Take()
		{
			FSnapshot Snapshot;
			Snapshot.Project = FApp::GetProjectName();
			Snapshot.World = UE::Host::GetSceneWorld();
			Snapshot.ContextWorld = GEditor->GetEditorWorldContext().World();
			Snapshot.PlayWorld = GEditor->PlayWorld;
			Snapshot.Sequences = UE::Host::GetSceneSequences();
			Snapshot.Focused = ULevelSequenceEditorBlueprintLibrary::GetFocusedLevelSequence();
			Snapshot.ObjectCount = UE::Host::GetObjectCount();
			Snapshot.MapName = Snapshot.World ? Snapshot.World->GetMapName() : FString();
			for (const char* Guid : {"000000000000000000000000000000A1", "000000000000000000000000000000A2"})
			{
				FGuid Id;
				FGuid::ParseExact(FString(Guid), EGuidFormats::Digits, Id);
				for (const UObject* Object : UE::Host::ResolveSceneBinding(TEXT("/Game/Open.Open"), Id))
				{
					Snapshot.Bound += UE::Host::ToUtf8(Object->GetPathName()) + ";";
				}
			}
			return Snapshot;
		}

		bool operator==(const FSnapshot& Other) const
		{
			return Project.Equals(Other.Project) && World == Other.World && ContextWorld == Other.ContextWorld && PlayWorld == Other.PlayWorld
				&& Sequences == Other.Sequences && Focused == Other.Focused && ObjectCount == Other.ObjectCount && MapName.Equals(Other.MapName) && Bound == Other.Bound;
		}
	};

	// An error is one non-empty line that starts with the file name.
	void CheckRefusal(const FString& Error)
	{
		bool bOneLine = !Error.IsEmpty();
		for (int32 Index = 0; Index < Error.Len(); ++Index)
		{
			bOneLine &= Error[Index] != u'\n' && Error[Index] != u'\r' && Error[Index] != 0 && Error[Index] != 0x2028 && Error[Index] != 0x2029;
		}
		Require(bOneLine, "an error is one non-empty line", Error);
		Require(Error.StartsWith(TEXT("fuzz.json:")), "an error starts with the file name", Error);
	}

	void OpenBaseline()
	{
		FString Error;
		Require(UE::Host::LoadSceneFromString(UE::Host::FromUtf8(OpenScene), TEXT("open.json"), Error), "the open scene loads", Error);
	}

	// An accepted scene is built as described and every name leads back to its object.
	void CheckBuilt(const UE::Host::Scene::FSceneDescription& Description)
	{
		Require(FApp::GetProjectName() == Description.Project, "the project is the described one");
		UWorld* World = UE::Host::GetSceneWorld();
		Require((World != nullptr) == Description.bHasWorld, "a world exactly when described");
		Require(GEditor->GetEditorWorldContext().World() == World, "the editor shows the scene's world");
		if (World)
		{
			Require(World->GetMapName().Equals(Description.MapName), "the world has the described map name", World->GetMapName());
			Require(UE::Host::FindObjectByPath(nullptr, Description.MapName) == World, "the map name finds the world", Description.MapName);
			for (const UE::Host::Scene::FActorDescription& Actor : Description.Actors)
			{
				Require(UE::Host::FindSceneActor(Actor.Label) != nullptr, "every actor is found by its label", Actor.Label);
			}
		}
		Require((GEditor->PlayWorld != nullptr) == Description.bPlayWorld, "Play-In-Editor runs exactly when described");
		const TArray<ULevelSequence*> Sequences = UE::Host::GetSceneSequences();
		Require(Sequences.Num() == Description.Sequences.Num(), "every sequence is built");
		for (int32 Index = 0; Index < Sequences.Num(); ++Index)
		{
			const UE::Host::Scene::FSequenceDescription& Sequence = Description.Sequences[Index];
			Require(UE::Host::FindSceneSequence(Sequence.Path) == Sequences[Index], "every sequence is found by its own path", Sequence.Path);
			Require(Sequences[Index]->GetPathName().Equals(Sequence.Path, ESearchCase::IgnoreCase), "a sequence's path is the described one", Sequences[Index]->GetPathName());
			// Resolving runs every parent chain, loops and dangling parents included.
			for (const UE::Host::Scene::FPossessableDescription& Possessable : Sequence.Possessables)
			{
				UE::Host::ResolveSceneBinding(Sequence.Path, Possessable.Guid);
			}
		}
		ULevelSequence* Focused = ULevelSequenceEditorBlueprintLibrary::GetFocusedLevelSequence();
		Require(Focused == (Description.FocusIndex == INDEX_NONE ? nullptr : Sequences[Description.FocusIndex]), "the described sequence has focus");
	}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
	static const bool bInitialized = (UE::Host::CreateEditor(), true);
	(void)bInitialized;
	const std::string_view Bytes(reinterpret_cast<const char*>(Data), Size);

	// The seam alone: no editor state is read or written.
	UE::Host::Scene::FSceneDescription Description;
	FString ReadError;
	const bool bRead = UE::Host::Scene::ReadSceneDescription(Bytes, TEXT("fuzz.json"), Description, ReadError);
	if (!bRead)
	{
		CheckRefusal(ReadError);
	}

	// Over an open scene.
	UE::Host::ResetScene();
	const int32 EmptyCount = UE::Host::GetObjectCount();
	OpenBaseline();
	const FSnapshot Before = FSnapshot::Take();
	bool bOpened = false;
	if (bRead)
	{
		FString OpenError;
		bOpened = UE::Host::OpenSceneDescription(Description, OpenError);
		if (!bOpened)
		{
			CheckRefusal(OpenError);
		}
	}
	if (!bOpened)
	{
		Require(FSnapshot::Take() == Before, "a refused scene leaves the open scene as it was");
		UE::Host::ResetScene();
		Require(UE::Host::GetObjectCount() == EmptyCount, "closing the scene frees everything");
		return 0;
	}
	CheckBuilt(Description);

	// An accepted scene's names belong to it, so it loads over itself.
	FString AgainError;
	Require(UE::Host::OpenSceneDescription(Description, AgainError), "an accepted scene loads over itself", AgainError);
	CheckBuilt(Description);
	UE::Host::ResetScene();
	Require(UE::Host::GetObjectCount() == EmptyCount, "closing the scene frees everything");
	return 0;
}
