// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/Array.h"
#include "Templates/TypeHash.h"

#include <unordered_set>

class FSetElementId
{
public:
	bool IsValidId() const { return bValid; }
	bool bValid = false;
};

// Hash set keyed by GetTypeHash and operator==, like the engine's TSet.
template <typename InElementType>
class TSet
{
public:
	FSetElementId Add(const InElementType& Item, bool* bIsAlreadyInSetPtr = nullptr)
	{
		const bool bInserted = Elements.insert(Item).second;
		if (bIsAlreadyInSetPtr)
		{
			*bIsAlreadyInSetPtr = !bInserted;
		}
		return FSetElementId{true};
	}
	bool Contains(const InElementType& Item) const { return Elements.find(Item) != Elements.end(); }
	const InElementType* Find(const InElementType& Item) const
	{
		auto It = Elements.find(Item);
		return It == Elements.end() ? nullptr : &*It;
	}
	int32 Remove(const InElementType& Item) { return static_cast<int32>(Elements.erase(Item)); }
	int32 Num() const { return static_cast<int32>(Elements.size()); }
	bool IsEmpty() const { return Elements.empty(); }
	void Reset() { Elements.clear(); }
	void Empty(int32 Slack = 0) { Elements.clear(); Elements.reserve(Slack); }
	auto begin() const { return Elements.begin(); }
	auto end() const { return Elements.end(); }

private:
	std::unordered_set<InElementType, FHostTypeHasher> Elements;
};
