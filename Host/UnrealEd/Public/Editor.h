// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Editor/EditorEngine.h"

// The running editor engine; null when the engine runs without the editor.
extern UNREALED_API class UEditorEngine* GEditor;
