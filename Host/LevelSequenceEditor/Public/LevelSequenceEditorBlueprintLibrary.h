// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "MovieSceneObjectBindingID.h"
#include "UObject/Object.h"

class ULevelSequence;

// Scripting access to the Level Sequence editor. (A Blueprint function library in the engine;
// only its static functions exist here.)
class ULevelSequenceEditorBlueprintLibrary : public UObject
{
public:
	// The Level Sequence that has focus in the current Sequencer; null when no Sequencer is open.
	LEVELSEQUENCEEDITOR_API static ULevelSequence* GetFocusedLevelSequence();
	// The objects the binding resolves to in Sequencer's playback world, addressed relative to the
	// focused sequence; empty when nothing resolves or no Sequencer is open.
	LEVELSEQUENCEEDITOR_API static TArray<UObject*> GetBoundObjects(FMovieSceneObjectBindingID ObjectBinding);
	// Opens the sequence in Sequencer, which then has it in focus (and closes what it had open);
	// false, opening nothing, for null or without the editor.
	LEVELSEQUENCEEDITOR_API static bool OpenLevelSequence(ULevelSequence* LevelSequence);
	// Closes the sequence open in Sequencer; nothing has focus afterwards.
	LEVELSEQUENCEEDITOR_API static void Close();
};
