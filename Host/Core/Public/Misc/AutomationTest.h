// Copyright 2026 Vantle contributors. All Rights Reserved.
// The engine's automation test framework: simple tests, the behaviour-driven form (BEGIN_DEFINE_SPEC) and latent
// commands that span frames. Tests register themselves at static initialisation; the editor runs
// them one after another on the game thread between frames.
#pragma once

#include "CoreMinimal.h"
#include "Misc/Timespan.h"

// Where a test may run and which filter group it belongs to.
enum class EAutomationTestFlags : uint32
{
	None = 0x00000000,
	EditorContext = 0x00000001,
	ClientContext = 0x00000002,
	ServerContext = 0x00000004,
	CommandletContext = 0x00000008,
	ProgramContext = 0x00000010,
	NonNullRHI = 0x00000100,
	RequiresUser = 0x00000200,
	Disabled = 0x00010000,
	CriticalPriority = 0x00100000,
	HighPriority = 0x00200000,
	MediumPriority = 0x00400000,
	LowPriority = 0x00800000,
	SmokeFilter = 0x01000000,
	EngineFilter = 0x02000000,
	ProductFilter = 0x04000000,
	PerfFilter = 0x08000000,
	StressFilter = 0x10000000,
	NegativeFilter = 0x20000000,
};

constexpr EAutomationTestFlags operator|(EAutomationTestFlags Lhs, EAutomationTestFlags Rhs)
{
	return static_cast<EAutomationTestFlags>(static_cast<uint32>(Lhs) | static_cast<uint32>(Rhs));
}

constexpr EAutomationTestFlags operator&(EAutomationTestFlags Lhs, EAutomationTestFlags Rhs)
{
	return static_cast<EAutomationTestFlags>(static_cast<uint32>(Lhs) & static_cast<uint32>(Rhs));
}

constexpr EAutomationTestFlags EAutomationTestFlags_ApplicationContextMask = EAutomationTestFlags::EditorContext | EAutomationTestFlags::ClientContext
	| EAutomationTestFlags::ServerContext | EAutomationTestFlags::CommandletContext | EAutomationTestFlags::ProgramContext;
constexpr EAutomationTestFlags EAutomationTestFlags_FilterMask = EAutomationTestFlags::SmokeFilter | EAutomationTestFlags::EngineFilter
	| EAutomationTestFlags::ProductFilter | EAutomationTestFlags::PerfFilter | EAutomationTestFlags::StressFilter | EAutomationTestFlags::NegativeFilter;

namespace EAutomationExpectedErrorFlags
{
	enum MatchType
	{
		Exact,
		Contains,
	};
}

enum class EAutomationEventType : uint8
{
	Info,
	Warning,
	Error,
};

// One thing a test reported: an assertion that failed, a log line caught while it ran, a note.
struct FAutomationEvent
{
	FAutomationEvent(EAutomationEventType InType, const FString& InMessage) : Type(InType), Message(InMessage) {}

	EAutomationEventType Type;
	FString Message;
	FString Context;
};

struct FAutomationExecutionEntry
{
	FAutomationEvent Event;
	FString Filename;
	int32 LineNumber = 0;
};

// What one run of a test produced.
struct FAutomationTestExecutionInfo
{
	TArray<FAutomationExecutionEntry> Entries;
	double Duration = 0.0;
	bool bSuccessful = false;

	int32 GetErrorTotal() const;
	int32 GetWarningTotal() const;
	void Clear() { Entries.Reset(); Duration = 0.0; bSuccessful = false; }
};

// Work that may take more than one frame: Update is called once a frame until it returns true.
class IAutomationLatentCommand
{
public:
	virtual ~IAutomationLatentCommand() = default;
	virtual bool Update() = 0;

	// Update, with the start time taken at the first call.
	CORE_API bool InternalUpdate();

protected:
	// Seconds since the first Update.
	CORE_API double GetCurrentRunTime() const;

private:
	double StartTime = 0.0;
};

class FAutomationTestBase;

// A runnable test as the framework lists it: one per simple test, one per It of a BEGIN_DEFINE_SPEC test.
class FAutomationTestInfo
{
public:
	FAutomationTestInfo(const FString& InDisplayName, const FString& InFullTestPath, const FString& InTestName, EAutomationTestFlags InTestFlags, const FString& InTestParameter)
		: DisplayName(InDisplayName), FullTestPath(InFullTestPath), TestName(InTestName), TestParameter(InTestParameter), TestFlags(InTestFlags)
	{
	}

	const FString& GetDisplayName() const { return DisplayName; }
	const FString& GetFullTestPath() const { return FullTestPath; }
	const FString& GetTestName() const { return TestName; }
	const FString& GetTestParameter() const { return TestParameter; }
	EAutomationTestFlags GetTestFlags() const { return TestFlags; }

private:
	FString DisplayName;
	FString FullTestPath;
	FString TestName;
	FString TestParameter;
	EAutomationTestFlags TestFlags;
};

// The registry of tests and the runner of one test at a time (the editor's automation worker
// drives it: start, latent commands once a frame, stop).
class FAutomationTestFramework
{
public:
	static CORE_API FAutomationTestFramework& Get();

	CORE_API bool RegisterAutomationTest(const FString& InTestNameToRegister, FAutomationTestBase* InTestToRegister);
	CORE_API bool UnregisterAutomationTest(const FString& InTestNameToUnregister);
	// Queues work for the running test; it starts at the next frame's latent update.
	CORE_API void EnqueueLatentCommand(TSharedPtr<IAutomationLatentCommand> NewCommand);

	// Every runnable test, sorted by full path.
	CORE_API void GetValidTestNames(TArray<FAutomationTestInfo>& TestInfo) const;
	// Runs the test's RunTest now; its latent commands follow at the next ExecuteLatentCommands.
	CORE_API void StartTestByName(const FString& InTestToRun, const FString& InTestParameter);
	// Updates the queued latent commands in order until one is not done; true when none is left.
	CORE_API bool ExecuteLatentCommands();
	// Ends the running test; true when it passed (no error, every expected error seen).
	CORE_API bool StopTest(FAutomationTestExecutionInfo& OutExecutionInfo);
	CORE_API FAutomationTestBase* GetCurrentTest() const;

private:
	FAutomationTestFramework();
	struct FImpl;
	TSharedRef<FImpl> Impl;
};

// The base of every automation test.
class FAutomationTestBase
{
public:
	CORE_API FAutomationTestBase(const FString& InName, const bool bInComplexTask);
	CORE_API virtual ~FAutomationTestBase();
	FAutomationTestBase(const FAutomationTestBase&) = delete;
	FAutomationTestBase& operator=(const FAutomationTestBase&) = delete;

	virtual EAutomationTestFlags GetTestFlags() const = 0;
	virtual FString GetBeautifiedTestName() const = 0;
	virtual FString GetTestSourceFileName() const = 0;
	virtual int32 GetTestSourceFileLine() const = 0;

	// The test fails; the message becomes an error event.
	CORE_API virtual void AddError(const FString& InError, int32 StackOffset = 0);
	CORE_API virtual void AddWarning(const FString& InWarning, int32 StackOffset = 0);
	CORE_API virtual void AddInfo(const FString& InLogItem, int32 StackOffset = 0, bool bCaptureStack = false);
	// An error or warning log line matching the pattern (a regular expression unless IsRegex is
	// false) is expected Occurrences times (0: at least once) and does not fail the test; a
	// different count does.
	CORE_API void AddExpectedError(FString ExpectedPatternString, EAutomationExpectedErrorFlags::MatchType CompareType = EAutomationExpectedErrorFlags::Contains,
		int32 Occurrences = 1, bool IsRegex = true);
	CORE_API bool HasAnyErrors() const;
	const FString& GetTestName() const { return TestName; }
	bool IsComplexTask() const { return bComplexTask; }

	CORE_API bool TestEqual(const TCHAR* What, const int32 Actual, const int32 Expected);
	CORE_API bool TestEqual(const TCHAR* What, const FString& Actual, const TCHAR* Expected);
	CORE_API bool TestEqual(const TCHAR* What, const FString& Actual, const FString& Expected);
	template <typename ValueType>
	bool TestEqual(const TCHAR* What, const ValueType& Actual, const ValueType& Expected)
	{
		if (!(Actual == Expected))
		{
			AddError(FString::Printf(TEXT("Expected '%s' to be equal to the expected value, but it was not."), What), 1);
			return false;
		}
		return true;
	}
	CORE_API bool TestTrue(const TCHAR* What, bool Value);
	CORE_API bool TestFalse(const TCHAR* What, bool Value);
	template <typename ValueType>
	bool TestNull(const TCHAR* What, const ValueType* Pointer)
	{
		if (Pointer != nullptr)
		{
			AddError(FString::Printf(TEXT("Expected '%s' to be null."), What), 1);
			return false;
		}
		return true;
	}
	template <typename ValueType>
	bool TestNotNull(const TCHAR* What, const ValueType* Pointer)
	{
		if (Pointer == nullptr)
		{
			AddError(FString::Printf(TEXT("Expected '%s' to be not null."), What), 1);
			return false;
		}
		return true;
	}
	template <typename ValueType>
	bool TestValid(const TCHAR* What, const TSharedPtr<ValueType>& SharedPointer)
	{
		if (!SharedPointer.IsValid())
		{
			AddError(FString::Printf(TEXT("Expected '%s' to be valid."), What), 1);
			return false;
		}
		return true;
	}

protected:
	friend class FAutomationTestFramework;

	virtual void GetTests(TArray<FString>& OutBeautifiedNames, TArray<FString>& OutTestCommands) const = 0;
	virtual bool RunTest(const FString& Parameters) = 0;

	FString TestName;
	const bool bComplexTask;

private:
	struct FExpectedError;
	// Log lines the framework caught while the test ran; matched against the expected errors.
	void HandleLogLine(const FString& Message, bool bError);
	void CheckExpectedErrors();

	FAutomationTestExecutionInfo ExecutionInfo;
	TArray<TSharedRef<FExpectedError>> ExpectedErrors;
};

DECLARE_DELEGATE(FDoneDelegate);

// The behaviour-driven form: Define() builds a tree of Describe blocks whose Its are the tests;
// each It runs after every BeforeEach above it and before every AfterEach above it.
class FAutomationSpecBase : public FAutomationTestBase
{
public:
	CORE_API FAutomationSpecBase(const FString& InName, const bool bInComplexTask);
	CORE_API virtual ~FAutomationSpecBase() override;

	CORE_API virtual bool RunTest(const FString& InParameters) override;
	CORE_API virtual void GetTests(TArray<FString>& OutBeautifiedNames, TArray<FString>& OutTestCommands) const override;

	CORE_API void Describe(const FString& InDescription, TFunction<void()> DoWork);
	CORE_API void It(const FString& InDescription, TFunction<void()> DoWork);
	CORE_API void LatentIt(const FString& InDescription, TFunction<void(const FDoneDelegate&)> DoWork);
	CORE_API void LatentIt(const FString& InDescription, const FTimespan& Timeout, TFunction<void(const FDoneDelegate&)> DoWork);
	CORE_API void BeforeEach(TFunction<void()> DoWork);
	CORE_API void LatentBeforeEach(TFunction<void(const FDoneDelegate&)> DoWork);
	CORE_API void LatentBeforeEach(const FTimespan& Timeout, TFunction<void(const FDoneDelegate&)> DoWork);
	CORE_API void AfterEach(TFunction<void()> DoWork);

protected:
	virtual void Define() = 0;

	// How long a latent block may take before it fails with a time-out.
	FTimespan DefaultTimeout;
	// Skip the It (but not the AfterEach blocks) once a BeforeEach has failed.
	bool bEnableSkipIfError = true;

private:
	struct FDefinitions;
	void EnsureDefinitions() const;
	TSharedRef<FDefinitions> Definitions;
};

#define BEGIN_DEFINE_SPEC(TClass, PrettyName, TFlags) \
	class TClass : public FAutomationSpecBase \
	{ \
	public: \
		TClass(const FString& InName) : FAutomationSpecBase(InName, false) \
		{ \
			static_assert(((TFlags) & EAutomationTestFlags_ApplicationContextMask) != EAutomationTestFlags::None, "AutomationTest has no application flag."); \
		} \
		virtual EAutomationTestFlags GetTestFlags() const override { return TFlags; } \
		virtual FString GetTestSourceFileName() const override { return TEXT(__FILE__); } \
		virtual int32 GetTestSourceFileLine() const override { return __LINE__; } \
\
	protected: \
		virtual FString GetBeautifiedTestName() const override { return PrettyName; } \
		virtual void Define() override;

#define END_DEFINE_SPEC(TClass) \
	} \
	; \
	namespace \
	{ \
		TClass TClass##AutomationSpecInstance(TEXT(#TClass)); \
	}
