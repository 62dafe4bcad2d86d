// Copyright Vantle contributors. All Rights Reserved.
// Host-only: the scene the headless editor has open (project, editor world, level sequences,
// Sequencer focus, Play-In-Editor) and the editor engine's lifetime. Used by the headless editor
// program and the tests; the plugin never includes this header.
#pragma once

#include "CoreMinimal.h"

class AActor;
class ULevelSequence;
class UObject;
class UWorld;

namespace UE::Host::Scene
{
	struct FSceneDescription;
}

namespace UE::Host
{
	// Scene files larger than this are refused before parsing.
	inline constexpr int64 MaxSceneFileBytes = 16 * 1024 * 1024;
	// Deeper nesting than this is refused while parsing.
	inline constexpr int32 MaxSceneNestingDepth = 64;
	// More JSON values than this are refused while parsing.
	inline constexpr int32 MaxSceneValueCount = 1000000;

	// Replaces the open scene with the scene file at Path (JSON, UTF-8). On any error OutError is
	// one line, "file:line:column: message", and the open scene stays exactly as it was.
	bool LoadSceneFile(const FString& Path, FString& OutError);
	// Same for scene text held in memory; DisplayName stands in for the file name in errors.
	bool LoadSceneFromString(const FString& Json, const FString& DisplayName, FString& OutError);
	// Replaces the open scene with a description read by Scene::ReadSceneDescription (which touches
	// no editor state). The names the scene creates at the top level are first checked against the
	// objects that outlive the open scene; on a clash OutError is one line and nothing changes.
	bool OpenSceneDescription(const Scene::FSceneDescription& Description, FString& OutError);
	// Closes the scene: no world, no sequences, no focus, no Play-In-Editor, project "HeadlessProject".
	void ResetScene();

	// Gives Sequencer focus to the sequence with that object path (ignoring case); an empty path
	// leaves no sequence focused. False, changing nothing, when no sequence has the path.
	bool FocusSequence(const FString& PathOrEmpty, FString& OutError);
	// Starts or stops Play-In-Editor; the play world shares the editor world's actors. True when
	// Play-In-Editor is then in the requested state; false, changing nothing, when asked to start
	// while the scene has no editor world.
	bool SetPlayInEditor(bool bRunning);
	// Adds a live actor with that label to the editor world (its object name is the label, made
	// unique with a "_N" suffix when taken). False without a world or for an unusable label.
	bool SpawnActor(const FString& Label, FString& OutError);
	// Marks the newest live actor with that label (ignoring case), and its components, as garbage.
	// False without a world or when no live actor has the label.
	bool DestroyActor(const FString& Label, FString& OutError);

	// Creates the editor engine (GEditor) with its Level Sequence editor subsystem and shows the
	// open scene in it; nothing happens when it exists.
	void CreateEditor();
	// Destroys the editor engine; GEditor becomes null. The scene stays open.
	void DestroyEditor();

	// Probes.
	// The editor world; null when the scene has none.
	UWorld* GetSceneWorld();
	// The Play-In-Editor world; null while it does not run.
	UWorld* GetScenePlayWorld();
	bool IsPlayInEditor();
	// The sequences of the scene, in file order.
	TArray<ULevelSequence*> GetSceneSequences();
	// The sequence with that path (ignoring case); null when none.
	ULevelSequence* FindSceneSequence(const FString& Path);
	// The focused sequence, also while the editor engine does not exist; null when none.
	ULevelSequence* GetSceneFocusedSequence();
	// The newest actor of the editor world with that label (ignoring case), live or not; null when none.
	AActor* FindSceneActor(const FString& Label);
	// Calls of the Level Sequence editor's FixActorReferences since start-up, also those that
	// found nothing to do.
	int32 GetFixActorReferencesCount();
	// What the binding of that sequence resolves to in the editor world now, flagged objects
	// included, whether or not the sequence has focus.
	TArray<UObject*> ResolveSceneBinding(const FString& SequencePath, const FGuid& Guid);
}
