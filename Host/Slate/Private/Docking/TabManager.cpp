// Copyright Vantle contributors. All Rights Reserved.
#include "Framework/Docking/TabManager.h"
#include "CoreGlobals.h"

#include "Framework/Application/SlateApplication.h"
#include "Logging/LogMacros.h"
#include "SDockingTabStack.h"
#include "Widgets/Docking/SDockTab.h"
#include "Widgets/SWindow.h"

DEFINE_LOG_CATEGORY_STATIC(LogTabManager, Log, All);

const FVector2D FTabManager::FallbackWindowSize(1000.0, 600.0);
TMap<FTabId, FVector2D> FTabManager::DefaultTabWindowSizeMap;

namespace
{
	// Tabs spawned by any manager that may still live; a tab is found by its id while it does.
	TArray<TWeakPtr<SDockTab>>& GetLiveTabs()
	{
		static TArray<TWeakPtr<SDockTab>>* LiveTabs = new TArray<TWeakPtr<SDockTab>>();
		LiveTabs->RemoveAll([](const TWeakPtr<SDockTab>& Tab) { return !Tab.IsValid(); });
		return *LiveTabs;
	}
}

TMap<FName, TSharedRef<FTabSpawnerEntry>>& FTabManager::GetNomadTabSpawner()
{
	static TMap<FName, TSharedRef<FTabSpawnerEntry>>* NomadTabSpawner = new TMap<FName, TSharedRef<FTabSpawnerEntry>>();
	return *NomadTabSpawner;
}

FVector2D FTabManager::GetDefaultTabWindowSize(const FTabId& TabId)
{
	const FVector2D* Size = DefaultTabWindowSizeMap.Find(TabId);
	return Size ? *Size : FallbackWindowSize;
}

bool FTabManager::HasTabSpawner(FName TabId) const
{
	return GetNomadTabSpawner().Contains(TabId);
}

TSharedPtr<FTabSpawnerEntry> FTabManager::FindTabSpawnerFor(FName TabId) const
{
	if (const TSharedRef<FTabSpawnerEntry>* Nomad = GetNomadTabSpawner().Find(TabId))
	{
		return *Nomad;
	}
	return nullptr;
}

TSharedPtr<SDockTab> FTabManager::FindExistingLiveTab(const FTabId& TabId) const
{
	for (const TWeakPtr<SDockTab>& Weak : GetLiveTabs())
	{
		TSharedPtr<SDockTab> Tab = Weak.Pin();
		if (Tab.IsValid() && Tab->GetLayoutIdentifier() == TabId)
		{
			return Tab;
		}
	}
	return nullptr;
}

TSharedPtr<SDockTab> FTabManager::TryInvokeTab(const FTabId& TabId, bool bInvokeAsInactive)
{
	check(IsInGameThread());
	if (!FSlateApplication::IsInitialized())
	{
		UE_LOG(LogTabManager, Error, TEXT("Cannot invoke tab '%s': the Slate application is not running."), *TabId.ToString());
		return nullptr;
	}
	if (TSharedPtr<SDockTab> Existing = FindExistingLiveTab(TabId))
	{
		if (!bInvokeAsInactive)
		{
			if (TSharedPtr<SWindow> Window = Existing->GetParentWindow())
			{
				FSlateApplication::Get().BringWindowToFront(Window.ToSharedRef());
			}
		}
		return Existing;
	}
	TSharedPtr<FTabSpawnerEntry> Spawner = FindTabSpawnerFor(TabId.TabType);
	if (!Spawner.IsValid())
	{
		UE_LOG(LogTabManager, Warning, TEXT("Cannot invoke tab '%s': no tab spawner is registered for it."), *TabId.ToString());
		return nullptr;
	}
	return SpawnTab(TabId, Spawner.ToSharedRef());
}

TSharedPtr<SDockTab> FTabManager::SpawnTab(const FTabId& TabId, const TSharedRef<FTabSpawnerEntry>& Spawner)
{
	const FSpawnTabArgs Args(nullptr, TabId);
	if (Spawner->CanSpawnTab.IsBound() && !Spawner->CanSpawnTab.Execute(Args))
	{
		return nullptr;
	}
	if (!Spawner->OnSpawnTab.IsBound())
	{
		UE_LOG(LogTabManager, Warning, TEXT("Cannot spawn tab '%s': its spawner has no spawn delegate."), *TabId.ToString());
		return nullptr;
	}

	const TSharedRef<SDockTab> NewTab = Spawner->OnSpawnTab.Execute(Args);
	NewTab->SetLayoutIdentifier(TabId);
	NewTab->SetTabManager(AsShared());
	// A tab without its own label and icon shows the spawner's.
	if (!NewTab->TabLabel.IsSet())
	{
		NewTab->SetLabel(Spawner->DisplayNameAttribute);
	}
	if (!NewTab->TabIcon.IsSet())
	{
		// Resolved once: the tab paints with this brush for as long as it lives, as the engine's does.
		const FSlateIcon Icon = Spawner->GetIcon();
		NewTab->SetTabIcon(Icon.IsSet() ? Icon.GetIcon() : nullptr);
	}
	Spawner->SpawnedTabPtr = NewTab;
	GetLiveTabs().Add(NewTab);

	// The window's title follows the tab's label.
	const TWeakPtr<SDockTab> WeakTab = NewTab;
	TAttribute<FText> Title = TAttribute<FText>::Create(
		[WeakTab]()
		{
			const TSharedPtr<SDockTab> Tab = WeakTab.Pin();
			return Tab.IsValid() ? Tab->GetTabLabel() : FText();
		});
	// clang-format off
	const TSharedRef<SWindow> Window = SNew(SWindow)
		.Title(Title)
		.ClientSize(GetDefaultTabWindowSize(TabId))
		[
			SNew(SDockingTabStack, NewTab)
		];
	// clang-format on
	FSlateApplication::Get().AddWindow(Window);
	NewTab->bIsForeground = true;
	return NewTab;
}

void FTabManager::OnTabClosing(const TSharedRef<SDockTab>& TabBeingClosed)
{
	GetLiveTabs().RemoveAll([&TabBeingClosed](const TWeakPtr<SDockTab>& Tab) { return Tab.Pin() == TabBeingClosed; });
	if (FSlateApplication::IsInitialized())
	{
		// Each floating tab has a window of its own; closing the tab closes it at the end of the next frame.
		if (TSharedPtr<SWindow> Window = FSlateApplication::Get().FindWidgetWindow(TabBeingClosed))
		{
			FSlateApplication::Get().RequestDestroyWindow(Window.ToSharedRef());
		}
	}
}

const TSharedRef<FGlobalTabmanager>& FGlobalTabmanager::Get()
{
	check(IsInGameThread());
	static const TSharedRef<FGlobalTabmanager>* Instance = new TSharedRef<FGlobalTabmanager>(MakeShareable(new FGlobalTabmanager()));
	return *Instance;
}

FTabSpawnerEntry& FGlobalTabmanager::RegisterNomadTabSpawner(const FName TabId, const FOnSpawnTab& OnSpawnTab, const FCanSpawnTab& CanSpawnTab)
{
	TSharedRef<FTabSpawnerEntry> Entry = MakeShareable(new FTabSpawnerEntry(TabId, OnSpawnTab, CanSpawnTab));
	GetNomadTabSpawner().Add(TabId, Entry);
	return Entry.Get();
}

void FGlobalTabmanager::UnregisterNomadTabSpawner(const FName TabId)
{
	GetNomadTabSpawner().Remove(TabId);
}

TSharedPtr<SDockTab> FGlobalTabmanager::GetActiveTab() const
{
	if (!FSlateApplication::IsInitialized())
	{
		return nullptr;
	}
	const TSharedPtr<SWindow> Active = FSlateApplication::Get().GetActiveTopLevelWindow();
	for (const TWeakPtr<SDockTab>& Weak : GetLiveTabs())
	{
		TSharedPtr<SDockTab> Tab = Weak.Pin();
		if (Tab.IsValid() && Active.IsValid() && Tab->GetParentWindow() == Active)
		{
			return Tab;
		}
	}
	return nullptr;
}
