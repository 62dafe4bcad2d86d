// Copyright Vantle contributors. All Rights Reserved.
#include "Editor.h"
#include "CoreGlobals.h"
#include "Engine/Engine.h"
#include "Engine/World.h"
#include "HostLevelSequence.h"
#include "HostLevelSequenceEditor.h"
#include "LevelSequence.h"
#include "LevelSequenceEditorBlueprintLibrary.h"
#include "Logging/LogMacros.h"

#include <utility>

DEFINE_LOG_CATEGORY_STATIC(LogHostSequencer, Log, All);

namespace UE::Host
{
	struct FObjectBindingIDAccess
	{
		static int32 ResolveParentIndex(const FMovieSceneObjectBindingID& Id) { return Id.ResolveParentIndex; }
	};
}

namespace
{
	// The host's single Sequencer: which sequence it has open and focused.
	ULevelSequence* GFocusedSequence = nullptr;
	TFunction<void()> GBoundObjectsProbe;
}

namespace UE::Host
{
	void SetFocusedLevelSequence(ULevelSequence* Sequence)
	{
		GFocusedSequence = Sequence;
	}

	void SetBoundObjectsProbe(TFunction<void()> Probe)
	{
		GBoundObjectsProbe = std::move(Probe);
	}

	UWorld* GetSequencerPlaybackWorld()
	{
		return GEditor ? GEditor->GetEditorWorldContext().World() : nullptr;
	}
}

ULevelSequence* ULevelSequenceEditorBlueprintLibrary::GetFocusedLevelSequence()
{
	check(IsInGameThread());
	// Sequencer is an editor tool: without the editor engine nothing is open.
	return GEditor ? GFocusedSequence : nullptr;
}

bool ULevelSequenceEditorBlueprintLibrary::OpenLevelSequence(ULevelSequence* LevelSequence)
{
	if (!GEditor || !LevelSequence)
	{
		return false;
	}
	GFocusedSequence = LevelSequence;
	return true;
}

void ULevelSequenceEditorBlueprintLibrary::Close()
{
	GFocusedSequence = nullptr;
}

TArray<UObject*> ULevelSequenceEditorBlueprintLibrary::GetBoundObjects(FMovieSceneObjectBindingID ObjectBinding)
{
	check(IsInGameThread());
	if (GBoundObjectsProbe)
	{
		GBoundObjectsProbe();
	}
	TArray<UObject*> Result;
	const ULevelSequence* Sequence = GetFocusedLevelSequence();
	// The host has no sub-sequences: only bindings of the focused sequence itself resolve.
	if (!Sequence || ObjectBinding.GetRelativeSequenceID() != MovieSceneSequenceID::Root)
	{
		return Result;
	}
	// Local (0) and fixed (-1) IDs of the root both name the focused sequence here. A parent index
	// would name a sequence above the focused one, which the host never has: refused loudly, so a
	// caller relying on it cannot pass by resolving nothing quietly.
	const int32 ResolveParentIndex = UE::Host::FObjectBindingIDAccess::ResolveParentIndex(ObjectBinding);
	if (ResolveParentIndex != 0 && ResolveParentIndex != INDEX_NONE)
	{
		UE_LOG(LogHostSequencer, Error, TEXT("GetBoundObjects: resolve parent index %d is not supported (the host has no parent sequences)"), ResolveParentIndex);
		return Result;
	}
	UE::Host::ResolveBinding(*Sequence, ObjectBinding.GetGuid(), UE::Host::GetSequencerPlaybackWorld(), Result);
	return Result;
}
