// Copyright Vantle contributors. All Rights Reserved.
#include "ToolMenuSection.h"

FToolMenuEntry& FToolMenuSection::AddEntry(const FToolMenuEntry& Args)
{
	const int32 Existing = Args.Name.IsNone() ? INDEX_NONE : IndexOfBlock(Args.Name);
	FToolMenuEntry& Result = Existing != INDEX_NONE ? (Blocks[Existing] = Args) : Blocks.Add_GetRef(Args);
	Result.bAddedDuringRegister = bIsRegistering;
	return Result;
}

FToolMenuEntry& FToolMenuSection::AddMenuEntry(const FName InName, const TAttribute<FText>& InLabel, const TAttribute<FText>& InToolTip,
	const TAttribute<FSlateIcon>& InIcon, const FToolUIActionChoice& InAction, const EUserInterfaceActionType InUserInterfaceActionType,
	const FName InTutorialHighlightName)
{
	return AddEntry(FToolMenuEntry::InitMenuEntry(InName, InLabel, InToolTip, InIcon, InAction, InUserInterfaceActionType, InTutorialHighlightName));
}

FToolMenuEntry* FToolMenuSection::FindEntry(const FName InName)
{
	const int32 Index = IndexOfBlock(InName);
	return Index != INDEX_NONE ? &Blocks[Index] : nullptr;
}

const FToolMenuEntry* FToolMenuSection::FindEntry(const FName InName) const
{
	const int32 Index = IndexOfBlock(InName);
	return Index != INDEX_NONE ? &Blocks[Index] : nullptr;
}

int32 FToolMenuSection::IndexOfBlock(const FName InName) const
{
	for (int32 Index = 0; Index < Blocks.Num(); ++Index)
	{
		if (Blocks[Index].Name == InName)
		{
			return Index;
		}
	}
	return INDEX_NONE;
}

int32 FToolMenuSection::RemoveEntry(const FName InName)
{
	return Blocks.RemoveAll([InName](const FToolMenuEntry& Block) { return Block.Name == InName; });
}

int32 FToolMenuSection::RemoveEntriesByOwner(const FToolMenuOwner InOwner)
{
	// An unset owner would match every anonymous entry, so it removes nothing.
	if (!InOwner.IsSet())
	{
		return 0;
	}
	return Blocks.RemoveAll([&InOwner](const FToolMenuEntry& Block) { return Block.Owner == InOwner; });
}
