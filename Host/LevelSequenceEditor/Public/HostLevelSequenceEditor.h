// Copyright Vantle contributors. All Rights Reserved.
// Host-only control and probes of the Level Sequence editor, for the headless editor and the
// tests. The plugin never includes this header.
#pragma once

#include "CoreMinimal.h"
#include "Templates/Function.h"

class ULevelSequence;
class UWorld;

namespace UE::Host
{
	// Opens the sequence in the one Sequencer the host has and gives it focus; null closes it.
	// Sequencer shows it only while the editor engine exists.
	LEVELSEQUENCEEDITOR_API void SetFocusedLevelSequence(ULevelSequence* Sequence);
	// Sequencer's playback world: the editor world (a play session here shares its actors); null
	// without the editor engine.
	LEVELSEQUENCEEDITOR_API UWorld* GetSequencerPlaybackWorld();
	// Calls of FixActorReferences since start-up, including those that found nothing to do.
	LEVELSEQUENCEEDITOR_API int32 GetFixActorReferencesCallCount();
	// Bindings FixActorReferences rebound since start-up.
	LEVELSEQUENCEEDITOR_API int32 GetFixActorReferencesReboundCount();
	// Runs Probe at the start of every GetBoundObjects call, so a test can change the scene while a
	// caller is in the middle of its work; an empty function removes it.
	LEVELSEQUENCEEDITOR_API void SetBoundObjectsProbe(TFunction<void()> Probe);
}
