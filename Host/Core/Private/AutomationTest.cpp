// Copyright 2026 Vantle contributors. All Rights Reserved.
#include "Misc/AutomationTest.h"

#include "HAL/PlatformTime.h"
#include "HostCore.h"
#include "Misc/OutputDeviceRedirector.h"

#include <algorithm>
#include <atomic>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <regex>

int32 FAutomationTestExecutionInfo::GetErrorTotal() const
{
	int32 Total = 0;
	for (const FAutomationExecutionEntry& Entry : Entries)
	{
		Total += Entry.Event.Type == EAutomationEventType::Error ? 1 : 0;
	}
	return Total;
}

int32 FAutomationTestExecutionInfo::GetWarningTotal() const
{
	int32 Total = 0;
	for (const FAutomationExecutionEntry& Entry : Entries)
	{
		Total += Entry.Event.Type == EAutomationEventType::Warning ? 1 : 0;
	}
	return Total;
}

bool IAutomationLatentCommand::InternalUpdate()
{
	if (StartTime == 0.0)
	{
		StartTime = FPlatformTime::Seconds();
	}
	return Update();
}

double IAutomationLatentCommand::GetCurrentRunTime() const
{
	return StartTime == 0.0 ? 0.0 : FPlatformTime::Seconds() - StartTime;
}

// Error and warning lines written anywhere while a test runs belong to that test, as in the
// editor. Lines may come from any thread; the game thread collects them at each latent update.
namespace
{
	class FTestLogCapture : public FOutputDevice
	{
	public:
		virtual void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category) override
		{
			const ELogVerbosity::Type Level = static_cast<ELogVerbosity::Type>(Verbosity & ELogVerbosity::VerbosityMask);
			if (Level != ELogVerbosity::Error && Level != ELogVerbosity::Fatal && Level != ELogVerbosity::Warning)
			{
				return;
			}
			std::lock_guard<std::mutex> Guard(Mutex);
			Lines.push_back({Category.ToString() + TEXT(": ") + V, Level != ELogVerbosity::Warning});
		}
		virtual bool CanBeUsedOnAnyThread() const override { return true; }
		virtual bool CanBeUsedOnMultipleThreads() const override { return true; }

		struct FLine
		{
			FString Text;
			bool bError;
		};
		std::deque<FLine> Take()
		{
			std::lock_guard<std::mutex> Guard(Mutex);
			return std::exchange(Lines, {});
		}

	private:
		std::mutex Mutex;
		std::deque<FLine> Lines;
	};
}

struct FAutomationTestFramework::FImpl
{
	std::map<FString, FAutomationTestBase*> Tests;
	std::deque<TSharedPtr<IAutomationLatentCommand>> LatentCommands;
	FAutomationTestBase* CurrentTest = nullptr;
	bool bRunTestPassed = false;
	double StartTime = 0.0;
	FTestLogCapture Capture;

	void DrainLog()
	{
		for (const FTestLogCapture::FLine& Line : Capture.Take())
		{
			if (CurrentTest)
			{
				CurrentTest->HandleLogLine(Line.Text, Line.bError);
			}
		}
	}
};

FAutomationTestFramework::FAutomationTestFramework() : Impl(MakeShared<FImpl>())
{
}

FAutomationTestFramework& FAutomationTestFramework::Get()
{
	// Never destroyed: tests unregister during static destruction in any order.
	static FAutomationTestFramework* Framework = new FAutomationTestFramework();
	return *Framework;
}

bool FAutomationTestFramework::RegisterAutomationTest(const FString& InTestNameToRegister, FAutomationTestBase* InTestToRegister)
{
	return Impl->Tests.emplace(InTestNameToRegister, InTestToRegister).second;
}

bool FAutomationTestFramework::UnregisterAutomationTest(const FString& InTestNameToUnregister)
{
	return Impl->Tests.erase(InTestNameToUnregister) > 0;
}

void FAutomationTestFramework::EnqueueLatentCommand(TSharedPtr<IAutomationLatentCommand> NewCommand)
{
	check(Impl->CurrentTest != nullptr);
	Impl->LatentCommands.push_back(NewCommand);
}

void FAutomationTestFramework::GetValidTestNames(TArray<FAutomationTestInfo>& TestInfo) const
{
	TestInfo.Reset();
	for (const auto& [Name, Test] : Impl->Tests)
	{
		TArray<FString> BeautifiedNames;
		TArray<FString> Commands;
		Test->GetTests(BeautifiedNames, Commands);
		for (int32 Index = 0; Index < BeautifiedNames.Num(); ++Index)
		{
			const FString FullPath = Test->IsComplexTask() || Test->GetBeautifiedTestName() != BeautifiedNames[Index]
				? Test->GetBeautifiedTestName() + TEXT(".") + BeautifiedNames[Index]
				: BeautifiedNames[Index];
			int32 Dot = INDEX_NONE;
			const FString DisplayName = FullPath.FindLastChar(TEXT('.'), Dot) ? FullPath.Mid(Dot + 1) : FullPath;
			TestInfo.Add(FAutomationTestInfo(DisplayName, FullPath, Name, Test->GetTestFlags(), Commands[Index]));
		}
	}
	std::stable_sort(TestInfo.GetData(), TestInfo.GetData() + TestInfo.Num(),
		[](const FAutomationTestInfo& Lhs, const FAutomationTestInfo& Rhs) { return Lhs.GetFullTestPath() < Rhs.GetFullTestPath(); });
}

void FAutomationTestFramework::StartTestByName(const FString& InTestToRun, const FString& InTestParameter)
{
	check(Impl->CurrentTest == nullptr);
	const auto Found = Impl->Tests.find(InTestToRun);
	if (Found == Impl->Tests.end())
	{
		return;
	}
	FAutomationTestBase* Test = Found->second;
	Impl->CurrentTest = Test;
	Impl->LatentCommands.clear();
	Impl->StartTime = FPlatformTime::Seconds();
	Test->ExecutionInfo.Clear();
	Test->ExpectedErrors.Reset();
	GLog->AddOutputDevice(&Impl->Capture);
	// Lines a device gets on being added (the engine's replay is unconfirmed) belong to no test.
	Impl->Capture.Take();
	Impl->bRunTestPassed = Test->RunTest(InTestParameter);
	Impl->DrainLog();
}

bool FAutomationTestFramework::ExecuteLatentCommands()
{
	while (!Impl->LatentCommands.empty())
	{
		// The command stays queued while it runs: it may queue more behind itself.
		const TSharedPtr<IAutomationLatentCommand> Command = Impl->LatentCommands.front();
		const bool bDone = Command->InternalUpdate();
		Impl->DrainLog();
		if (!bDone)
		{
			return false;
		}
		Impl->LatentCommands.pop_front();
	}
	return true;
}

bool FAutomationTestFramework::StopTest(FAutomationTestExecutionInfo& OutExecutionInfo)
{
	FAutomationTestBase* Test = Impl->CurrentTest;
	check(Test != nullptr);
	Impl->DrainLog();
	GLog->RemoveOutputDevice(&Impl->Capture);
	Impl->LatentCommands.clear();
	Test->CheckExpectedErrors();
	Test->ExecutionInfo.Duration = FPlatformTime::Seconds() - Impl->StartTime;
	Test->ExecutionInfo.bSuccessful = Impl->bRunTestPassed && !Test->HasAnyErrors();
	OutExecutionInfo = Test->ExecutionInfo;
	Impl->CurrentTest = nullptr;
	return OutExecutionInfo.bSuccessful;
}

FAutomationTestBase* FAutomationTestFramework::GetCurrentTest() const
{
	return Impl->CurrentTest;
}

struct FAutomationTestBase::FExpectedError
{
	FString Pattern;
	std::regex Regex;
	bool bRegex = true;
	EAutomationExpectedErrorFlags::MatchType CompareType = EAutomationExpectedErrorFlags::Contains;
	int32 ExpectedCount = 1;
	int32 ActualCount = 0;

	bool Matches(const FString& Line) const
	{
		if (bRegex)
		{
			const std::string Utf8 = UE::Host::ToUtf8(Line);
			return CompareType == EAutomationExpectedErrorFlags::Exact ? std::regex_match(Utf8, Regex) : std::regex_search(Utf8, Regex);
		}
		return CompareType == EAutomationExpectedErrorFlags::Exact ? Line.Equals(Pattern, ESearchCase::IgnoreCase) : Line.Contains(Pattern, ESearchCase::IgnoreCase);
	}
};

FAutomationTestBase::FAutomationTestBase(const FString& InName, const bool bInComplexTask) : TestName(InName), bComplexTask(bInComplexTask)
{
	FAutomationTestFramework::Get().RegisterAutomationTest(InName, this);
}

FAutomationTestBase::~FAutomationTestBase()
{
	FAutomationTestFramework::Get().UnregisterAutomationTest(TestName);
}

void FAutomationTestBase::AddError(const FString& InError, int32 StackOffset)
{
	ExecutionInfo.Entries.Add(FAutomationExecutionEntry{FAutomationEvent(EAutomationEventType::Error, InError), FString(), 0});
}

void FAutomationTestBase::AddWarning(const FString& InWarning, int32 StackOffset)
{
	ExecutionInfo.Entries.Add(FAutomationExecutionEntry{FAutomationEvent(EAutomationEventType::Warning, InWarning), FString(), 0});
}

void FAutomationTestBase::AddInfo(const FString& InLogItem, int32 StackOffset, bool bCaptureStack)
{
	ExecutionInfo.Entries.Add(FAutomationExecutionEntry{FAutomationEvent(EAutomationEventType::Info, InLogItem), FString(), 0});
}

void FAutomationTestBase::AddExpectedError(FString ExpectedPatternString, EAutomationExpectedErrorFlags::MatchType CompareType, int32 Occurrences, bool IsRegex)
{
	TSharedRef<FExpectedError> Expected = MakeShared<FExpectedError>();
	Expected->Pattern = ExpectedPatternString;
	Expected->bRegex = IsRegex;
	Expected->CompareType = CompareType;
	Expected->ExpectedCount = Occurrences;
	if (IsRegex)
	{
		// A pattern the library refuses cannot match: the test learns of it by its count.
		try
		{
			Expected->Regex = std::regex(UE::Host::ToUtf8(ExpectedPatternString), std::regex::ECMAScript | std::regex::icase);
		}
		catch (const std::regex_error&)
		{
			AddError(FString::Printf(TEXT("Invalid regular expression in an expected error: '%s'"), *ExpectedPatternString));
			return;
		}
	}
	ExpectedErrors.Add(Expected);
}

bool FAutomationTestBase::HasAnyErrors() const
{
	return ExecutionInfo.GetErrorTotal() > 0;
}

void FAutomationTestBase::HandleLogLine(const FString& Message, bool bError)
{
	for (const TSharedRef<FExpectedError>& Expected : ExpectedErrors)
	{
		if (Expected->Matches(Message))
		{
			++Expected->ActualCount;
			AddInfo(FString::Printf(TEXT("Expected %s: %s"), bError ? TEXT("error") : TEXT("warning"), *Message));
			return;
		}
	}
	if (bError)
	{
		AddError(Message);
	}
	else
	{
		AddWarning(Message);
	}
}

void FAutomationTestBase::CheckExpectedErrors()
{
	for (const TSharedRef<FExpectedError>& Expected : ExpectedErrors)
	{
		const bool bCountOk = Expected->ExpectedCount == 0 ? Expected->ActualCount > 0 : Expected->ActualCount == Expected->ExpectedCount;
		if (!bCountOk)
		{
			AddError(FString::Printf(TEXT("Expected Error or Warning matching '%s' to occur %d times with %s match type, but it was found %d time(s)."), *Expected->Pattern,
				Expected->ExpectedCount, Expected->CompareType == EAutomationExpectedErrorFlags::Exact ? TEXT("Exact") : TEXT("Contains"), Expected->ActualCount));
		}
	}
	ExpectedErrors.Reset();
}

bool FAutomationTestBase::TestEqual(const TCHAR* What, const int32 Actual, const int32 Expected)
{
	if (Actual != Expected)
	{
		AddError(FString::Printf(TEXT("Expected '%s' to be %d, but it was %d."), What, Expected, Actual), 1);
		return false;
	}
	return true;
}

bool FAutomationTestBase::TestEqual(const TCHAR* What, const FString& Actual, const TCHAR* Expected)
{
	return TestEqual(What, Actual, FString(Expected));
}

bool FAutomationTestBase::TestEqual(const TCHAR* What, const FString& Actual, const FString& Expected)
{
	// Case-sensitive, as the engine compares strings in its tests.
	if (!Actual.Equals(Expected, ESearchCase::CaseSensitive))
	{
		AddError(FString::Printf(TEXT("Expected '%s' to be \"%s\", but it was \"%s\"."), What, *Expected, *Actual), 1);
		return false;
	}
	return true;
}

bool FAutomationTestBase::TestTrue(const TCHAR* What, bool Value)
{
	if (!Value)
	{
		AddError(FString::Printf(TEXT("Expected '%s' to be true."), What), 1);
		return false;
	}
	return true;
}

bool FAutomationTestBase::TestFalse(const TCHAR* What, bool Value)
{
	if (Value)
	{
		AddError(FString::Printf(TEXT("Expected '%s' to be false."), What), 1);
		return false;
	}
	return true;
}

// The behaviour-driven form. Define() runs once, on first use; each It keeps the blocks of the Describes around it.
namespace
{
	// Runs a block once, unless it should be skipped because an earlier block failed.
	class FSingleExecuteLatentCommand : public IAutomationLatentCommand
	{
	public:
		FSingleExecuteLatentCommand(FAutomationTestBase* InTest, TFunction<void()> InWork, bool bInSkipIfErrored)
			: Test(InTest), Work(std::move(InWork)), bSkipIfErrored(bInSkipIfErrored)
		{
		}
		virtual bool Update() override
		{
			if (!(bSkipIfErrored && Test->HasAnyErrors()))
			{
				Work();
			}
			return true;
		}

	private:
		FAutomationTestBase* Test;
		TFunction<void()> Work;
		bool bSkipIfErrored;
	};

	// Starts a block and waits, frame by frame, until it calls its done delegate or times out.
	class FUntilDoneLatentCommand : public IAutomationLatentCommand
	{
	public:
		FUntilDoneLatentCommand(FAutomationTestBase* InTest, TFunction<void(const FDoneDelegate&)> InWork, const FTimespan& InTimeout, bool bInSkipIfErrored)
			: Test(InTest), Work(std::move(InWork)), Timeout(InTimeout), bSkipIfErrored(bInSkipIfErrored)
		{
		}
		virtual bool Update() override
		{
			if (!bRunning)
			{
				if (bSkipIfErrored && Test->HasAnyErrors())
				{
					return true;
				}
				bRunning = true;
				StartedRunning = FPlatformTime::Seconds();
				// A late Done, after a time-out, must find the flag alive and change nothing that matters.
				std::shared_ptr<std::atomic<bool>> Flag = bDone;
				Work(FDoneDelegate::CreateLambda([Flag]() { Flag->store(true); }));
			}
			if (bDone->load())
			{
				return true;
			}
			if (FPlatformTime::Seconds() - StartedRunning >= Timeout.GetTotalSeconds())
			{
				Test->AddError(TEXT("Latent command timed out."), 0);
				return true;
			}
			return false;
		}

	private:
		FAutomationTestBase* Test;
		TFunction<void(const FDoneDelegate&)> Work;
		FTimespan Timeout;
		bool bSkipIfErrored;
		bool bRunning = false;
		double StartedRunning = 0.0;
		std::shared_ptr<std::atomic<bool>> bDone = std::make_shared<std::atomic<bool>>(false);
	};

	struct FSpecBlock
	{
		TFunction<void()> Work;
		TFunction<void(const FDoneDelegate&)> LatentWork;
		FTimespan Timeout;
	};

	struct FSpecScope
	{
		TArray<FSpecBlock> BeforeEach;
		TArray<FSpecBlock> AfterEach;
	};

	struct FSpecIt
	{
		FString Description;
		FString Id;
		FSpecBlock Block;
		// The scopes around the It, outermost first.
		TArray<TSharedRef<FSpecScope>> Scopes;
	};
}

struct FAutomationSpecBase::FDefinitions
{
	bool bDefined = false;
	TArray<FString> Descriptions;
	TArray<TSharedRef<FSpecScope>> ScopeStack;
	TArray<FSpecIt> Its;

	FString JoinedDescription(const FString& Last) const
	{
		TArray<FString> Parts;
		for (const FString& Part : Descriptions)
		{
			if (!Part.IsEmpty())
			{
				Parts.Add(Part);
			}
		}
		if (!Last.IsEmpty())
		{
			Parts.Add(Last);
		}
		return FString::Join(Parts, TEXT("."));
	}
};

FAutomationSpecBase::FAutomationSpecBase(const FString& InName, const bool bInComplexTask)
	: FAutomationTestBase(InName, bInComplexTask), DefaultTimeout(FTimespan::FromSeconds(30.0)), Definitions(MakeShared<FDefinitions>())
{
}

FAutomationSpecBase::~FAutomationSpecBase() = default;

void FAutomationSpecBase::EnsureDefinitions() const
{
	if (Definitions->bDefined)
	{
		return;
	}
	Definitions->bDefined = true;
	Definitions->ScopeStack.Add(MakeShared<FSpecScope>());
	const_cast<FAutomationSpecBase*>(this)->Define();
	Definitions->ScopeStack.Reset();
}

void FAutomationSpecBase::GetTests(TArray<FString>& OutBeautifiedNames, TArray<FString>& OutTestCommands) const
{
	EnsureDefinitions();
	for (const FSpecIt& SpecIt : Definitions->Its)
	{
		OutBeautifiedNames.Add(SpecIt.Description);
		OutTestCommands.Add(SpecIt.Id);
	}
}

bool FAutomationSpecBase::RunTest(const FString& InParameters)
{
	EnsureDefinitions();
	const FSpecIt* Found = nullptr;
	for (const FSpecIt& SpecIt : Definitions->Its)
	{
		if (SpecIt.Id == InParameters)
		{
			Found = &SpecIt;
		}
	}
	if (!Found)
	{
		AddError(FString::Printf(TEXT("No It with id '%s' in %s."), *InParameters, *GetBeautifiedTestName()));
		return false;
	}
	FAutomationTestFramework& Framework = FAutomationTestFramework::Get();
	const auto Enqueue = [this, &Framework](const FSpecBlock& Block, bool bSkipIfErrored)
	{
		if (Block.LatentWork)
		{
			Framework.EnqueueLatentCommand(MakeShareable(new FUntilDoneLatentCommand(this, Block.LatentWork, Block.Timeout, bSkipIfErrored)));
		}
		else
		{
			Framework.EnqueueLatentCommand(MakeShareable(new FSingleExecuteLatentCommand(this, Block.Work, bSkipIfErrored)));
		}
	};
	for (const TSharedRef<FSpecScope>& Scope : Found->Scopes)
	{
		for (const FSpecBlock& Block : Scope->BeforeEach)
		{
			Enqueue(Block, bEnableSkipIfError);
		}
	}
	Enqueue(Found->Block, bEnableSkipIfError);
	for (int32 ScopeIndex = Found->Scopes.Num() - 1; ScopeIndex >= 0; --ScopeIndex)
	{
		const TArray<FSpecBlock>& AfterEach = Found->Scopes[ScopeIndex]->AfterEach;
		for (int32 Index = AfterEach.Num() - 1; Index >= 0; --Index)
		{
			Enqueue(AfterEach[Index], false);
		}
	}
	return true;
}

void FAutomationSpecBase::Describe(const FString& InDescription, TFunction<void()> DoWork)
{
	Definitions->Descriptions.Add(InDescription);
	Definitions->ScopeStack.Add(MakeShared<FSpecScope>());
	DoWork();
	Definitions->ScopeStack.Pop();
	Definitions->Descriptions.Pop();
}

void FAutomationSpecBase::It(const FString& InDescription, TFunction<void()> DoWork)
{
	FSpecIt SpecIt;
	SpecIt.Description = Definitions->JoinedDescription(InDescription);
	SpecIt.Id = FString::Printf(TEXT("%d"), Definitions->Its.Num());
	SpecIt.Block.Work = std::move(DoWork);
	SpecIt.Scopes = Definitions->ScopeStack;
	Definitions->Its.Add(std::move(SpecIt));
}

void FAutomationSpecBase::LatentIt(const FString& InDescription, TFunction<void(const FDoneDelegate&)> DoWork)
{
	LatentIt(InDescription, DefaultTimeout, std::move(DoWork));
}

void FAutomationSpecBase::LatentIt(const FString& InDescription, const FTimespan& Timeout, TFunction<void(const FDoneDelegate&)> DoWork)
{
	FSpecIt SpecIt;
	SpecIt.Description = Definitions->JoinedDescription(InDescription);
	SpecIt.Id = FString::Printf(TEXT("%d"), Definitions->Its.Num());
	SpecIt.Block.LatentWork = std::move(DoWork);
	SpecIt.Block.Timeout = Timeout;
	SpecIt.Scopes = Definitions->ScopeStack;
	Definitions->Its.Add(std::move(SpecIt));
}

void FAutomationSpecBase::BeforeEach(TFunction<void()> DoWork)
{
	Definitions->ScopeStack.Last()->BeforeEach.Add(FSpecBlock{std::move(DoWork), {}, FTimespan()});
}

void FAutomationSpecBase::LatentBeforeEach(TFunction<void(const FDoneDelegate&)> DoWork)
{
	LatentBeforeEach(DefaultTimeout, std::move(DoWork));
}

void FAutomationSpecBase::LatentBeforeEach(const FTimespan& Timeout, TFunction<void(const FDoneDelegate&)> DoWork)
{
	Definitions->ScopeStack.Last()->BeforeEach.Add(FSpecBlock{{}, std::move(DoWork), Timeout});
}

void FAutomationSpecBase::AfterEach(TFunction<void()> DoWork)
{
	Definitions->ScopeStack.Last()->AfterEach.Add(FSpecBlock{std::move(DoWork), {}, FTimespan()});
}
