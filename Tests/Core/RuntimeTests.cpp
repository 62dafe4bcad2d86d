// Copyright Vantle contributors. All Rights Reserved.
#include "Containers/Ticker.h"
#include "CoreGlobals.h"
#include "CoreMinimal.h"
#include "HAL/IConsoleManager.h"
#include "HostCore.h"
#include "Misc/Attribute.h"
#include "Misc/OutputDeviceRedirector.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <iterator>
#include <mutex>
#include <thread>
#include <vector>

namespace
{
	struct FCounter : public TSharedFromThis<FCounter>
	{
		int32 Calls = 0;
		int32 Add(int32 Amount) { Calls += Amount; return Calls; }
		int32 Get() const { return Calls; }
		void Bump(int32 Amount) { Calls += Amount; }
	};

	class FRecordingDevice : public FOutputDevice
	{
	public:
		virtual void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category) override
		{
			std::lock_guard<std::mutex> Guard(Mutex);
			Lines.push_back(UE::Host::ToUtf8(Category.ToString() + TEXT(": ") + V));
			Threads.push_back(std::this_thread::get_id());
		}
		std::vector<std::string> Snapshot()
		{
			std::lock_guard<std::mutex> Guard(Mutex);
			return Lines;
		}
		std::mutex Mutex;
		std::vector<std::string> Lines;
		std::vector<std::thread::id> Threads;
	};

	class FMultiThreadDevice final : public FRecordingDevice
	{
	public:
		virtual bool CanBeUsedOnMultipleThreads() const override { return true; }
	};

	DEFINE_LOG_CATEGORY_STATIC(LogCoreTest, Log, All);

	// The lines that hold Part: devices may be handed lines logged before they joined.
	std::vector<std::string> LinesWith(const std::vector<std::string>& Lines, const std::string& Part)
	{
		std::vector<std::string> Found;
		std::copy_if(Lines.begin(), Lines.end(), std::back_inserter(Found), [&Part](const std::string& Line) { return Line.find(Part) != std::string::npos; });
		return Found;
	}
}

TEST(Delegates, BindingsStopWithTheirObjectAndMulticastRemovesByObjectAndHandle)
{
	TDelegate<int32(int32)> Delegate;
	{
		TSharedRef<FCounter> Counter = MakeShared<FCounter>();
		Delegate.BindSP(Counter, &FCounter::Add);
		EXPECT_EQ(Delegate.Execute(2), 2);
	}
	EXPECT_FALSE(Delegate.IsBound());

	FCounter First;
	FCounter Second;
	TDelegate<void(int32)> WithPayload = TDelegate<void(int32)>::CreateLambda([&First](int32 A, int32 B) { First.Add(A * B); }, 10);
	EXPECT_TRUE(WithPayload.ExecuteIfBound(3));
	EXPECT_EQ(First.Calls, 30);
	FSimpleMulticastDelegate Multicast;
	Multicast.Add(FSimpleMulticastDelegate::FDelegate::CreateRaw(&First, &FCounter::Bump, 1));
	const FDelegateHandle SecondHandle = Multicast.Add(FSimpleMulticastDelegate::FDelegate::CreateLambda([&Second] { Second.Add(1); }));
	Multicast.Broadcast();
	EXPECT_EQ(Multicast.RemoveAll(&First), 1);
	Multicast.Broadcast();
	EXPECT_TRUE(Multicast.Remove(SecondHandle));
	Multicast.Broadcast();
	EXPECT_EQ(First.Calls, 31);
	EXPECT_EQ(Second.Calls, 2);

	// An attribute's getter is read again on every get.
	TAttribute<int32> Attribute = TAttribute<int32>::Create(TAttribute<int32>::FGetter::CreateRaw(&Second, &FCounter::Get));
	Second.Add(5);
	EXPECT_EQ(Attribute.Get(), 7);
	EXPECT_EQ(TAttribute<int32>().Get(3), 3);
}

TEST(Ticker, FiresAfterItsDelayAndStopsWhenRemovedOrFalse)
{
	FTSTicker Ticker;
	int32 Repeating = 0;
	int32 Once = 0;
	FTSTicker::FDelegateHandle Handle = Ticker.AddTicker(FTickerDelegate::CreateLambda([&](float) { ++Repeating; return true; }), 0.75f);
	Ticker.AddTicker(FTickerDelegate::CreateLambda([&](float) { ++Once; return false; }), 0.0f);
	EXPECT_EQ(UE::Host::GetActiveTickerCount(Ticker), 2);
	Ticker.Tick(0.5f);
	EXPECT_EQ(Repeating, 0);
	Ticker.Tick(0.25f);
	EXPECT_EQ(Repeating, 1);
	Ticker.Tick(0.5f);
	EXPECT_EQ(Repeating, 1);
	Ticker.Tick(0.25f);
	EXPECT_EQ(Repeating, 2);
	EXPECT_EQ(Once, 1);
	FTSTicker::RemoveTicker(Handle);
	Ticker.Tick(5.0f);
	EXPECT_EQ(Repeating, 2);
	EXPECT_EQ(UE::Host::GetActiveTickerCount(Ticker), 0);
}

TEST(Log, BufferedDevicesGetEveryLineInOrderFromTheLogThread)
{
	FOutputDeviceRedirector* Log = GLog;
	FRecordingDevice Buffered;
	FMultiThreadDevice Unbuffered;
	Log->AddOutputDevice(&Buffered);
	Log->AddOutputDevice(&Unbuffered);
	Log->TryStartDedicatedPrimaryThread();

	constexpr int32 ThreadCount = 8;
	constexpr int32 LinesPerThread = 200;
	std::vector<std::thread> Threads;
	for (int32 ThreadIndex = 0; ThreadIndex < ThreadCount; ++ThreadIndex)
	{
		Threads.emplace_back([ThreadIndex] {
			for (int32 Line = 0; Line < LinesPerThread; ++Line)
			{
				UE_LOG(LogCoreTest, Log, TEXT("%d %d"), ThreadIndex, Line);
			}
		});
	}
	for (std::thread& Thread : Threads)
	{
		Thread.join();
	}
	Log->FlushThreadedLogs();
	Log->SetCurrentThreadAsPrimaryThread();
	Log->RemoveOutputDevice(&Buffered);
	Log->RemoveOutputDevice(&Unbuffered);

	const std::vector<std::string> Lines = Buffered.Snapshot();
	ASSERT_EQ(Lines.size(), size_t(ThreadCount * LinesPerThread));
	EXPECT_EQ(Unbuffered.Snapshot().size(), Lines.size());
	// Per thread, lines arrive in the order they were logged.
	std::vector<int32> Next(ThreadCount, 0);
	for (const std::string& Line : Lines)
	{
		int32 ThreadIndex = -1;
		int32 Number = -1;
		ASSERT_EQ(std::sscanf(Line.c_str(), "LogCoreTest: %d %d", &ThreadIndex, &Number), 2);
		EXPECT_EQ(Number, Next[ThreadIndex]++);
	}
	for (std::thread::id Id : Buffered.Threads)
	{
		EXPECT_NE(Id, std::this_thread::get_id());
	}
}

TEST(Log, NewDevicesGetTheBacklogOnlyWhenAskedAndSuppressedLinesAreNotLogged)
{
	FOutputDeviceRedirector* Log = GLog;
	Log->EnableBacklog(false);
	Log->EnableBacklog(true);
	UE_LOG(LogCoreTest, Log, TEXT("before"));
	Log->FlushThreadedLogs();
	FRecordingDevice Late;
	Log->AddOutputDevice(&Late);
	UE_LOG(LogCoreTest, Log, TEXT("after"));
	LogCoreTest.SetVerbosity(ELogVerbosity::Warning);
	UE_LOG(LogCoreTest, Display, TEXT("suppressed"));
	LogCoreTest.SetVerbosity(ELogVerbosity::Log);
	Log->FlushThreadedLogs();
	EXPECT_EQ(Late.Snapshot(), std::vector<std::string>{"LogCoreTest: after"});
	FRecordingDevice Asking;
	Log->SerializeBacklog(&Asking);
	Log->RemoveOutputDevice(&Late);
	Log->EnableBacklog(false);
	EXPECT_EQ(Asking.Snapshot(), (std::vector<std::string>{"LogCoreTest: before", "LogCoreTest: after"}));
	EXPECT_FALSE(Log->IsRedirectingTo(&Late));
}

TEST(ConsoleRegistration, ANameRegisteredAgainWarnsAndTheNewCommandReplacesTheOld)
{
	FRecordingDevice Device;
	GLog->AddOutputDevice(&Device);
	int32 Ran = 0;
	TArray<FString> Received;
	TUniquePtr<FAutoConsoleCommand> First = MakeUnique<FAutoConsoleCommand>(TEXT("Test.Twice"), TEXT("first"),
		FConsoleCommandDelegate::CreateLambda([&Ran] { Ran = 1; }));
	TUniquePtr<FAutoConsoleCommand> Second = MakeUnique<FAutoConsoleCommand>(TEXT("test.twice"), TEXT("second"),
		FConsoleCommandWithArgsDelegate::CreateLambda([&Ran, &Received](const TArray<FString>& Args) { Ran = 2; Received = Args; }));
	GLog->FlushThreadedLogs();
	GLog->RemoveOutputDevice(&Device);
	EXPECT_EQ(LinesWith(Device.Snapshot(), "'test.twice'"), (std::vector<std::string>{"LogConsoleManager: Console object named 'test.twice' already exists but is being "
														   "registered again, but we weren't expected it to be! (FConsoleManager::AddConsoleObject)"}));

	EXPECT_TRUE(IConsoleManager::Get().ProcessUserConsoleInput(TEXT("  Test.Twice  a   b "), *GLog, nullptr));
	EXPECT_EQ(Ran, 2);
	EXPECT_EQ(Received, (TArray<FString>{TEXT("a"), TEXT("b")}));
	EXPECT_NE(IConsoleManager::Get().FindConsoleObject(TEXT("TEST.TWICE"))->AsCommand(), nullptr);
	EXPECT_EQ(UE::Host::ToUtf8(FString(IConsoleManager::Get().FindConsoleObject(TEXT("Test.Twice"))->GetHelp())), "second");
	// The replaced owner going away leaves the command that replaced it.
	First.Reset();
	EXPECT_NE(IConsoleManager::Get().FindConsoleObject(TEXT("Test.Twice")), nullptr);
	Second.Reset();
	EXPECT_EQ(IConsoleManager::Get().FindConsoleObject(TEXT("Test.Twice")), nullptr);
	EXPECT_FALSE(IConsoleManager::Get().ProcessUserConsoleInput(TEXT("Test.Twice a"), *GLog, nullptr));
}

TEST(ConsoleRegistration, VariablesAreNoCommandsAndNeverTradePlacesWithOne)
{
	IConsoleVariable* Variable = IConsoleManager::Get().RegisterConsoleVariable(TEXT("Test.Value"), 3, TEXT("a number"));
	ASSERT_NE(Variable, nullptr);
	EXPECT_EQ(IConsoleManager::Get().FindConsoleObject(TEXT("Test.Value"))->AsCommand(), nullptr);
	// Its name with a value sets it, as the console does.
	EXPECT_TRUE(IConsoleManager::Get().ProcessUserConsoleInput(TEXT("Test.Value 7"), *GLog, nullptr));
	EXPECT_EQ(Variable->GetInt(), 7);
	EXPECT_EQ(IConsoleManager::Get().RegisterConsoleVariable(TEXT("Test.Value"), 5, TEXT("again")), Variable);
	EXPECT_EQ(Variable->GetInt(), 7);
	GTEST_FLAG_SET(death_test_style, "threadsafe");
	EXPECT_DEATH(FAutoConsoleCommand(TEXT("Test.Value"), TEXT("clash"), FConsoleCommandDelegate::CreateLambda([] {})),
		"Console object named 'Test.Value' can't be replaced with the new one of different type!");
	IConsoleManager::Get().UnregisterConsoleObject(Variable);
	EXPECT_EQ(IConsoleManager::Get().FindConsoleObject(TEXT("Test.Value")), nullptr);
}

namespace
{
	bool EnsurePositive(int32 Value)
	{
		return ensure(Value > 0);
	}
}

TEST(Assertions, EnsureReportsOncePerCallSiteAndYieldsTheCondition)
{
	FRecordingDevice Device;
	GLog->AddOutputDevice(&Device);
	EXPECT_TRUE(EnsurePositive(1));
	EXPECT_FALSE(EnsurePositive(0));
	EXPECT_FALSE(EnsurePositive(-1));
	for (int32 Round = 0; Round < 2; ++Round)
	{
		EXPECT_FALSE(ensureMsgf(Round > 5, TEXT("round %d"), Round));
	}
	GLog->FlushThreadedLogs();
	GLog->RemoveOutputDevice(&Device);

	const std::vector<std::string> Lines = LinesWith(Device.Snapshot(), "LogOutputDevice: ");
	ASSERT_EQ(Lines.size(), 3u) << ::testing::PrintToString(Lines);
	EXPECT_EQ(Lines[0].rfind("LogOutputDevice: Ensure condition failed: Value > 0 [File:", 0), 0u) << Lines[0];
	EXPECT_EQ(Lines[1].rfind("LogOutputDevice: Ensure condition failed: Round > 5 [File:", 0), 0u) << Lines[1];
	EXPECT_EQ(Lines[2], "LogOutputDevice: round 0");
}
