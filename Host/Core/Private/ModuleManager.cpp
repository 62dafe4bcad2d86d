// Copyright Vantle contributors. All Rights Reserved.
#include "Modules/ModuleManager.h"

#include "Containers/Map.h"
#include "HostCore.h"

#include <memory>
#include <vector>

struct FModuleManager::FState
{
	TMap<FName, FInitializeStaticallyLinkedModule> Initializers;
	struct FLoaded
	{
		FName Name;
		std::unique_ptr<IModuleInterface> Module;
	};
	std::vector<FLoaded> Loaded;
};

FModuleManager::FModuleManager() : State(std::make_unique<FState>()) {}
FModuleManager::~FModuleManager() = default;

FModuleManager& FModuleManager::Get()
{
	static FModuleManager* Manager = new FModuleManager();
	return *Manager;
}

void FModuleManager::RegisterStaticallyLinkedModule(const FName InModuleName, FInitializeStaticallyLinkedModule InInitializer)
{
	State->Initializers.Add(InModuleName, InInitializer);
}

bool FModuleManager::IsModuleLoaded(const FName InModuleName) const
{
	return GetModule(InModuleName) != nullptr;
}

IModuleInterface* FModuleManager::GetModule(const FName InModuleName) const
{
	for (const FState::FLoaded& Entry : State->Loaded)
	{
		if (Entry.Name == InModuleName)
		{
			return Entry.Module.get();
		}
	}
	return nullptr;
}

IModuleInterface* FModuleManager::LoadModule(const FName InModuleName)
{
	if (IModuleInterface* Existing = GetModule(InModuleName))
	{
		return Existing;
	}
	const FInitializeStaticallyLinkedModule* Initializer = State->Initializers.Find(InModuleName);
	if (!Initializer)
	{
		return nullptr;
	}
	IModuleInterface* Module = (*Initializer)();
	if (!Module)
	{
		return nullptr;
	}
	State->Loaded.push_back(FState::FLoaded{InModuleName, std::unique_ptr<IModuleInterface>(Module)});
	Module->StartupModule();
	return Module;
}

bool FModuleManager::UnloadModule(const FName InModuleName, bool bIsShutdown)
{
	(void)bIsShutdown;
	for (auto It = State->Loaded.begin(); It != State->Loaded.end(); ++It)
	{
		if (It->Name == InModuleName)
		{
			It->Module->PreUnloadCallback();
			It->Module->ShutdownModule();
			// Out of the list before destruction, so IsModuleLoaded is false while it dies.
			std::unique_ptr<IModuleInterface> Dying = std::move(It->Module);
			State->Loaded.erase(It);
			Dying.reset();
			return true;
		}
	}
	return false;
}
