// Copyright Vantle contributors. All Rights Reserved.
// A scene file, checked and read into plain values: what building the scene needs, before any
// object of it exists.
#pragma once

#include "CoreMinimal.h"

#include <string_view>

namespace UE::Host::Scene
{
	struct FComponentDescription
	{
		FString Name;
		bool bGarbage = false;
		bool bUnreachable = false;
	};

	struct FActorDescription
	{
		FString Label;
		bool bGarbage = false;
		bool bUnreachable = false;
		TArray<FComponentDescription> Components;
	};

	struct FPossessableDescription
	{
		FGuid Guid;
		FString Name;
		FGuid Parent;
		TArray<FString> BoundTo;
		bool bCustom = false;
	};

	struct FSpawnableDescription
	{
		FGuid Guid;
		FString Name;
	};

	struct FSequenceDescription
	{
		FString Path;
		// "/Game/Cinematics/Intro" for "/Game/Cinematics/Intro.Intro"; "/Game/" for "/Game/Intro".
		FString PackageName;
		FString ObjectName;
		bool bMovieScene = true;
		bool bBindingReferences = true;
		TArray<FPossessableDescription> Possessables;
		TArray<FSpawnableDescription> Spawnables;
	};

	struct FSceneDescription
	{
		FString Project = TEXT("HeadlessProject");
		bool bHasWorld = false;
		FString MapName;
		TArray<FActorDescription> Actors;
		TArray<FSequenceDescription> Sequences;
		// Index into Sequences; INDEX_NONE for no focus.
		int32 FocusIndex = INDEX_NONE;
		bool bPlayWorld = false;
	};

	// Reads UTF-8 scene text. False with OutError "DisplayName:line:column: message" when the text
	// is not a valid scene.
	bool ReadSceneDescription(std::string_view Text, const FString& DisplayName, FSceneDescription& Out, FString& OutError);
	// An actor label or object name scene files can use: not empty, no '.' or ':' (they separate
	// the names of a path). Empty result when usable, otherwise why not.
	FString CheckObjectName(const FString& Name);
}
