// Copyright Vantle contributors. All Rights Reserved.
#include "ToolMenus.h"
#include "CoreGlobals.h"

#include "Modules/ModuleManager.h"
#include "ToolMenusInternal.h"

#include <memory>
#include <vector>

DEFINE_LOG_CATEGORY(LogToolMenus);

struct UToolMenus::FState
{
	// Owned here so a UToolMenu* handed out stays valid until ToolMenus shuts down.
	std::vector<std::unique_ptr<UToolMenu>> Menus;
	TArray<FToolMenuOwner> OwnerStack;
};

namespace
{
	std::unique_ptr<UToolMenus> Singleton;
	// Set by the module's shut-down so that late callers get null instead of a new registry.
	bool bHasShutDown = false;
	// Outlives the registry, as the engine's static list does: plugins unregister from it at any time.
	FSimpleMulticastDelegate StartupCallbacks;
	// Engine start-up is over and menus can be built.
	bool bToolMenuUIEnabled = false;
}

class FToolMenusModule : public IModuleInterface
{
public:
	virtual void StartupModule() override
	{
		bHasShutDown = false;
		if (!Singleton)
		{
			Singleton = FToolMenusHostAccess::CreateRegistry();
		}
	}
	virtual void ShutdownModule() override
	{
		Singleton.reset();
		bHasShutDown = true;
	}
};

IMPLEMENT_MODULE(FToolMenusModule, ToolMenus)

UToolMenus::UToolMenus() : State(std::make_unique<FState>()) {}
UToolMenus::~UToolMenus() = default;

UToolMenus* UToolMenus::Get()
{
	check(IsInGameThread());
	if (!Singleton && !bHasShutDown)
	{
		FModuleManager::Get().LoadModule(TEXT("ToolMenus"));
	}
	return Singleton.get();
}

UToolMenus* UToolMenus::TryGet()
{
	return Singleton.get();
}

FDelegateHandle UToolMenus::RegisterStartupCallback(const FSimpleMulticastDelegate::FDelegate& InDelegate)
{
	check(IsInGameThread());
	if (bToolMenuUIEnabled && TryGet())
	{
		InDelegate.ExecuteIfBound();
		return FDelegateHandle();
	}
	return StartupCallbacks.Add(InDelegate);
}

void UToolMenus::UnRegisterStartupCallback(FDelegateUserObjectConst UserPointer)
{
	StartupCallbacks.RemoveAll(UserPointer);
}

void UToolMenus::UnRegisterStartupCallback(FDelegateHandle InHandle)
{
	StartupCallbacks.Remove(InHandle);
}

UToolMenu* UToolMenus::RegisterMenu(const FName Name, const FName Parent)
{
	check(IsInGameThread());
	if (UToolMenu* Found = FindMenu(Name))
	{
		if (!Found->bRegistered)
		{
			Found->MenuParent = Parent;
			Found->MenuOwner = CurrentOwner();
			Found->bRegistered = true;
			Found->bIsRegistering = true;
			for (FToolMenuSection& Section : Found->Sections)
			{
				Section.bIsRegistering = true;
			}
		}
		else
		{
			UE_LOG(LogToolMenus, Warning, TEXT("Menu already registered : %s"), *Name.ToString());
		}
		return Found;
	}

	std::unique_ptr<UToolMenu> Menu = std::make_unique<UToolMenu>();
	Menu->MenuName = Name;
	Menu->MenuParent = Parent;
	Menu->MenuOwner = CurrentOwner();
	Menu->bRegistered = true;
	Menu->bIsRegistering = true;
	State->Menus.push_back(std::move(Menu));
	return State->Menus.back().get();
}

UToolMenu* UToolMenus::ExtendMenu(const FName Name)
{
	check(IsInGameThread());
	if (UToolMenu* Found = FindMenu(Name))
	{
		// From here on additions are extensions, not the menu's own content.
		Found->bIsRegistering = false;
		for (FToolMenuSection& Section : Found->Sections)
		{
			Section.bIsRegistering = false;
		}
		return Found;
	}

	std::unique_ptr<UToolMenu> Menu = std::make_unique<UToolMenu>();
	Menu->MenuName = Name;
	State->Menus.push_back(std::move(Menu));
	return State->Menus.back().get();
}

UToolMenu* UToolMenus::FindMenu(const FName Name)
{
	check(IsInGameThread());
	for (const std::unique_ptr<UToolMenu>& Menu : State->Menus)
	{
		if (Menu->MenuName == Name)
		{
			return Menu.get();
		}
	}
	return nullptr;
}

bool UToolMenus::IsMenuRegistered(const FName Name) const
{
	for (const std::unique_ptr<UToolMenu>& Menu : State->Menus)
	{
		if (Menu->MenuName == Name)
		{
			return Menu->bRegistered;
		}
	}
	return false;
}

void UToolMenus::RemoveSection(const FName MenuName, const FName Section)
{
	if (UToolMenu* Menu = FindMenu(MenuName))
	{
		Menu->Sections.RemoveAll([Section](const FToolMenuSection& Candidate) { return Candidate.Name == Section; });
	}
}

void UToolMenus::RemoveEntry(const FName MenuName, const FName Section, const FName Name)
{
	if (UToolMenu* Menu = FindMenu(MenuName))
	{
		if (FToolMenuSection* Found = Menu->FindSection(Section))
		{
			Found->RemoveEntry(Name);
		}
	}
}

FToolMenuOwner UToolMenus::CurrentOwner() const
{
	return State->OwnerStack.IsEmpty() ? FToolMenuOwner() : State->OwnerStack.Last();
}

void UToolMenus::PushOwner(const FToolMenuOwner InOwner)
{
	State->OwnerStack.Add(InOwner);
}

void UToolMenus::PopOwner(const FToolMenuOwner InOwner)
{
	check(!State->OwnerStack.IsEmpty());
	const FToolMenuOwner Popped = State->OwnerStack.Pop();
	check(Popped == InOwner);
}

void UToolMenus::UnregisterOwnerInternal(FToolMenuOwner InOwner)
{
	check(IsInGameThread());
	if (!InOwner.IsSet())
	{
		return;
	}
	for (const std::unique_ptr<UToolMenu>& Menu : State->Menus)
	{
		for (int32 SectionIndex = Menu->Sections.Num() - 1; SectionIndex >= 0; --SectionIndex)
		{
			FToolMenuSection& Section = Menu->Sections[SectionIndex];
			Section.RemoveEntriesByOwner(InOwner);
			// A section the owner added goes with it once nobody else has entries in it.
			if (Section.Owner == InOwner && Section.Blocks.IsEmpty())
			{
				Menu->Sections.RemoveAt(SectionIndex);
			}
		}
	}
}

FToolMenuOwnerScoped::FToolMenuOwnerScoped(const FToolMenuOwner InOwner) : Owner(InOwner)
{
	if (UToolMenus* ToolMenus = UToolMenus::Get())
	{
		ToolMenus->PushOwner(InOwner);
	}
}

FToolMenuOwnerScoped::~FToolMenuOwnerScoped()
{
	// ToolMenus may have shut down inside the scope; its owner stack went with it.
	if (UToolMenus* ToolMenus = UToolMenus::TryGet())
	{
		ToolMenus->PopOwner(Owner);
	}
}

std::unique_ptr<UToolMenus> FToolMenusHostAccess::CreateRegistry()
{
	return std::unique_ptr<UToolMenus>(new UToolMenus());
}

TArray<UToolMenu*> FToolMenusHostAccess::GetMenus(UToolMenus& ToolMenus)
{
	TArray<UToolMenu*> Result;
	for (const std::unique_ptr<UToolMenu>& Menu : ToolMenus.State->Menus)
	{
		Result.Add(Menu.get());
	}
	return Result;
}

void FToolMenusHostAccess::RunStartupCallbacks()
{
	bToolMenuUIEnabled = true;
	if (!UToolMenus::TryGet())
	{
		return;
	}
	// Taken out first: a callback that registers another one sees the UI enabled and runs it at once.
	FSimpleMulticastDelegate Pending = StartupCallbacks;
	StartupCallbacks.Clear();
	Pending.Broadcast();
}

void FToolMenusHostAccess::ResetStartupCallbacks()
{
	bToolMenuUIEnabled = false;
	StartupCallbacks.Clear();
}

int32 FToolMenusHostAccess::GetPendingStartupCallbackCount()
{
	return StartupCallbacks.Num();
}
