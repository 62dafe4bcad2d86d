// Copyright Vantle contributors. All Rights Reserved.
// Builds a menu as it is shown: the registered menu's parents first, then the menu itself, with
// every section and entry placed by its insert position, the way the engine assembles a menu each
// time it opens.
#include "ToolMenusInternal.h"

namespace
{
	int32 IndexOfSection(const TArray<FGeneratedToolMenuSection>& Sections, const FName Name)
	{
		for (int32 Index = 0; Index < Sections.Num(); ++Index)
		{
			if (Sections[Index].Name == Name)
			{
				return Index;
			}
		}
		return INDEX_NONE;
	}

	int32 IndexOfBlock(const TArray<FToolMenuEntry>& Blocks, const FName Name)
	{
		for (int32 Index = 0; Index < Blocks.Num(); ++Index)
		{
			if (Blocks[Index].Name == Name)
			{
				return Index;
			}
		}
		return INDEX_NONE;
	}

	// Where an item with this insert position goes among the placed ones, or INDEX_NONE while its
	// Before/After target is not placed. Default goes before any Last item, First after the other
	// First items, Last at the very end; Before/After next to the target, after siblings that
	// named the same target earlier.
	template <typename ItemType, typename IndexOfNameType>
	int32 FindInsertIndex(const TArray<ItemType>& Placed, const FToolMenuInsert& Position, IndexOfNameType IndexOfName)
	{
		if (Position.IsDefault())
		{
			for (int32 Index = 0; Index < Placed.Num(); ++Index)
			{
				if (Placed[Index].InsertPosition.Position == EToolMenuInsertType::Last)
				{
					return Index;
				}
			}
			return Placed.Num();
		}
		if (Position.Position == EToolMenuInsertType::First)
		{
			for (int32 Index = 0; Index < Placed.Num(); ++Index)
			{
				if (Placed[Index].InsertPosition != Position)
				{
					return Index;
				}
			}
			return Placed.Num();
		}
		if (Position.Position == EToolMenuInsertType::Last)
		{
			return Placed.Num();
		}
		int32 Target = IndexOfName(Position.Name);
		if (Target == INDEX_NONE)
		{
			return INDEX_NONE;
		}
		if (Position.Position == EToolMenuInsertType::After)
		{
			++Target;
		}
		for (int32 Index = Target; Index < Placed.Num(); ++Index)
		{
			if (Placed[Index].InsertPosition != Position)
			{
				return Index;
			}
		}
		return Placed.Num();
	}

	void AssembleSection(FGeneratedToolMenuSection& Dest, const FToolMenuSection& Source)
	{
		// The menu's own entries first, then those of extensions, each group in the order added.
		TArray<FToolMenuEntry> Remaining;
		TArray<FToolMenuEntry> Later;
		for (const FToolMenuEntry& Block : Source.Blocks)
		{
			(FToolMenusHostAccess::IsAddedDuringRegister(Block) ? Remaining : Later).Add(Block);
		}
		Remaining.Append(Later);

		// Repeated because a target may only be placed by an entry later in the list.
		while (!Remaining.IsEmpty())
		{
			bool bPlacedOne = false;
			for (int32 Index = 0; Index < Remaining.Num(); ++Index)
			{
				const FToolMenuEntry& Block = Remaining[Index];
				// A child menu's entry replaces the parent's entry of the same name.
				if (!Block.Name.IsNone())
				{
					const int32 Existing = IndexOfBlock(Dest.Blocks, Block.Name);
					if (Existing != INDEX_NONE)
					{
						if (Block.InsertPosition.IsDefault())
						{
							Dest.Blocks[Existing] = Block;
							Remaining.RemoveAt(Index);
							bPlacedOne = true;
							break;
						}
						Dest.Blocks.RemoveAt(Existing);
					}
				}
				const int32 DestIndex = FindInsertIndex(Dest.Blocks, Block.InsertPosition, [&Dest](FName Name) { return IndexOfBlock(Dest.Blocks, Name); });
				if (DestIndex != INDEX_NONE)
				{
					Dest.Blocks.Insert(Block, DestIndex);
					Remaining.RemoveAt(Index);
					bPlacedOne = true;
					break;
				}
			}
			if (bPlacedOne)
			{
				continue;
			}
			const FToolMenuEntry Block = Remaining[0];
			Remaining.RemoveAt(0);
			if ((Block.InsertPosition.Fallback & EToolMenuInsertFallback::Log) != EToolMenuInsertFallback::None)
			{
				UE_LOG(LogToolMenus, Warning, TEXT("Menu item not found: '%s' for insert: '%s'"), *Block.InsertPosition.Name.ToString(), *Block.Name.ToString());
			}
			if ((Block.InsertPosition.Fallback & EToolMenuInsertFallback::Insert) != EToolMenuInsertFallback::None)
			{
				Dest.Blocks.Add(Block);
			}
		}
	}

	void AssembleMenu(TArray<FGeneratedToolMenuSection>& Generated, const UToolMenu& Menu)
	{
		TArray<const FToolMenuSection*> Remaining;
		for (const FToolMenuSection& Section : Menu.Sections)
		{
			Remaining.Add(&Section);
		}
		while (!Remaining.IsEmpty())
		{
			bool bPlacedOne = false;
			for (int32 Index = 0; Index < Remaining.Num(); ++Index)
			{
				const FToolMenuSection& Source = *Remaining[Index];
				int32 DestIndex = IndexOfSection(Generated, Source.Name);
				if (DestIndex == INDEX_NONE)
				{
					DestIndex = FindInsertIndex(Generated, Source.InsertPosition, [&Generated](FName Name) { return IndexOfSection(Generated, Name); });
					if (DestIndex == INDEX_NONE)
					{
						continue;
					}
					FGeneratedToolMenuSection NewSection;
					NewSection.Name = Source.Name;
					NewSection.Label = Source.Label;
					NewSection.InsertPosition = Source.InsertPosition;
					Generated.Insert(NewSection, DestIndex);
				}
				else if (!Generated[DestIndex].Label.IsSet() && Source.Label.IsSet())
				{
					Generated[DestIndex].Label = Source.Label;
				}
				AssembleSection(Generated[DestIndex], Source);
				Remaining.RemoveAt(Index);
				bPlacedOne = true;
				break;
			}
			if (!bPlacedOne)
			{
				for (const FToolMenuSection* Section : Remaining)
				{
					UE_LOG(LogToolMenus, Warning, TEXT("Menu section not found: '%s' for insert: '%s'"), *Section->InsertPosition.Name.ToString(), *Section->Name.ToString());
				}
				break;
			}
		}
	}
}

bool FToolMenusHostAccess::GenerateMenu(UToolMenus& ToolMenus, const FName MenuName, TArray<FGeneratedToolMenuSection>& OutSections)
{
	OutSections.Reset();
	UToolMenu* Menu = ToolMenus.FindMenu(MenuName);
	if (!Menu || !Menu->IsRegistered())
	{
		return false;
	}

	// Root first; a parent that is missing or only extended ends the chain, and a cycle stops it.
	TArray<const UToolMenu*> Hierarchy;
	for (const UToolMenu* Current = Menu; Current && Current->IsRegistered() && !Hierarchy.Contains(Current);
		Current = Current->MenuParent.IsNone() ? nullptr : ToolMenus.FindMenu(Current->MenuParent))
	{
		Hierarchy.Insert(Current, 0);
	}
	for (const UToolMenu* Level : Hierarchy)
	{
		AssembleMenu(OutSections, *Level);
	}
	return true;
}
