// Copyright Vantle contributors. All Rights Reserved.
#include "SceneTestSupport.h"

#include "HostObjects.h"
#include "UObject/Package.h"

TEST(FObjectTest, NamesAreUniquePerOuterAndRenamesFailWithoutChange)
{
	UPackage Package;
	ASSERT_TRUE(Package.Rename(TEXT("/Game/Cinematics/Intro")));
	UObject Sequence;
	UObject Other;
	ASSERT_TRUE(Sequence.Rename(TEXT("Intro"), &Package));
	EXPECT_FALSE(Other.Rename(TEXT("INTRO"), &Package));
	EXPECT_EQ(Other.GetOuter(), nullptr);
	EXPECT_EQ(ToStd(Other.GetName()), "None");
	EXPECT_TRUE(Other.Rename(TEXT("Outro"), &Package, REN_Test));
	EXPECT_EQ(Other.GetOuter(), nullptr);
	EXPECT_FALSE(Package.Rename(nullptr, &Sequence));

	ASSERT_TRUE(Other.Rename(TEXT("Outro"), &Package));
	EXPECT_EQ(UE::Host::FindObjectByPath(nullptr, FString(TEXT("/game/cinematics/intro.outro"))), &Other);
	EXPECT_EQ(UE::Host::FindObjectByPath(&Package, FString(TEXT("Intro"))), &Sequence);
	EXPECT_EQ(UE::Host::FindObjectByPath(&Package, FString(TEXT("Intro."))), nullptr);
	// A renamed object is found under its new name only, and keeps its place in creation order.
	ASSERT_TRUE(Sequence.Rename(TEXT("Prologue")));
	EXPECT_EQ(UE::Host::FindObjectByPath(&Package, FString(TEXT("Intro"))), nullptr);
	const TArray<UObject*> Inside = UE::Host::GetObjectsWithOuterInOrder(&Package);
	ASSERT_EQ(Inside.Num(), 2);
	EXPECT_EQ(Inside[0], &Sequence);
	EXPECT_EQ(Inside[1], &Other);
}

TEST(FObjectTest, PathNamesUseTheEngineDelimiters)
{
	UPackage Package;
	UObject Sequence;
	UObject MovieScene;
	UObject Binding;
	ASSERT_TRUE(Package.Rename(TEXT("/Game/Cinematics/Intro")));
	ASSERT_TRUE(Sequence.Rename(TEXT("Intro"), &Package));
	ASSERT_TRUE(MovieScene.Rename(TEXT("MovieScene"), &Sequence));
	ASSERT_TRUE(Binding.Rename(TEXT("Binding"), &MovieScene));
	EXPECT_EQ(ToStd(Sequence.GetPathName()), "/Game/Cinematics/Intro.Intro");
	EXPECT_EQ(ToStd(Binding.GetPathName()), "/Game/Cinematics/Intro.Intro:MovieScene.Binding");
	EXPECT_EQ(ToStd(Binding.GetPathName(&Sequence)), "MovieScene.Binding");
	EXPECT_EQ(ToStd(Binding.GetPathName(&Binding)), "None");

	UPackage Folder;
	UObject Loose;
	ASSERT_TRUE(Folder.Rename(TEXT("/Game/")));
	ASSERT_TRUE(Loose.Rename(TEXT("Loose"), &Folder));
	EXPECT_EQ(ToStd(Loose.GetPathName()), "/Game/Loose");
	EXPECT_EQ(ToStd(Loose.GetName()), "Loose");
}

TEST(FObjectTest, LivenessFollowsTheInternalFlags)
{
	UObject Object;
	EXPECT_TRUE(IsValid(&Object));
	EXPECT_FALSE(IsValid(nullptr));
	Object.SetInternalFlags(EInternalObjectFlags::Unreachable);
	EXPECT_TRUE(IsValid(&Object));
	EXPECT_TRUE(Object.IsUnreachable());
	Object.MarkAsGarbage();
	EXPECT_FALSE(IsValid(&Object));
	Object.ClearGarbage();
	Object.ClearInternalFlags(EInternalObjectFlags::Unreachable);
	EXPECT_TRUE(IsValid(&Object));
	EXPECT_FALSE(Object.HasAnyInternalFlags(EInternalObjectFlags::Garbage | EInternalObjectFlags::Unreachable));
}

TEST(FObjectTest, ObjectsOutlivingTheirOuterBecomeNamelessTopLevelObjects)
{
	const int32 Before = UE::Host::GetObjectCount();
	UObject Child;
	{
		UObject Outer;
		ASSERT_TRUE(Outer.Rename(TEXT("ShortLived")));
		ASSERT_TRUE(Child.Rename(TEXT("Child"), &Outer));
		EXPECT_EQ(UE::Host::GetObjectCount(), Before + 2);
	}
	EXPECT_EQ(Child.GetOuter(), nullptr);
	EXPECT_EQ(ToStd(Child.GetPathName()), "None");
	EXPECT_EQ(UE::Host::FindObjectByPath(nullptr, FString(TEXT("ShortLived.Child"))), nullptr);
	EXPECT_EQ(UE::Host::GetObjectCount(), Before + 1);
}
