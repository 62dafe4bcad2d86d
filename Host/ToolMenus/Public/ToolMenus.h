// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "Misc/Attribute.h"
#include "ToolMenu.h"
#include "ToolMenuDelegates.h"
#include "ToolMenuEntry.h"
#include "ToolMenuMisc.h"
#include "ToolMenuOwner.h"
#include "ToolMenuSection.h"

#include <memory>

// The editor's registry of menus and toolbars.
class UToolMenus
{
public:
	// The registry; loads the ToolMenus module on first use. Null once that module has shut down.
	static TOOLMENUS_API UToolMenus* Get();
	// The registry, or null while the ToolMenus module is not running; never loads it.
	static TOOLMENUS_API UToolMenus* TryGet();

	// Removes every entry of the owner from every menu, and its sections that are left empty;
	// does nothing when ToolMenus is gone.
	static void UnregisterOwner(FToolMenuOwner Owner)
	{
		if (UToolMenus* ToolMenus = TryGet())
		{
			ToolMenus->UnregisterOwnerInternal(Owner);
		}
	}

	// Runs the callback once menus can be extended: at once when they already can, otherwise after
	// engine start-up (the returned handle is then valid).
	static TOOLMENUS_API FDelegateHandle RegisterStartupCallback(const FSimpleMulticastDelegate::FDelegate& InDelegate);
	// Drops the queued callbacks bound to that object.
	static TOOLMENUS_API void UnRegisterStartupCallback(FDelegateUserObjectConst UserPointer);
	// Drops the queued callback with that handle.
	static TOOLMENUS_API void UnRegisterStartupCallback(FDelegateHandle InHandle);

	// Registers the menu under its parent (adopting an earlier extension of it, sections and entries
	// kept); warns and returns the existing one when it is already registered.
	TOOLMENUS_API UToolMenu* RegisterMenu(const FName Name, const FName Parent = NAME_None);
	// The menu to extend, created as an unregistered placeholder when nobody registered it yet.
	TOOLMENUS_API UToolMenu* ExtendMenu(const FName Name);
	// The menu (registered or only extended), or null.
	TOOLMENUS_API UToolMenu* FindMenu(const FName Name);
	TOOLMENUS_API bool IsMenuRegistered(const FName Name) const;
	// Removes the section from the menu when both exist.
	TOOLMENUS_API void RemoveSection(const FName MenuName, const FName Section);
	// Removes the entry from that section of the menu when they exist.
	TOOLMENUS_API void RemoveEntry(const FName MenuName, const FName Section, const FName Name);
	// The owner that entries built now are stamped with: the innermost owner scope, or unset.
	TOOLMENUS_API FToolMenuOwner CurrentOwner() const;

	// Destroyed with the ToolMenus module.
	TOOLMENUS_API ~UToolMenus();

private:
	friend struct FToolMenuOwnerScoped;
	friend struct FToolMenusHostAccess;

	UToolMenus();

	void PushOwner(const FToolMenuOwner InOwner);
	// Checks that the scope being closed is the innermost one.
	void PopOwner(const FToolMenuOwner InOwner);
	void UnregisterOwnerInternal(FToolMenuOwner Owner);

	struct FState;
	std::unique_ptr<FState> State;
};

// Stamps every entry and section built during its lifetime with the owner.
struct FToolMenuOwnerScoped
{
	// Makes InOwner the current owner of UToolMenus.
	TOOLMENUS_API FToolMenuOwnerScoped(const FToolMenuOwner InOwner);
	// Restores the owner that was current before; checks scopes close innermost first.
	TOOLMENUS_API ~FToolMenuOwnerScoped();
	// The owner this scope set.
	FToolMenuOwner GetOwner() const { return Owner; }

private:
	FToolMenuOwner Owner;
};
