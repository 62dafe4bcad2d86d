// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "UObject/Object.h"

// Base of the editor's subsystems: created with the editor engine, living as long as it does,
// and found through UEditorEngine::GetEditorSubsystem. (The engine puts UDynamicSubsystem
// between this and UObject; nothing the host re-creates calls into it.)
class UEditorSubsystem : public UObject
{
};
