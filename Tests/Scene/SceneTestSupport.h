// Copyright Vantle contributors. All Rights Reserved.
// Shared set-up of the scene tests: a clean scene and a fresh editor engine per test.
#pragma once

#include "CoreMinimal.h"
#include "Editor.h"
#include "Engine/World.h"
#include "GameFramework/Actor.h"
#include "HostScene.h"
#include "LevelSequence.h"
#include "LevelSequenceEditorBlueprintLibrary.h"
#include "MovieScene.h"
#include "MovieSceneObjectBindingID.h"

#include <gtest/gtest.h>

#include <string>

inline std::string ToStd(const FString& Text)
{
	return UE::Host::ToUtf8(Text);
}

inline FGuid GuidOf(const char* Digits)
{
	FGuid Guid;
	EXPECT_TRUE(FGuid::ParseExact(FString(Digits), EGuidFormats::Digits, Guid)) << Digits;
	return Guid;
}

// What the plugin gets for a binding of the focused sequence.
inline TArray<UObject*> BoundTo(const char* Digits)
{
	return ULevelSequenceEditorBlueprintLibrary::GetBoundObjects(UE::MovieScene::FRelativeObjectBindingID(GuidOf(Digits)));
}

// Paths inside the scene's world, each marked when it is not a live object.
inline std::string NamesOf(const TArray<UObject*>& Objects)
{
	std::string Names;
	for (const UObject* Object : Objects)
	{
		Names += (Names.empty() ? "" : ",") + ToStd(Object->GetPathName(UE::Host::GetSceneWorld()));
		Names += !IsValid(Object) ? " (garbage)" : Object->IsUnreachable() ? " (unreachable)" : "";
	}
	return Names;
}

class FSceneTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		UE::Host::ResetScene();
		UE::Host::CreateEditor();
	}

	void TearDown() override
	{
		UE::Host::ResetScene();
		UE::Host::DestroyEditor();
	}

	static void Load(const char* Json)
	{
		FString Error;
		ASSERT_TRUE(UE::Host::LoadSceneFromString(UE::Host::FromUtf8(Json), TEXT("Test.json"), Error)) << ToStd(Error);
	}

	static void LoadSample(const char* FileName)
	{
		FString Error;
		ASSERT_TRUE(UE::Host::LoadSceneFile(FString(VANTLE_SOURCE_DIR) / TEXT("Samples/Scenes") / FString(FileName), Error)) << ToStd(Error);
	}

	static ULevelSequence* Focused() { return ULevelSequenceEditorBlueprintLibrary::GetFocusedLevelSequence(); }
};
