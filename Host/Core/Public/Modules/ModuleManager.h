// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/Array.h"
#include "Modules/ModuleInterface.h"
#include "UObject/NameTypes.h"

#include <memory>

typedef IModuleInterface* (*FInitializeStaticallyLinkedModule)();

class FDefaultModuleImpl : public IModuleInterface
{
};

// Loads modules by name and owns them until they are unloaded. Modules of this build are linked
// statically and register their factory at static initialisation, as in a monolithic build.
class FModuleManager
{
public:
	static CORE_API FModuleManager& Get();

	CORE_API bool IsModuleLoaded(const FName InModuleName) const;
	// Creates the module with its factory and calls StartupModule; null for an unknown name.
	CORE_API IModuleInterface* LoadModule(const FName InModuleName);
	// Calls ShutdownModule and destroys the module object.
	CORE_API bool UnloadModule(const FName InModuleName, bool bIsShutdown = false);
	CORE_API IModuleInterface* GetModule(const FName InModuleName) const;
	CORE_API void RegisterStaticallyLinkedModule(const FName InModuleName, FInitializeStaticallyLinkedModule InInitializer);

	template <typename TModuleInterface>
	static TModuleInterface* GetModulePtr(const FName InModuleName)
	{
		return static_cast<TModuleInterface*>(Get().GetModule(InModuleName));
	}
	template <typename TModuleInterface>
	static TModuleInterface& GetModuleChecked(const FName InModuleName)
	{
		TModuleInterface* Module = GetModulePtr<TModuleInterface>(InModuleName);
		check(Module);
		return *Module;
	}
	template <typename TModuleInterface>
	static TModuleInterface& LoadModuleChecked(const FName InModuleName)
	{
		IModuleInterface* Module = Get().LoadModule(InModuleName);
		check(Module);
		return *static_cast<TModuleInterface*>(Module);
	}

private:
	FModuleManager();
	~FModuleManager();
	struct FState;
	std::unique_ptr<FState> State;
};

class FStaticallyLinkedModuleRegistrant
{
public:
	FStaticallyLinkedModuleRegistrant(const TCHAR* InModuleName, FInitializeStaticallyLinkedModule InInitializer)
	{
		FModuleManager::Get().RegisterStaticallyLinkedModule(FName(InModuleName), InInitializer);
	}
};

#define IMPLEMENT_MODULE(ModuleImplClass, ModuleName) \
	static IModuleInterface* InitializeModule##ModuleName() { return new ModuleImplClass(); } \
	static FStaticallyLinkedModuleRegistrant ModuleRegistrant##ModuleName(TEXT(#ModuleName), &InitializeModule##ModuleName); \
	extern "C" void IMPLEMENT_MODULE_##ModuleName() {}
