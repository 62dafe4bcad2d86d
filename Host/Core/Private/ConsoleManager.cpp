// Copyright Vantle contributors. All Rights Reserved.
#include "HAL/IConsoleManager.h"
#include "CoreGlobals.h"

#include "Containers/Map.h"
#include "HostCore.h"
#include "Logging/LogMacros.h"

#include <memory>
#include <mutex>
#include <variant>
#include <vector>

namespace
{
	using FAnyCommandDelegate = std::variant<FConsoleCommandDelegate, FConsoleCommandWithArgsDelegate, FConsoleCommandWithWorldDelegate,
		FConsoleCommandWithWorldAndArgsDelegate, FConsoleCommandWithOutputDeviceDelegate, FConsoleCommandWithArgsAndOutputDeviceDelegate,
		FConsoleCommandWithWorldArgsAndOutputDeviceDelegate>;

	class FConsoleCommand final : public IConsoleCommand
	{
	public:
		FConsoleCommand(const TCHAR* InHelp, FAnyCommandDelegate InDelegate, uint32 InFlags) : Help(InHelp), Delegate(std::move(InDelegate)), Flags(InFlags) {}

		const TCHAR* GetHelp() const override { return *Help; }
		uint32 GetFlags() const override { return Flags; }
		IConsoleCommand* AsCommand() override { return this; }

		bool Execute(const TArray<FString>& Args, UWorld* InWorld, FOutputDevice& OutputDevice) override
		{
			check(IsInGameThread());
			struct FVisitor
			{
				const TArray<FString>& Args;
				UWorld* World;
				FOutputDevice& Ar;
				bool operator()(const FConsoleCommandDelegate& D) const { return D.ExecuteIfBound(); }
				bool operator()(const FConsoleCommandWithArgsDelegate& D) const { return D.ExecuteIfBound(Args); }
				bool operator()(const FConsoleCommandWithWorldDelegate& D) const { return D.ExecuteIfBound(World); }
				bool operator()(const FConsoleCommandWithWorldAndArgsDelegate& D) const { return D.ExecuteIfBound(Args, World); }
				bool operator()(const FConsoleCommandWithOutputDeviceDelegate& D) const { return D.ExecuteIfBound(Ar); }
				bool operator()(const FConsoleCommandWithArgsAndOutputDeviceDelegate& D) const { return D.ExecuteIfBound(Args, Ar); }
				bool operator()(const FConsoleCommandWithWorldArgsAndOutputDeviceDelegate& D) const { return D.ExecuteIfBound(Args, World, Ar); }
			};
			return std::visit(FVisitor{Args, InWorld, OutputDevice}, Delegate);
		}

	private:
		FString Help;
		FAnyCommandDelegate Delegate;
		uint32 Flags;
	};

	class FConsoleVariable final : public IConsoleVariable
	{
	public:
		FConsoleVariable(const TCHAR* InHelp, int32 InValue, uint32 InFlags) : Help(InHelp), Value(InValue), Flags(InFlags) {}

		const TCHAR* GetHelp() const override { return *Help; }
		uint32 GetFlags() const override { return Flags; }
		IConsoleVariable* AsVariable() override { return this; }
		int32 GetInt() const override { return Value; }
		void Set(int32 InValue) { Value = InValue; }

	private:
		FString Help;
		int32 Value;
		uint32 Flags;
	};

	DEFINE_LOG_CATEGORY_STATIC(LogConsoleManager, Log, All);

	class FConsoleManager final : public IConsoleManager
	{
	public:
		IConsoleObject* FindConsoleObject(const TCHAR* Name, bool bTrackFrequentCalls) const override
		{
			(void)bTrackFrequentCalls;
			std::lock_guard<std::recursive_mutex> Guard(Mutex);
			const FEntry* Found = Objects.Find(FString(Name));
			return Found ? Found->Object.get() : nullptr;
		}

		bool ProcessUserConsoleInput(const TCHAR* Input, FOutputDevice& Ar, UWorld* InWorld) override
		{
			check(IsInGameThread());
			const FString Line = FString(Input).TrimStartAndEnd();
			if (Line.IsEmpty())
			{
				return false;
			}
			TArray<FString> Words;
			Line.ParseIntoArrayWS(Words);
			const FString Name = Words[0];
			Words.RemoveAt(0);
			IConsoleObject* Object = FindConsoleObject(*Name, true);
			if (!Object)
			{
				return false;
			}
			if (IConsoleCommand* Command = Object->AsCommand())
			{
				return Command->Execute(Words, InWorld, Ar);
			}
			// A variable's name with a value sets it; alone, it prints it. Either way the line is handled.
			FConsoleVariable* Variable = static_cast<FConsoleVariable*>(Object->AsVariable());
			if (Words.Num() > 0)
			{
				Variable->Set(FCString::Atoi(*Words[0]));
			}
			Ar.Logf(TEXT("%s = \"%d\""), *Name, Variable->GetInt());
			return true;
		}

#define VANTLE_HOST_REGISTER(DelegateType) \
	IConsoleCommand* RegisterConsoleCommand(const TCHAR* Name, const TCHAR* Help, const DelegateType& Command, uint32 Flags) override \
	{ \
		return Register(Name, std::make_unique<FConsoleCommand>(Help, FAnyCommandDelegate(Command), Flags)); \
	}
		VANTLE_HOST_REGISTER(FConsoleCommandDelegate)
		VANTLE_HOST_REGISTER(FConsoleCommandWithArgsDelegate)
		VANTLE_HOST_REGISTER(FConsoleCommandWithWorldDelegate)
		VANTLE_HOST_REGISTER(FConsoleCommandWithWorldAndArgsDelegate)
		VANTLE_HOST_REGISTER(FConsoleCommandWithOutputDeviceDelegate)
		VANTLE_HOST_REGISTER(FConsoleCommandWithArgsAndOutputDeviceDelegate)
		VANTLE_HOST_REGISTER(FConsoleCommandWithWorldArgsAndOutputDeviceDelegate)
#undef VANTLE_HOST_REGISTER

		IConsoleVariable* RegisterConsoleVariable(const TCHAR* Name, int32 DefaultValue, const TCHAR* Help, uint32 Flags) override
		{
			std::lock_guard<std::recursive_mutex> Guard(Mutex);
			if (FEntry* Existing = Objects.Find(FString(Name)))
			{
				IConsoleVariable* ExistingVariable = Existing->Object->AsVariable();
				ReportTaken(Name, ExistingVariable != nullptr);
				return ExistingVariable;
			}
			auto Variable = std::make_shared<FConsoleVariable>(Help, DefaultValue, Flags);
			Objects.Add(FString(Name), FEntry{FString(Name), Variable});
			return Variable.get();
		}

		void UnregisterConsoleObject(IConsoleObject* ConsoleObject, bool bKeepState) override
		{
			(void)bKeepState;
			std::lock_guard<std::recursive_mutex> Guard(Mutex);
			FString Key;
			for (const auto& Pair : Objects)
			{
				if (Pair.Value.Object.get() == ConsoleObject)
				{
					Key = Pair.Key;
					break;
				}
			}
			if (!Key.IsEmpty())
			{
				// Deleted after the map no longer refers to it, in case the command is running.
				std::shared_ptr<IConsoleObject> Keep = Objects.FindChecked(Key).Object;
				Objects.Remove(Key);
			}
		}

	private:
		struct FEntry
		{
			FString Name;
			std::shared_ptr<IConsoleObject> Object;
		};

		IConsoleCommand* Register(const TCHAR* Name, std::unique_ptr<FConsoleCommand> Command)
		{
			std::lock_guard<std::recursive_mutex> Guard(Mutex);
			IConsoleCommand* Result = Command.get();
			if (FEntry* Existing = Objects.Find(FString(Name)))
			{
				// The engine warns and replaces an existing command; the old one is deleted.
				ReportTaken(Name, Existing->Object->AsCommand() != nullptr);
			}
			Objects.Add(FString(Name), FEntry{FString(Name), std::shared_ptr<IConsoleObject>(std::move(Command))});
			return Result;
		}

		// A name registered again warns; a different kind of object under that name is fatal.
		static void ReportTaken(const TCHAR* Name, bool bSameKind)
		{
			if (!bSameKind)
			{
				UE_LOG(LogConsoleManager, Fatal, TEXT("Console object named '%s' can't be replaced with the new one of different type!"), Name);
			}
			UE_LOG(LogConsoleManager, Warning, TEXT("Console object named '%s' already exists but is being registered again, but we weren't expected it to be! (FConsoleManager::AddConsoleObject)"), Name);
		}

		mutable std::recursive_mutex Mutex;
		TMap<FString, FEntry> Objects;
	};

	FConsoleManager& GetManager()
	{
		static FConsoleManager* Manager = new FConsoleManager();
		return *Manager;
	}
}

IConsoleManager& IConsoleManager::Get()
{
	return GetManager();
}

namespace UE::Host
{
}
