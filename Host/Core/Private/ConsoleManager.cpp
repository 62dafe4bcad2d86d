// Copyright Vantle contributors. All Rights Reserved.
#include "HAL/IConsoleManager.h"

#include "Containers/Map.h"
#include "HostCore.h"

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
			IConsoleCommand* Command = Object ? Object->AsCommand() : nullptr;
			if (!Command)
			{
				return false;
			}
			return Command->Execute(Words, InWorld, Ar);
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

		TArray<FString> Names() const
		{
			std::lock_guard<std::recursive_mutex> Guard(Mutex);
			TArray<FString> Result;
			for (const auto& Pair : Objects)
			{
				Result.Add(Pair.Value.Name);
			}
			return Result;
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
			// A second registration under the same name replaces the first, as the engine warns and does.
			Objects.Add(FString(Name), FEntry{FString(Name), std::shared_ptr<IConsoleObject>(std::move(Command))});
			return Result;
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
	TArray<FString> GetConsoleObjectNames()
	{
		return GetManager().Names();
	}
}
