// Copyright 2026 Vantle contributors. All Rights Reserved.
// The host's automation framework reports a failure as a failure: the plugin's automation tests
// are only as good as this.
#include "HostCore.h"
#include "Misc/AutomationTest.h"

#include <gtest/gtest.h>

#include <thread>

DEFINE_LOG_CATEGORY_STATIC(LogFrameworkProbe, Log, All);

namespace
{
	TArray<FString> GSteps;
}

BEGIN_DEFINE_SPEC(FFrameworkProbeSpec, "Probe.Bdd", EAutomationTestFlags::EditorContext | EAutomationTestFlags::EngineFilter)
END_DEFINE_SPEC(FFrameworkProbeSpec)

void FFrameworkProbeSpec::Define()
{
	Describe("Failing", [this]()
		{
			BeforeEach([this]() { AddError(TEXT("set-up failed")); });
			It("Skipped", [this]() { GSteps.Add(TEXT("it")); });
			AfterEach([this]() { GSteps.Add(TEXT("after")); });
		});
	LatentIt("NeverDone", FTimespan::FromSeconds(0.05), [](const FDoneDelegate&) {});
	LatentIt("DoneLater", [](const FDoneDelegate& Done) { GSteps.Add(TEXT("started")); Done.Execute(); });
	It("LogsAnError", []() { UE_LOG(LogFrameworkProbe, Error, TEXT("boom")); });
	It("ExpectsTheError", [this]()
		{
			AddExpectedError(TEXT("bo+m"));
			UE_LOG(LogFrameworkProbe, Error, TEXT("boom"));
		});
	It("ExpectsAnErrorThatNeverComes", [this]() { AddExpectedError(TEXT("silence"), EAutomationExpectedErrorFlags::Contains, 1, false); });
}

namespace
{
	// Runs one test the way the editor's runner does: start, latent commands once a frame, stop.
	FAutomationTestExecutionInfo RunProbe(const FString& FullPath, bool& bPassed)
	{
		TArray<FAutomationTestInfo> Tests;
		FAutomationTestFramework::Get().GetValidTestNames(Tests);
		const FAutomationTestInfo* Info = Tests.FindByPredicate([&](const FAutomationTestInfo& Test) { return Test.GetFullTestPath() == FullPath; });
		FAutomationTestExecutionInfo Result;
		if (!Info)
		{
			ADD_FAILURE() << "no test " << UE::Host::ToUtf8(FullPath);
			return Result;
		}
		FAutomationTestFramework::Get().StartTestByName(Info->GetTestName(), Info->GetTestParameter());
		while (!FAutomationTestFramework::Get().ExecuteLatentCommands())
		{
			std::this_thread::sleep_for(std::chrono::milliseconds(5));
		}
		bPassed = FAutomationTestFramework::Get().StopTest(Result);
		return Result;
	}

	FString Errors(const FAutomationTestExecutionInfo& Info)
	{
		TArray<FString> Messages;
		for (const FAutomationExecutionEntry& Entry : Info.Entries)
		{
			if (Entry.Event.Type == EAutomationEventType::Error)
			{
				Messages.Add(Entry.Event.Message);
			}
		}
		return FString::Join(Messages, TEXT("|"));
	}
}

TEST(AutomationFramework, FailuresAreReportedAndCleanUpStillRuns)
{
	GSteps.Reset();
	bool bPassed = true;
	EXPECT_EQ(UE::Host::ToUtf8(Errors(RunProbe(TEXT("Probe.Bdd.Failing.Skipped"), bPassed))), "set-up failed");
	EXPECT_FALSE(bPassed);
	EXPECT_EQ(UE::Host::ToUtf8(FString::Join(GSteps, TEXT(","))), "after");

	EXPECT_EQ(UE::Host::ToUtf8(Errors(RunProbe(TEXT("Probe.Bdd.NeverDone"), bPassed))), "Latent command timed out.");
	EXPECT_FALSE(bPassed);
	EXPECT_EQ(UE::Host::ToUtf8(Errors(RunProbe(TEXT("Probe.Bdd.LogsAnError"), bPassed))), "LogFrameworkProbe: boom");
	EXPECT_FALSE(bPassed);
	EXPECT_EQ(UE::Host::ToUtf8(Errors(RunProbe(TEXT("Probe.Bdd.ExpectsAnErrorThatNeverComes"), bPassed))),
		"Expected Error or Warning matching 'silence' to occur 1 times with Contains match type, but it was found 0 time(s).");
	EXPECT_FALSE(bPassed);

	EXPECT_EQ(UE::Host::ToUtf8(Errors(RunProbe(TEXT("Probe.Bdd.ExpectsTheError"), bPassed))), "");
	EXPECT_TRUE(bPassed);
	EXPECT_EQ(UE::Host::ToUtf8(Errors(RunProbe(TEXT("Probe.Bdd.DoneLater"), bPassed))), "");
	EXPECT_TRUE(bPassed);
	EXPECT_EQ(UE::Host::ToUtf8(FString::Join(GSteps, TEXT(","))), "after,started");
}
