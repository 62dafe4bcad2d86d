// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "Misc/Attribute.h"
#include "ToolMenuMisc.h"
#include "ToolMenuOwner.h"
#include "ToolMenuSection.h"

// A menu or toolbar: its sections and entries as registered and extended. What is shown is built
// from it (and its parent menus) each time the menu opens.
class UToolMenu
{
public:
	// Adds a section owned by the current owner, or returns the section of that name; an existing
	// section takes the label when one is given and the position when it is not the default.
	TOOLMENUS_API FToolMenuSection& AddSection(const FName SectionName, const TAttribute<FText>& InLabel = TAttribute<FText>(),
		const FToolMenuInsert InPosition = FToolMenuInsert());
	// The section of that name, or null.
	TOOLMENUS_API FToolMenuSection* FindSection(const FName SectionName);
	// The section of that name, added without a label when missing.
	TOOLMENUS_API FToolMenuSection& FindOrAddSection(const FName SectionName);
	// The section of that name unchanged, or a new one with this label and position.
	TOOLMENUS_API FToolMenuSection& FindOrAddSection(const FName SectionName, const TAttribute<FText>& InLabel,
		const FToolMenuInsert InPosition = FToolMenuInsert());

	// False for a menu that has only been extended so far.
	bool IsRegistered() const { return bRegistered; }

	FName MenuName;
	FName MenuParent;
	TArray<FToolMenuSection> Sections;

private:
	friend class UToolMenus;
	friend struct FToolMenusHostAccess;

	bool IsRegistering() const { return bIsRegistering; }
	int32 IndexOfSection(const FName SectionName) const;

	FToolMenuOwner MenuOwner;
	bool bRegistered = false;
	// From RegisterMenu until the next ExtendMenu: what is added now belongs to the menu itself.
	bool bIsRegistering = false;
};
