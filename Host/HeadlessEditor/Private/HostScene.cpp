// Copyright Vantle contributors. All Rights Reserved.
#include "HostScene.h"

#include "Components/ActorComponent.h"
#include "Editor.h"
#include "Engine/World.h"
#include "GameFramework/Actor.h"
#include "HAL/FileManager.h"
#include "HostCore.h"
#include "HostCustomBinding.h"
#include "HostEditorEngine.h"
#include "HostLevelSequence.h"
#include "HostLevelSequenceEditor.h"
#include "HostObjects.h"
#include "HostSceneDescription.h"
#include "HostUniversalObjectLocator.h"
#include "LevelSequence.h"
#include "LevelSequenceEditorSubsystem.h"
#include "Misc/App.h"
#include "MovieScene.h"
#include "UObject/Package.h"

#include <string>

namespace UE::Host
{
	namespace
	{
		const TCHAR* const DefaultProjectName = TEXT("HeadlessProject");

		// Everything the open scene consists of. Objects are owned here in creation order and
		// destroyed newest first, so that nothing outlives its outer.
		struct FOpenScene
		{
			TArray<TUniquePtr<UObject>> Objects;
			UWorld* EditorWorld = nullptr;
			TUniquePtr<UWorld> PlayWorld;
			TArray<ULevelSequence*> Sequences;
			ULevelSequence* Focused = nullptr;
		};

		FOpenScene& GetScene()
		{
			static FOpenScene* Open = new FOpenScene();
			return *Open;
		}

		template <typename T>
		T* CreateObject(FOpenScene& Open, const FString& Name, UObject* Outer)
		{
			T* Object = new T();
			Open.Objects.Add(TUniquePtr<UObject>(Object));
			const bool bNamed = Object->Rename(*Name, Outer);
			check(bNamed);
			return Object;
		}

		// The object name an actor with that label gets: the label, or the label with the
		// engine's "_N" suffix when another object of the world already has it.
		FString MakeUniqueActorName(UWorld& World, const FString& Label)
		{
			FString Name = Label;
			for (int32 Suffix = 1; FindObjectByPath(&World, Name); ++Suffix)
			{
				Name = FString::Printf(TEXT("%s_%d"), *Label, Suffix);
			}
			return Name;
		}

		void SetFlags(UObject& Object, bool bGarbage, bool bUnreachable)
		{
			if (bGarbage)
			{
				Object.MarkAsGarbage();
			}
			if (bUnreachable)
			{
				Object.SetInternalFlags(EInternalObjectFlags::Unreachable);
			}
		}

		// Shows the scene's world and play session in the editor engine, when there is one.
		void SyncEditor()
		{
			if (GEditor)
			{
				FOpenScene& Open = GetScene();
				GEditor->GetEditorWorldContext().SetCurrentWorld(Open.EditorWorld);
				GEditor->PlayWorld = Open.PlayWorld.Get();
			}
		}

		void SetFocus(ULevelSequence* Sequence)
		{
			GetScene().Focused = Sequence;
			SetFocusedLevelSequence(Sequence);
		}

		void StartPlayWorld(FOpenScene& Open)
		{
			Open.PlayWorld.Reset(new UWorld());
			// Play-In-Editor duplicates the map under a prefixed name; the host's play world shares
			// the editor world's actors instead of copying them.
			Open.PlayWorld->Rename(*(TEXT("UEDPIE_0_") + Open.EditorWorld->GetMapName()));
		}

		AActor* AddActor(FOpenScene& Open, const Scene::FActorDescription& Description)
		{
			AActor* Actor = CreateObject<AActor>(Open, MakeUniqueActorName(*Open.EditorWorld, Description.Label), Open.EditorWorld);
			Actor->SetActorLabel(Description.Label);
			SetFlags(*Actor, Description.bGarbage, Description.bUnreachable);
			for (const Scene::FComponentDescription& Component : Description.Components)
			{
				SetFlags(*CreateObject<UActorComponent>(Open, Component.Name, Actor), Component.bGarbage, Component.bUnreachable);
			}
			return Actor;
		}

		UPackage* FindOrCreatePackage(FOpenScene& Open, const FString& PackageName)
		{
			if (UPackage* Existing = dynamic_cast<UPackage*>(FindObjectByPath(nullptr, PackageName)))
			{
				return Existing;
			}
			return CreateObject<UPackage>(Open, PackageName, nullptr);
		}

		ULevelSequence* AddSequence(FOpenScene& Open, const Scene::FSequenceDescription& Description)
		{
			ULevelSequence* Sequence = CreateObject<ULevelSequence>(Open, Description.ObjectName, FindOrCreatePackage(Open, Description.PackageName));
			SetExposesBindingReferences(*Sequence, Description.bBindingReferences);
			// Without a movie scene the bindings have nowhere to live; their references stay.
			UMovieScene* MovieScene = nullptr;
			if (Description.bMovieScene)
			{
				MovieScene = CreateObject<UMovieScene>(Open, TEXT("MovieScene"), Sequence);
				Sequence->MovieScene = MovieScene;
				for (const Scene::FPossessableDescription& Possessable : Description.Possessables)
				{
					FMovieScenePossessable Added(Possessable.Name, nullptr);
					Added.SetGuid(Possessable.Guid);
					Added.SetParent(Possessable.Parent, MovieScene);
					MovieScene->AddPossessable(Added, FMovieSceneBinding(Possessable.Guid));
				}
				for (const Scene::FSpawnableDescription& Spawnable : Description.Spawnables)
				{
					FMovieSceneSpawnable Added;
					Added.SetGuid(Spawnable.Guid);
					Added.SetName(Spawnable.Name);
					MovieScene->AddSpawnable(Added, FMovieSceneBinding(Spawnable.Guid));
				}
			}

			// Adding in GUID order appends every reference, instead of inserting into the middle.
			TArray<const Scene::FPossessableDescription*> ByGuid;
			for (const Scene::FPossessableDescription& Possessable : Description.Possessables)
			{
				ByGuid.Add(&Possessable);
			}
			ByGuid.Sort([](const Scene::FPossessableDescription* Lhs, const Scene::FPossessableDescription* Rhs) { return Lhs->Guid < Rhs->Guid; });
			FMovieSceneBindingReferences& References = GetStoredBindingReferences(*Sequence);
			int32 CustomCount = 0;
			for (const Scene::FPossessableDescription* Possessable : ByGuid)
			{
				if (Possessable->bCustom)
				{
					const FString Name = FString::Printf(TEXT("HostCustomBinding_%d"), CustomCount++);
					UObject* Outer = MovieScene ? static_cast<UObject*>(MovieScene) : Sequence;
					References.AddBinding(Possessable->Guid, CreateObject<UHostCustomBinding>(Open, Name, Outer));
				}
				for (const FString& Target : Possessable->BoundTo)
				{
					References.AddBinding(Possessable->Guid, MakeLocatorFromPath(Target));
				}
			}
			return Sequence;
		}

		void CloseScene()
		{
			FOpenScene& Open = GetScene();
			SetFocus(nullptr);
			Open.EditorWorld = nullptr;
			Open.PlayWorld.Reset();
			SyncEditor();
			Open.Sequences.Reset();
			while (!Open.Objects.IsEmpty())
			{
				Open.Objects.Pop();
			}
		}

		// Cannot fail: the description was checked completely before the old scene was closed.
		void BuildScene(const Scene::FSceneDescription& Description)
		{
			CloseScene();
			FOpenScene& Open = GetScene();
			FApp::SetProjectName(*Description.Project);
			if (Description.bHasWorld)
			{
				Open.EditorWorld = CreateObject<UWorld>(Open, Description.MapName, nullptr);
				for (const Scene::FActorDescription& Actor : Description.Actors)
				{
					AddActor(Open, Actor);
				}
			}
			for (const Scene::FSequenceDescription& Sequence : Description.Sequences)
			{
				Open.Sequences.Add(AddSequence(Open, Sequence));
			}
			SetFocus(Description.FocusIndex == INDEX_NONE ? nullptr : Open.Sequences[Description.FocusIndex]);
			if (Description.bPlayWorld)
			{
				StartPlayWorld(Open);
			}
			SyncEditor();
		}

		// Top-level objects the editor creates, possibly after the scene was loaded.
		const TCHAR* const ReservedTopLevelNames[] = {TEXT("EditorEngine_0"), TEXT("LevelSequenceEditorSubsystem_0")};

		// The names the scene creates at the top level (its world, its play world, its packages)
		// must be free once the open scene is closed: checked before anything is closed.
		bool CheckTopLevelNames(const Scene::FSceneDescription& Description, FString& OutError)
		{
			FOpenScene& Open = GetScene();
			TSet<const UObject*> Owned;
			for (const TUniquePtr<UObject>& Object : Open.Objects)
			{
				Owned.Add(Object.Get());
			}
			Owned.Add(Open.PlayWorld.Get());
			auto TakenBy = [&Owned](const UObject* Outer, const FString& Name) -> const UObject*
			{
				const UObject* Existing = FindObjectByPath(Outer, Name);
				return Existing && !Owned.Contains(Existing) ? Existing : nullptr;
			};
			auto Reserved = [](const FString& Name)
			{
				for (const TCHAR* Taken : ReservedTopLevelNames)
				{
					if (Name == Taken)
					{
						return true;
					}
				}
				return false;
			};
			const FString File = Scene::EscapeForMessage(Description.DisplayName);
			if (Description.bHasWorld)
			{
				if (Reserved(Description.MapName) || TakenBy(nullptr, Description.MapName))
				{
					OutError = File + TEXT(":") + Description.MapAt + TEXT(": the map name ") + Scene::QuoteForMessage(Description.MapName)
						+ TEXT(" is already the name of an object of the editor; choose another map name");
					return false;
				}
				const FString PlayName = TEXT("UEDPIE_0_") + Description.MapName;
				if (Reserved(PlayName) || TakenBy(nullptr, PlayName))
				{
					OutError = File + TEXT(":") + Description.MapAt + TEXT(": the map name ") + Scene::QuoteForMessage(Description.MapName)
						+ TEXT(" gives a Play-In-Editor world the name of an object of the editor; choose another map name");
					return false;
				}
			}
			for (const Scene::FSequenceDescription& Sequence : Description.Sequences)
			{
				const UObject* Package = TakenBy(nullptr, Sequence.PackageName);
				if (Reserved(Sequence.PackageName) || (Package && (!dynamic_cast<const UPackage*>(Package) || TakenBy(Package, Sequence.ObjectName))))
				{
					OutError = File + TEXT(":") + Sequence.PathAt + TEXT(": the sequence path ") + Scene::QuoteForMessage(Sequence.Path)
						+ TEXT(" is already taken by an object of the editor; choose another path");
					return false;
				}
			}
			return true;
		}

		bool LoadSceneBytes(const std::string& Bytes, const FString& DisplayName, FString& OutError)
		{
			Scene::FSceneDescription Description;
			return Scene::ReadSceneDescription(Bytes, DisplayName, Description, OutError) && OpenSceneDescription(Description, OutError);
		}

		bool IsLive(const UObject* Object)
		{
			return IsValid(Object) && !Object->IsUnreachable();
		}
	}

	bool OpenSceneDescription(const Scene::FSceneDescription& Description, FString& OutError)
	{
		if (!CheckTopLevelNames(Description, OutError))
		{
			return false;
		}
		BuildScene(Description);
		return true;
	}

	bool LoadSceneFile(const FString& Path, FString& OutError)
	{
		const FString File = Scene::EscapeForMessage(Path);
		IFileManager& FileManager = IFileManager::Get();
		if (FileManager.DirectoryExists(*Path))
		{
			OutError = File + TEXT(": is a folder, not a scene file");
			return false;
		}
		const int64 Size = FileManager.FileSize(*Path);
		if (Size < 0)
		{
			OutError = File + TEXT(": cannot open the scene file");
			return false;
		}
		if (Size > MaxSceneFileBytes)
		{
			OutError = FString::Printf(TEXT("%s: the scene file is %lld bytes; scene files are limited to %lld bytes"), *File, static_cast<long long>(Size),
				static_cast<long long>(MaxSceneFileBytes));
			return false;
		}
		std::string Bytes;
		if (!ReadFileBytes(*Path, Bytes))
		{
			OutError = File + TEXT(": cannot read the scene file");
			return false;
		}
		return LoadSceneBytes(Bytes, Path, OutError);
	}

	bool LoadSceneFromString(const FString& Json, const FString& DisplayName, FString& OutError)
	{
		return LoadSceneBytes(ToUtf8(Json), DisplayName, OutError);
	}

	void ResetScene()
	{
		CloseScene();
		FApp::SetProjectName(DefaultProjectName);
	}

	bool FocusSequence(const FString& PathOrEmpty, FString& OutError)
	{
		if (PathOrEmpty.IsEmpty())
		{
			SetFocus(nullptr);
			return true;
		}
		ULevelSequence* Sequence = FindSceneSequence(PathOrEmpty);
		if (!Sequence)
		{
			OutError = TEXT("no sequence has the path ") + Scene::QuoteForMessage(PathOrEmpty);
			return false;
		}
		SetFocus(Sequence);
		return true;
	}

	bool SetPlayInEditor(bool bRunning)
	{
		FOpenScene& Open = GetScene();
		if (bRunning == Open.PlayWorld.IsValid())
		{
			return true;
		}
		if (bRunning && !Open.EditorWorld)
		{
			return false;
		}
		if (bRunning)
		{
			StartPlayWorld(Open);
		}
		else
		{
			Open.PlayWorld.Reset();
		}
		SyncEditor();
		return true;
	}

	bool SpawnActor(const FString& Label, FString& OutError)
	{
		FOpenScene& Open = GetScene();
		if (!Open.EditorWorld)
		{
			OutError = TEXT("cannot spawn an actor: the scene has no world");
			return false;
		}
		const FString Problem = Scene::CheckObjectName(Label, TEXT("actor label"));
		if (!Problem.IsEmpty())
		{
			OutError = TEXT("cannot spawn an actor: ") + Problem;
			return false;
		}
		Scene::FActorDescription Description;
		Description.Label = Label;
		AddActor(Open, Description);
		return true;
	}

	bool DestroyActor(const FString& Label, FString& OutError)
	{
		FOpenScene& Open = GetScene();
		if (!Open.EditorWorld)
		{
			OutError = TEXT("cannot destroy an actor: the scene has no world");
			return false;
		}
		AActor* Newest = nullptr;
		for (UObject* Object : GetObjectsWithOuterInOrder(Open.EditorWorld))
		{
			AActor* Actor = dynamic_cast<AActor*>(Object);
			if (Actor && IsLive(Actor) && Actor->GetActorLabel() == Label)
			{
				Newest = Actor;
			}
		}
		if (!Newest)
		{
			OutError = TEXT("no live actor is labelled ") + Scene::QuoteForMessage(Label);
			return false;
		}
		// The object stays in memory, flagged, as a destroyed actor does until garbage collection.
		Newest->MarkAsGarbage();
		for (UObject* Component : GetObjectsWithOuterInOrder(Newest))
		{
			Component->MarkAsGarbage();
		}
		return true;
	}

	void CreateEditor()
	{
		if (GEditor)
		{
			return;
		}
		UEditorEngine* Editor = CreateEditorEngine();
		TUniquePtr<UEditorSubsystem> Subsystem(new ULevelSequenceEditorSubsystem());
		Subsystem->Rename(TEXT("LevelSequenceEditorSubsystem_0"));
		AddEditorSubsystem(*Editor, std::move(Subsystem));
		SyncEditor();
	}

	void DestroyEditor()
	{
		DestroyEditorEngine();
	}

	UWorld* GetSceneWorld()
	{
		return GetScene().EditorWorld;
	}

	UWorld* GetScenePlayWorld()
	{
		return GetScene().PlayWorld.Get();
	}

	bool IsPlayInEditor()
	{
		return GetScene().PlayWorld.IsValid();
	}

	TArray<ULevelSequence*> GetSceneSequences()
	{
		return GetScene().Sequences;
	}

	ULevelSequence* FindSceneSequence(const FString& Path)
	{
		for (ULevelSequence* Sequence : GetScene().Sequences)
		{
			if (Sequence->GetPathName() == Path)
			{
				return Sequence;
			}
		}
		return nullptr;
	}

	ULevelSequence* GetSceneFocusedSequence()
	{
		return GetScene().Focused;
	}

	AActor* FindSceneActor(const FString& Label)
	{
		AActor* Newest = nullptr;
		if (UWorld* World = GetScene().EditorWorld)
		{
			for (UObject* Object : GetObjectsWithOuterInOrder(World))
			{
				AActor* Actor = dynamic_cast<AActor*>(Object);
				if (Actor && Actor->GetActorLabel() == Label)
				{
					Newest = Actor;
				}
			}
		}
		return Newest;
	}

	int32 GetFixActorReferencesCount()
	{
		return GetFixActorReferencesCallCount();
	}

	TArray<UObject*> ResolveSceneBinding(const FString& SequencePath, const FGuid& Guid)
	{
		TArray<UObject*> Result;
		const ULevelSequence* Sequence = FindSceneSequence(SequencePath);
		if (Sequence && GetScene().EditorWorld)
		{
			ResolveBinding(*Sequence, Guid, GetScene().EditorWorld, Result);
		}
		return Result;
	}
}
