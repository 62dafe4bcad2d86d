// Copyright Vantle contributors. All Rights Reserved.
#include "Editor.h"
#include "HostEditorEngine.h"

UEditorEngine* GEditor = nullptr;

FWorldContext& UEditorEngine::GetEditorWorldContext(bool bEnsureIsGWorld)
{
	return EditorWorldContext;
}

namespace UE::Host
{
	struct FEditorEngineAccess
	{
		static void AddSubsystem(UEditorEngine& Editor, TUniquePtr<UEditorSubsystem> Subsystem)
		{
			Editor.EditorSubsystems.Add(std::move(Subsystem));
		}

		static void DestroySubsystems(UEditorEngine& Editor)
		{
			// Newest first, as the editor deinitializes its subsystems.
			while (!Editor.EditorSubsystems.IsEmpty())
			{
				Editor.EditorSubsystems.Pop();
			}
		}
	};

	UEditorEngine* CreateEditorEngine()
	{
		if (!GEditor)
		{
			GEditor = new UEditorEngine();
			GEditor->Rename(TEXT("EditorEngine_0"));
		}
		return GEditor;
	}

	void AddEditorSubsystem(UEditorEngine& Editor, TUniquePtr<UEditorSubsystem> Subsystem)
	{
		if (Subsystem)
		{
			Subsystem->Rename(nullptr, &Editor);
			FEditorEngineAccess::AddSubsystem(Editor, std::move(Subsystem));
		}
	}

	void DestroyEditorEngine()
	{
		UEditorEngine* Editor = GEditor;
		GEditor = nullptr;
		if (Editor)
		{
			FEditorEngineAccess::DestroySubsystems(*Editor);
			delete Editor;
		}
	}
}
