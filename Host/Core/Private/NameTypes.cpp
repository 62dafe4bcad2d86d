// Copyright Vantle contributors. All Rights Reserved.
#include "UObject/NameTypes.h"

#include "Internationalization/Text.h"

#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace
{
	// Index 0 is the empty name (NAME_None). Display entries keep the first spelling seen.
	struct FNameTable
	{
		std::mutex Mutex;
		std::vector<std::u16string> DisplayStrings{u""};
		std::unordered_map<std::u16string, uint32> DisplayIndices{{u"", 0}};
		std::unordered_map<std::u16string, uint32> ComparisonIndices{{u"", 0}};
	};

	FNameTable& GetNameTable()
	{
		static FNameTable* Table = new FNameTable();
		return *Table;
	}
}

FName::FName(const TCHAR* Name)
{
	if (!Name || !*Name)
	{
		return;
	}
	std::u16string Display(Name);
	std::u16string Folded(Display);
	for (char16_t& Ch : Folded)
	{
		Ch = FChar::ToLower(Ch);
	}
	FNameTable& Table = GetNameTable();
	std::lock_guard<std::mutex> Guard(Table.Mutex);
	auto DisplayIt = Table.DisplayIndices.find(Display);
	if (DisplayIt == Table.DisplayIndices.end())
	{
		const uint32 NewIndex = static_cast<uint32>(Table.DisplayStrings.size());
		Table.DisplayStrings.push_back(Display);
		DisplayIt = Table.DisplayIndices.emplace(Display, NewIndex).first;
	}
	DisplayIndex = DisplayIt->second;
	auto CompareIt = Table.ComparisonIndices.find(Folded);
	if (CompareIt == Table.ComparisonIndices.end())
	{
		CompareIt = Table.ComparisonIndices.emplace(Folded, DisplayIndex).first;
	}
	ComparisonIndex = CompareIt->second;
}

FString FName::ToString() const
{
	if (DisplayIndex == 0)
	{
		return FString(TEXT("None"));
	}
	FNameTable& Table = GetNameTable();
	std::lock_guard<std::mutex> Guard(Table.Mutex);
	return FString(Table.DisplayStrings[DisplayIndex]);
}

const FString& FText::ToString() const
{
	static const FString EmptyString;
	return Text ? *Text : EmptyString;
}
