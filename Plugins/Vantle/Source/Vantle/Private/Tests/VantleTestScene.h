// Copyright 2026 Vantle contributors. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"

#if WITH_DEV_AUTOMATION_TESTS

#include "Components/SceneComponent.h"
#include "Editor.h"
#include "Editor/EditorEngine.h"
#include "Engine/Engine.h"
#include "Engine/World.h"
#include "GameFramework/Actor.h"
#include "HAL/CriticalSection.h"
#include "LevelSequence.h"
#include "LevelSequenceEditorBlueprintLibrary.h"
#include "Misc/Guid.h"
#include "Misc/OutputDevice.h"
#include "Misc/OutputDeviceRedirector.h"
#include "Misc/ScopeLock.h"
#include "Modules/ModuleManager.h"
#include "MovieScene.h"
#include "MovieScenePossessable.h"
#include "UObject/Object.h"
#include "UObject/ObjectMacros.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"
#include "VantleModule.h"

namespace Vantle::Tests
{
	// What a test builds in the open editor: transient actors in the editor world and a transient
	// Level Sequence open in Sequencer. Close() removes all of it and reopens what Sequencer had.
	class FTestScene
	{
	public:
		void Begin()
		{
			PreviousSequence = ULevelSequenceEditorBlueprintLibrary::GetFocusedLevelSequence();
			World = GEditor ? GEditor->GetEditorWorldContext().World() : nullptr;
			Sequence = NewObject<ULevelSequence>(GetTransientPackage(), NAME_None, RF_Transient);
			Sequence->Initialize();
		}

		AActor* Spawn(const TCHAR* Label)
		{
			FActorSpawnParameters Parameters;
			Parameters.ObjectFlags = RF_Transient;
			AActor* Actor = World->SpawnActor<AActor>(Parameters);
			Actor->SetActorLabel(Label, false);
			Actors.Add(Actor);
			return Actor;
		}

		// A new possessable named Name; bound to Object, found from Context, when Object is given.
		FGuid AddBinding(const TCHAR* Name, UObject* Object = nullptr, UObject* Context = nullptr)
		{
			const FGuid Guid = Sequence->GetMovieScene()->AddPossessable(Name, AActor::StaticClass());
			if (Object)
			{
				Sequence->BindPossessableObject(Guid, *Object, Context ? Context : World);
			}
			return Guid;
		}

		// A component binding under Parent, bound to Component inside ParentActor.
		FGuid AddChildBinding(const TCHAR* Name, const FGuid& Parent, USceneComponent* Component = nullptr, AActor* ParentActor = nullptr)
		{
			UMovieScene* MovieScene = Sequence->GetMovieScene();
			const FGuid Guid = MovieScene->AddPossessable(Name, USceneComponent::StaticClass());
			MovieScene->FindPossessable(Guid)->SetParent(Parent, MovieScene);
			if (Component)
			{
				Sequence->BindPossessableObject(Guid, *Component, ParentActor);
			}
			return Guid;
		}

		void Open()
		{
			ULevelSequenceEditorBlueprintLibrary::OpenLevelSequence(Sequence);
		}

		void Close()
		{
			if (ULevelSequenceEditorBlueprintLibrary::GetFocusedLevelSequence() == Sequence)
			{
				ULevelSequenceEditorBlueprintLibrary::Close();
			}
			if (PreviousSequence && ULevelSequenceEditorBlueprintLibrary::GetFocusedLevelSequence() == nullptr)
			{
				ULevelSequenceEditorBlueprintLibrary::OpenLevelSequence(PreviousSequence);
			}
			for (AActor* Actor : Actors)
			{
				if (IsValid(Actor))
				{
					Actor->Destroy();
				}
			}
			Actors.Reset();
			Sequence = nullptr;
			PreviousSequence = nullptr;
		}

		static FVantleModule& Module()
		{
			return FModuleManager::GetModuleChecked<FVantleModule>(TEXT("Vantle"));
		}

		UWorld* World = nullptr;
		ULevelSequence* Sequence = nullptr;

	private:
		ULevelSequence* PreviousSequence = nullptr;
		TArray<AActor*> Actors;
	};

	// Collects the lines the log receives while it is attached, on whatever thread they come.
	class FLogLines : public FOutputDevice
	{
	public:
		FLogLines() { GLog->AddOutputDevice(this); }
		virtual ~FLogLines() override { GLog->RemoveOutputDevice(this); }

		virtual void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category) override
		{
			FScopeLock Guard(&Lock);
			Lines.Add(Category.ToString() + TEXT(": ") + V);
		}
		// Called on the logging thread itself, so a line is here as soon as it is written.
		virtual bool CanBeUsedOnMultipleThreads() const override { return true; }

		// The lines that contain Text, joined with line breaks.
		FString Matching(const TCHAR* Text)
		{
			FScopeLock Guard(&Lock);
			TArray<FString> Found;
			for (const FString& Line : Lines)
			{
				if (Line.Contains(Text))
				{
					Found.Add(Line);
				}
			}
			return FString::Join(Found, TEXT("\n"));
		}

	private:
		FCriticalSection Lock;
		TArray<FString> Lines;
	};
}

#endif
