// Copyright Vantle contributors. All Rights Reserved.
// Host-only: a scene file, checked and read into plain values, before any object of it exists.
// Reading touches no editor state, so it serves the headless editor, the tests and the fuzzer
// alike; HostScene.h opens a description in the editor. The plugin never includes this header.
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
		// Below the world for a top-level binding ("Hero", "Hero.Camera"); one object name inside
		// the parent's object for a child ("Camera").
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
		// "line:column" of the path in the file, for errors found when the scene is opened.
		FString PathAt;
		bool bMovieScene = true;
		bool bBindingReferences = true;
		TArray<FPossessableDescription> Possessables;
		TArray<FSpawnableDescription> Spawnables;
	};

	struct FSceneDescription
	{
		// The file name errors start with.
		FString DisplayName;
		FString Project = TEXT("HeadlessProject");
		bool bHasWorld = false;
		FString MapName;
		// "line:column" of the world (or of its map name) in the file.
		FString MapAt;
		TArray<FActorDescription> Actors;
		TArray<FSequenceDescription> Sequences;
		// Index into Sequences; INDEX_NONE for no focus.
		int32 FocusIndex = INDEX_NONE;
		bool bPlayWorld = false;
	};

	// Reads the bytes of a whole scene file: UTF-8 with or without a byte-order mark. False with
	// OutError "DisplayName:line:column: message" (one line) when they are not a valid scene;
	// Out is then left as it was.
	bool ReadSceneDescription(std::string_view Bytes, const FString& DisplayName, FSceneDescription& Out, FString& OutError);
	// Whether a name, label or path can name an object: not empty, no control character, and
	// (unless bPath) no '.' or ':', which separate the names of a path. Empty result when usable,
	// otherwise why not, naming it as What ("actor label").
	FString CheckObjectName(const FString& Name, const TCHAR* What, bool bPath = false);
	// Text quoted for a one-line message: the quote character, backslash and every control or
	// line-separating character escaped as in JSON.
	FString QuoteForMessage(const FString& Text, TCHAR Quote = u'"');
	// The same escaping without the quotes (for file names).
	FString EscapeForMessage(const FString& Text);
}
