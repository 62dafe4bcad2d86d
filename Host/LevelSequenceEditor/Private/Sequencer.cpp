// Copyright Vantle contributors. All Rights Reserved.
#include "Editor.h"
#include "Engine/Engine.h"
#include "Engine/World.h"
#include "HostLevelSequence.h"
#include "HostLevelSequenceEditor.h"
#include "LevelSequence.h"
#include "LevelSequenceEditorBlueprintLibrary.h"

namespace
{
	// The host's single Sequencer: which sequence it has open and focused.
	ULevelSequence* GFocusedSequence = nullptr;
}

namespace UE::Host
{
	void SetFocusedLevelSequence(ULevelSequence* Sequence)
	{
		GFocusedSequence = Sequence;
	}

	UWorld* GetSequencerPlaybackWorld()
	{
		return GEditor ? GEditor->GetEditorWorldContext().World() : nullptr;
	}
}

ULevelSequence* ULevelSequenceEditorBlueprintLibrary::GetFocusedLevelSequence()
{
	// Sequencer is an editor tool: without the editor engine nothing is open.
	return GEditor ? GFocusedSequence : nullptr;
}

TArray<UObject*> ULevelSequenceEditorBlueprintLibrary::GetBoundObjects(FMovieSceneObjectBindingID ObjectBinding)
{
	TArray<UObject*> Result;
	const ULevelSequence* Sequence = GetFocusedLevelSequence();
	// The host has no sub-sequences: only bindings of the focused sequence itself resolve.
	if (!Sequence || ObjectBinding.GetRelativeSequenceID() != MovieSceneSequenceID::Root)
	{
		return Result;
	}
	UE::Host::ResolveBinding(*Sequence, ObjectBinding.GetGuid(), UE::Host::GetSequencerPlaybackWorld(), Result);
	return Result;
}
