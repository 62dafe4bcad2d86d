// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "EditorSubsystem.h"
#include "Engine/Engine.h"
#include "Templates/UniquePtr.h"
#include "UObject/ObjectPtr.h"

class UWorld;

namespace UE::Host
{
	struct FEditorEngineAccess;
}

// The engine object of the editor: its level world, its play sessions and its subsystems.
class UEditorEngine : public UEngine
{
public:
	// The context of the level editor's world (never a play session's).
	UNREALED_API FWorldContext& GetEditorWorldContext(bool bEnsureIsGWorld = false);

	// The editor subsystem of that class; null when no loaded module provides one.
	template <typename TSubsystemClass>
	TSubsystemClass* GetEditorSubsystem() const
	{
		for (const TUniquePtr<UEditorSubsystem>& Subsystem : EditorSubsystems)
		{
			if (TSubsystemClass* Typed = dynamic_cast<TSubsystemClass*>(Subsystem.Get()))
			{
				return Typed;
			}
		}
		return nullptr;
	}

	// The world of the running Play-In-Editor or Simulate session; null while none runs.
	TObjectPtr<UWorld> PlayWorld;

private:
	friend struct UE::Host::FEditorEngineAccess;

	FWorldContext EditorWorldContext;
	TArray<TUniquePtr<UEditorSubsystem>> EditorSubsystems;
};
