// Copyright 2026 Vantle contributors. All Rights Reserved.
#include "CoreMinimal.h"

#if WITH_DEV_AUTOMATION_TESTS

#include "HAL/IConsoleManager.h"
#include "Input/Reply.h"
#include "Misc/AutomationTest.h"
#include "VantleTestScene.h"

BEGIN_DEFINE_SPEC(FVantleRepairTests, "Vantle.Repair", EAutomationTestFlags::EditorContext | EAutomationTestFlags::ProductFilter)
	Vantle::Tests::FTestScene Scene;
	FString MessageBefore;
	const TCHAR* const ReviewMessage = TEXT("Repair finished. Review remaining bindings below; manual assignment may be needed.");

	FString RepairLine(int32 Checked, int32 Missing)
	{
		return FString::Printf(TEXT("LogTemp: Vantle repair: %s; checked=%d missing=%d uncertain=0"), *Scene.Sequence->GetPathName(), Checked, Missing);
	}
END_DEFINE_SPEC(FVantleRepairTests)

void FVantleRepairTests::Define()
{
	BeforeEach([this]()
		{
			Scene.Begin();
			MessageBefore = Vantle::Tests::FTestScene::Module().StatusMessage;
		});
	AfterEach([this]()
		{
			Scene.Close();
			Vantle::Tests::FTestScene::Module().RefreshReport();
			Vantle::Tests::FTestScene::Module().StatusMessage = MessageBefore;
		});

	It("CheckAgainRefreshesAndSaysSoWithoutASequence", [this]()
		{
			FVantleModule& Module = Vantle::Tests::FTestScene::Module();
			ULevelSequenceEditorBlueprintLibrary::Close();
			Module.Report.SequencePath = TEXT("stale");
			Module.CheckAgain();
			TestEqual(TEXT("sequence path"), Module.Report.SequencePath, TEXT(""));
			TestEqual(TEXT("message"), Module.StatusMessage, TEXT("Status updated. No assets changed."));
		});

	It("TheConsoleCommandWithoutASequenceChangesNothing", [this]()
		{
			FVantleModule& Module = Vantle::Tests::FTestScene::Module();
			ULevelSequenceEditorBlueprintLibrary::Close();
			Module.StatusMessage = TEXT("before");
			Vantle::Tests::FLogLines Log;
			TestTrue(TEXT("command handled"), IConsoleManager::Get().ProcessUserConsoleInput(TEXT("Vantle.FixReferences"), *GLog, Scene.World));
			TestEqual(TEXT("message"), Module.StatusMessage, TEXT("before"));
			TestFalse(TEXT("can fix"), Module.CanFixReferences());
			TestEqual(TEXT("repair lines"), Log.Matching(TEXT("Vantle repair:")), TEXT(""));
		});

	It("ARepairThatResolvesEverythingSaysSoAndLogsTheFullPath", [this]()
		{
			FVantleModule& Module = Vantle::Tests::FTestScene::Module();
			AActor* Old = Scene.Spawn(TEXT("VantleTestKnight"));
			Scene.AddBinding(TEXT("VantleTestKnight"), Old);
			Old->Destroy();
			Scene.Spawn(TEXT("vantletestknight"));
			Scene.Open();
			Module.RefreshReport();
			TestTrue(TEXT("missing before the repair"), Module.Report.State == EBindingReportState::HasMissing);
			TestTrue(TEXT("can fix"), Module.CanFixReferences());
			Vantle::Tests::FLogLines Log;
			Module.FixReferences();
			TestTrue(TEXT("verdict is AllResolved"), Module.Report.State == EBindingReportState::AllResolved);
			TestEqual(TEXT("message"), Module.StatusMessage, TEXT("Checked again: all map bindings resolve. Save the sequence when ready."));
			TestEqual(TEXT("repair lines"), Log.Matching(TEXT("Vantle repair:")), RepairLine(1, 0));
		});

	It("RemainingProblemsGetTheReviewMessage", [this]()
		{
			FVantleModule& Module = Vantle::Tests::FTestScene::Module();
			Scene.AddBinding(TEXT("VantleTestNobody"));
			Scene.AddBinding(TEXT("Hero"), Scene.Spawn(TEXT("VantleTestHero")));
			Scene.Open();
			Vantle::Tests::FLogLines Log;
			TestTrue(TEXT("command handled"), IConsoleManager::Get().ProcessUserConsoleInput(TEXT("Vantle.FixReferences"), *GLog, Scene.World));
			TestEqual(TEXT("message"), Module.StatusMessage, ReviewMessage);
			TestEqual(TEXT("repair lines"), Log.Matching(TEXT("Vantle repair:")), RepairLine(2, 1));
		});

	It("ASequenceWithNothingToCheckGetsTheReviewMessage", [this]()
		{
			FVantleModule& Module = Vantle::Tests::FTestScene::Module();
			Scene.Open();
			Module.FixReferences();
			TestTrue(TEXT("verdict is Empty"), Module.Report.State == EBindingReportState::Empty);
			TestEqual(TEXT("message"), Module.StatusMessage, ReviewMessage);
		});

	It("TheRepairLineFollowsTheCategoryVerbosity", [this]()
		{
			FVantleModule& Module = Vantle::Tests::FTestScene::Module();
			Scene.AddBinding(TEXT("Hero"), Scene.Spawn(TEXT("VantleTestHero")));
			Scene.Open();
			const ELogVerbosity::Type Verbosity = LogTemp.GetVerbosity();
			LogTemp.SetVerbosity(ELogVerbosity::Warning);
			Vantle::Tests::FLogLines Log;
			Module.FixReferences();
			LogTemp.SetVerbosity(Verbosity);
			TestEqual(TEXT("message"), Module.StatusMessage, TEXT("Checked again: all map bindings resolve. Save the sequence when ready."));
			TestEqual(TEXT("repair lines"), Log.Matching(TEXT("Vantle repair:")), TEXT(""));
		});
}

#endif
