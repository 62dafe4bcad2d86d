// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/Map.h"
#include "Delegates/Delegate.h"
#include "Framework/Docking/WorkspaceItem.h"
#include "Internationalization/Text.h"
#include "Math/Vector2D.h"
#include "Misc/Attribute.h"
#include "Templates/SharedPointer.h"
#include "Textures/SlateIcon.h"
#include "UObject/NameTypes.h"

class SDockTab;
class SWindow;

namespace UE::Host
{
	struct FTabManagerAccess;
}

// A tab's identity: its type name and, for tabs with several instances, an instance id.
struct FTabId
{
	FTabId() = default;
	FTabId(const FName InTabType) : TabType(InTabType) {}
	FTabId(const FName InTabType, const int32 InInstanceId) : TabType(InTabType), InstanceId(InInstanceId) {}

	// Same type, and instance ids equal or either one INDEX_NONE (the engine's wildcard).
	bool operator==(const FTabId& Other) const
	{
		return TabType == Other.TabType && (InstanceId == INDEX_NONE || Other.InstanceId == INDEX_NONE || InstanceId == Other.InstanceId);
	}
	bool operator!=(const FTabId& Other) const { return !(*this == Other); }
	friend uint32 GetTypeHash(const FTabId& In) { return GetTypeHash(In.TabType) ^ static_cast<uint32>(In.InstanceId); }
	FString ToString() const { return TabType.ToString(); }

	FName TabType;
	int32 InstanceId = INDEX_NONE;
};

class FSpawnTabArgs
{
public:
	FSpawnTabArgs(const TSharedPtr<SWindow>& InOwnerWindow, const FTabId& InTabBeingSpawenedId)
		: TabIdBeingSpawned(InTabBeingSpawenedId), OwnerWindow(InOwnerWindow)
	{
	}

	const FTabId& GetTabId() const { return TabIdBeingSpawned; }

private:
	FTabId TabIdBeingSpawned;
	TSharedPtr<SWindow> OwnerWindow;
};

DECLARE_DELEGATE_RetVal_OneParam(TSharedRef<SDockTab>, FOnSpawnTab, const FSpawnTabArgs&);
DECLARE_DELEGATE_RetVal_OneParam(bool, FCanSpawnTab, const FSpawnTabArgs&);

// How a tab type is spawned, and how it is listed in the Window menu. Owned by the tab manager.
struct FTabSpawnerEntry : public FWorkspaceItem
{
	FTabSpawnerEntry(const FName& InTabType, const FOnSpawnTab& InSpawnTabMethod, const FCanSpawnTab& InCanSpawnTab)
		: FWorkspaceItem(FText::FromName(InTabType), FSlateIcon(), false), TabType(InTabType), OnSpawnTab(InSpawnTabMethod), CanSpawnTab(InCanSpawnTab)
	{
	}

	FTabSpawnerEntry& SetDisplayName(const FText& InLegibleName)
	{
		DisplayNameAttribute = InLegibleName;
		return *this;
	}
	FTabSpawnerEntry& SetIcon(const FSlateIcon& InIcon)
	{
		Icon = InIcon;
		return *this;
	}

private:
	friend class FTabManager;
	friend struct UE::Host::FTabManagerAccess;

	FName TabType;
	FOnSpawnTab OnSpawnTab;
	FCanSpawnTab CanSpawnTab;
	// The last tab spawned from this entry, while it lives.
	TWeakPtr<SDockTab> SpawnedTabPtr;
};

// Spawns, finds and closes tabs. In the host every spawned tab floats in a window of its own,
// sized by the default size registered for its id.
class FTabManager : public TSharedFromThis<FTabManager>
{
public:
	virtual ~FTabManager() = default;

	// Sets the window size a tab of that id gets when it opens in a window of its own.
	static void RegisterDefaultTabWindowSize(const FTabId& TabName, const FVector2D DefaultSize) { DefaultTabWindowSizeMap.Add(TabName, DefaultSize); }
	// Removes that entry.
	static void UnregisterDefaultTabWindowSize(const FTabId& TabName) { DefaultTabWindowSizeMap.Remove(TabName); }

	// Brings a live tab of that id to the front, or spawns one in a new window; null when no spawner
	// knows the id or its CanSpawnTab refuses.
	virtual TSharedPtr<SDockTab> TryInvokeTab(const FTabId& TabId, bool bInvokeAsInactive = false);
	// The live tab of that id, or null.
	TSharedPtr<SDockTab> FindExistingLiveTab(const FTabId& TabId) const;

	// Whether the nomad spawners know the id.
	bool HasTabSpawner(FName TabId) const;

protected:
	FTabManager() = default;

	// The map value for the id, else FallbackWindowSize.
	static FVector2D GetDefaultTabWindowSize(const FTabId& TabId);
	// Removes a closing tab's window; called by SDockTab::RequestCloseTab.
	void OnTabClosing(const TSharedRef<SDockTab>& TabBeingClosed);
	TSharedPtr<FTabSpawnerEntry> FindTabSpawnerFor(FName TabId) const;
	TSharedPtr<SDockTab> SpawnTab(const FTabId& TabId, const TSharedRef<FTabSpawnerEntry>& Spawner);

	static const FVector2D FallbackWindowSize;
	static TMap<FTabId, FVector2D> DefaultTabWindowSizeMap;

	// Shared by every manager: the global tab manager's nomad spawners.
	static TMap<FName, TSharedRef<FTabSpawnerEntry>>& GetNomadTabSpawner();

private:
	friend class SDockTab;
	friend struct UE::Host::FTabManagerAccess;
};

// The editor's tab manager.
class FGlobalTabmanager : public FTabManager
{
public:
	static const TSharedRef<FGlobalTabmanager>& Get();

	// Registers a spawner for a tab that can be docked anywhere or float (replacing one of the same id).
	FTabSpawnerEntry& RegisterNomadTabSpawner(const FName TabId, const FOnSpawnTab& OnSpawnTab, const FCanSpawnTab& CanSpawnTab = FCanSpawnTab());
	// Removes that spawner; a tab that is open stays open.
	void UnregisterNomadTabSpawner(const FName TabId);
	// The tab in the active window, or null.
	TSharedPtr<SDockTab> GetActiveTab() const;

private:
	FGlobalTabmanager() = default;
};
