// Copyright 2026 Vantle contributors. All Rights Reserved.
#include "CoreMinimal.h"

#if WITH_DEV_AUTOMATION_TESTS

#include "BindingReport.h"
#include "Containers/Ticker.h"
#include "Misc/AutomationTest.h"
#include "Misc/Timespan.h"
#include "VantleTestScene.h"

BEGIN_DEFINE_SPEC(FVantleBindingCheckTests, "Vantle.BindingCheck", EAutomationTestFlags::EditorContext | EAutomationTestFlags::ProductFilter)
	Vantle::Tests::FTestScene Scene;
	// A ticker a latent test waits with; removed after every test, so a time-out leaves none behind.
	FTSTicker::FDelegateHandle WaitTicker;
END_DEFINE_SPEC(FVantleBindingCheckTests)

void FVantleBindingCheckTests::Define()
{
	BeforeEach([this]() { Scene.Begin(); });
	AfterEach([this]()
		{
			FTSTicker::RemoveTicker(WaitTicker);
			Scene.Close();
		});

	It("ASequenceWithoutBindingsIsNamedButEmptyAndNoneKeepsTheMapName", [this]()
		{
			Scene.Open();
			FBindingReport Report = CheckFocusedSequence();
			TestTrue(TEXT("verdict is Empty"), Report.State == EBindingReportState::Empty);
			TestEqual(TEXT("sequence name"), Report.SequenceName, Scene.Sequence->GetName());
			TestEqual(TEXT("sequence path"), Report.SequencePath, Scene.Sequence->GetPathName());
			TestEqual(TEXT("checked"), Report.CheckedCount, 0);
			ULevelSequenceEditorBlueprintLibrary::Close();
			Report = CheckFocusedSequence();
			TestTrue(TEXT("verdict without a sequence is Empty"), Report.State == EBindingReportState::Empty);
			TestEqual(TEXT("sequence path without a sequence"), Report.SequencePath, TEXT(""));
			TestEqual(TEXT("sequence name without a sequence"), Report.SequenceName, TEXT(""));
			TestEqual(TEXT("map name"), Report.MapName, Scene.World->GetMapName());
		});

	It("CountsEveryOrdinaryBindingAndListsTheMissingInOrder", [this]()
		{
			AActor* Hero = Scene.Spawn(TEXT("VantleTestHero"));
			AActor* Door = Scene.Spawn(TEXT("VantleTestDoor"));
			AActor* Lamp = Scene.Spawn(TEXT("VantleTestLamp"));
			Scene.AddBinding(TEXT("Hero"), Hero);
			Scene.AddBinding(TEXT("Lamp"));
			Scene.AddBinding(TEXT("Door"), Door);
			Scene.AddBinding(TEXT("Lamp"), Lamp);
			// A destroyed actor still exists until garbage collection, but it is not live.
			Lamp->Destroy();
			Scene.Open();
			const FBindingReport Report = CheckFocusedSequence();
			TestTrue(TEXT("verdict is HasMissing"), Report.State == EBindingReportState::HasMissing);
			TestEqual(TEXT("checked"), Report.CheckedCount, 4);
			TestEqual(TEXT("missing names"), FString::Join(Report.MissingNames, TEXT(",")), TEXT("Lamp,Lamp"));
			TestEqual(TEXT("uncertain names"), FString::Join(Report.UncertainNames, TEXT(",")), TEXT(""));
		});

	It("AnActorWithItsComponentResolves", [this]()
		{
			AActor* Hero = Scene.Spawn(TEXT("VantleTestHero"));
			USceneComponent* Camera = NewObject<USceneComponent>(Hero, FName(TEXT("Camera")), RF_Transient);
			const FGuid HeroBinding = Scene.AddBinding(TEXT("Hero"), Hero);
			Scene.AddChildBinding(TEXT("Camera"), HeroBinding, Camera, Hero);
			Scene.Open();
			const FBindingReport Report = CheckFocusedSequence();
			TestTrue(TEXT("verdict is AllResolved"), Report.State == EBindingReportState::AllResolved);
			TestEqual(TEXT("checked"), Report.CheckedCount, 2);
			TestEqual(TEXT("missing names"), FString::Join(Report.MissingNames, TEXT(",")), TEXT(""));
		});

	It("AComponentIsMissingByItsOwnBindingAndCountsOnItsOwn", [this]()
		{
			AActor* Hero = Scene.Spawn(TEXT("VantleTestHero"));
			AActor* Gone = Scene.Spawn(TEXT("VantleTestGone"));
			USceneComponent* GoneCamera = NewObject<USceneComponent>(Gone, FName(TEXT("Camera")), RF_Transient);
			const FGuid HeroBinding = Scene.AddBinding(TEXT("Hero"), Hero);
			Scene.AddChildBinding(TEXT("HeroCamera"), HeroBinding);
			const FGuid GoneBinding = Scene.AddBinding(TEXT("Gone"), Gone);
			Scene.AddChildBinding(TEXT("GoneCamera"), GoneBinding, GoneCamera, Gone);
			// A parent GUID that names no binding ends the walk: the binding stays ordinary.
			Scene.AddChildBinding(TEXT("Orphan"), FGuid::NewGuid());
			Gone->Destroy();
			Scene.Open();
			const FBindingReport Report = CheckFocusedSequence();
			TestEqual(TEXT("checked"), Report.CheckedCount, 5);
			TestEqual(TEXT("missing names"), FString::Join(Report.MissingNames, TEXT(",")), TEXT("HeroCamera,Gone,GoneCamera,Orphan"));
			TestEqual(TEXT("uncertain names"), FString::Join(Report.UncertainNames, TEXT(",")), TEXT(""));
		});

	LatentIt("TheModuleTickRefreshesTheReport", FTimespan::FromSeconds(5.0), [this](const FDoneDelegate& Done)
		{
			Scene.AddBinding(TEXT("Lost"));
			Scene.Open();
			const FString Path = Scene.Sequence->GetPathName();
			WaitTicker = FTSTicker::GetCoreTicker().AddTicker(FTickerDelegate::CreateLambda([Path, Done](float)
				{
					const FBindingReport& Report = Vantle::Tests::FTestScene::Module().Report;
					if (Report.SequencePath != Path || Report.MissingNames.Num() != 1)
					{
						return true;
					}
					Done.Execute();
					return false;
				}));
		});
}

#endif
