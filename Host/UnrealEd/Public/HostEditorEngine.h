// Copyright Vantle contributors. All Rights Reserved.
// Host-only control of the editor engine's lifetime, for the headless editor and the tests.
// The plugin never includes this header.
#pragma once

#include "Editor/EditorEngine.h"

namespace UE::Host
{
	// Creates the editor engine and publishes it as GEditor; returns the existing one if any.
	UNREALED_API UEditorEngine* CreateEditorEngine();
	// Gives the editor a subsystem for GetEditorSubsystem to find; the editor owns it.
	UNREALED_API void AddEditorSubsystem(UEditorEngine& Editor, TUniquePtr<UEditorSubsystem> Subsystem);
	// Destroys GEditor with its subsystems; GEditor becomes null.
	UNREALED_API void DestroyEditorEngine();
}
