// Copyright Vantle contributors. All Rights Reserved.
#include "ToolMenu.h"

#include "ToolMenus.h"

#include <utility>

FToolMenuSection& UToolMenu::AddSection(const FName SectionName, const TAttribute<FText>& InLabel, const FToolMenuInsert InPosition)
{
	int32 Index = SectionName.IsNone() ? INDEX_NONE : IndexOfSection(SectionName);
	if (Index != INDEX_NONE)
	{
		if (InLabel.IsSet())
		{
			Sections[Index].Label = InLabel;
		}
		if (!InPosition.Name.IsNone() || !InPosition.IsDefault())
		{
			Sections[Index].InsertPosition = InPosition;
		}
		// The registering menu's own sections come before those of earlier extensions.
		if (IsRegistering() && !Sections[Index].bAddedDuringRegister)
		{
			Sections[Index].bAddedDuringRegister = true;
			for (int32 Earlier = 0; Earlier < Index; ++Earlier)
			{
				if (!Sections[Earlier].bAddedDuringRegister)
				{
					FToolMenuSection Moved = std::move(Sections[Index]);
					Sections.RemoveAt(Index);
					Sections.Insert(std::move(Moved), Earlier);
					Index = Earlier;
					break;
				}
			}
		}
		return Sections[Index];
	}

	int32 InsertIndex = Sections.Num();
	if (IsRegistering())
	{
		for (int32 Candidate = 0; Candidate < Sections.Num(); ++Candidate)
		{
			if (!Sections[Candidate].bAddedDuringRegister)
			{
				InsertIndex = Candidate;
				break;
			}
		}
	}
	FToolMenuSection NewSection;
	NewSection.Name = SectionName;
	NewSection.Label = InLabel;
	NewSection.InsertPosition = InPosition;
	UToolMenus* ToolMenus = UToolMenus::Get();
	NewSection.Owner = ToolMenus ? ToolMenus->CurrentOwner() : FToolMenuOwner();
	NewSection.bIsRegistering = IsRegistering();
	NewSection.bAddedDuringRegister = IsRegistering();
	Sections.Insert(std::move(NewSection), InsertIndex);
	return Sections[InsertIndex];
}

FToolMenuSection* UToolMenu::FindSection(const FName SectionName)
{
	const int32 Index = IndexOfSection(SectionName);
	return Index != INDEX_NONE ? &Sections[Index] : nullptr;
}

FToolMenuSection& UToolMenu::FindOrAddSection(const FName SectionName)
{
	if (FToolMenuSection* Found = FindSection(SectionName))
	{
		return *Found;
	}
	return AddSection(SectionName);
}

FToolMenuSection& UToolMenu::FindOrAddSection(const FName SectionName, const TAttribute<FText>& InLabel, const FToolMenuInsert InPosition)
{
	if (FToolMenuSection* Found = FindSection(SectionName))
	{
		return *Found;
	}
	return AddSection(SectionName, InLabel, InPosition);
}

int32 UToolMenu::IndexOfSection(const FName SectionName) const
{
	for (int32 Index = 0; Index < Sections.Num(); ++Index)
	{
		if (Sections[Index].Name == SectionName)
		{
			return Index;
		}
	}
	return INDEX_NONE;
}
