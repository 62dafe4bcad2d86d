// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "EditorSubsystem.h"
#include "UniversalObjectLocator.h"

// Editor-wide Level Sequence operations on the active Sequencer.
class ULevelSequenceEditorSubsystem : public UEditorSubsystem
{
public:
	// Rebinds every top-level possessable of the focused sequence that resolves to no live object
	// to the playback world's actor whose label matches the possessable's name, ignoring case.
	// Saves nothing.
	LEVELSEQUENCEEDITOR_API void FixActorReferences();
};
