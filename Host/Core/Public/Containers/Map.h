// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/Array.h"
#include "Templates/TypeHash.h"

#include <list>
#include <unordered_map>

template <typename KeyType, typename ValueType>
struct TPair
{
	KeyType Key;
	ValueType Value;
};

template <typename KeyType, typename ValueType>
using TTuple = TPair<KeyType, ValueType>;

// Hash map keyed by GetTypeHash and operator== (so FString and FName keys ignore case).
// Iterates in insertion order, as the engine's TMap does while nothing is removed.
template <typename InKeyType, typename InValueType>
class TMap
{
public:
	typedef TPair<InKeyType, InValueType> ElementType;

	TMap() = default;
	TMap(const TMap& Other) { for (const ElementType& Pair : Other) { Add(Pair.Key, Pair.Value); } }
	TMap& operator=(const TMap& Other)
	{
		if (this != &Other)
		{
			Reset();
			for (const ElementType& Pair : Other)
			{
				Add(Pair.Key, Pair.Value);
			}
		}
		return *this;
	}
	TMap(TMap&&) = default;
	TMap& operator=(TMap&&) = default;

	InValueType& Add(const InKeyType& Key, const InValueType& Value)
	{
		auto It = Index.find(Key);
		if (It != Index.end())
		{
			It->second->Value = Value;
			return It->second->Value;
		}
		Elements.push_back(ElementType{Key, Value});
		auto Last = std::prev(Elements.end());
		Index.emplace(Last->Key, Last);
		return Last->Value;
	}
	InValueType& Add(const InKeyType& Key) { return Add(Key, InValueType()); }
	InValueType& FindOrAdd(const InKeyType& Key)
	{
		if (InValueType* Existing = Find(Key))
		{
			return *Existing;
		}
		return Add(Key);
	}
	InValueType* Find(const InKeyType& Key)
	{
		auto It = Index.find(Key);
		return It == Index.end() ? nullptr : &It->second->Value;
	}
	const InValueType* Find(const InKeyType& Key) const
	{
		auto It = Index.find(Key);
		return It == Index.end() ? nullptr : &It->second->Value;
	}
	InValueType& FindChecked(const InKeyType& Key) { InValueType* Found = Find(Key); check(Found); return *Found; }
	const InValueType& FindChecked(const InKeyType& Key) const { const InValueType* Found = Find(Key); check(Found); return *Found; }
	bool Contains(const InKeyType& Key) const { return Index.find(Key) != Index.end(); }
	int32 Remove(const InKeyType& Key)
	{
		auto It = Index.find(Key);
		if (It == Index.end())
		{
			return 0;
		}
		auto ListIt = It->second;
		Index.erase(It);
		Elements.erase(ListIt);
		return 1;
	}
	int32 Num() const { return static_cast<int32>(Index.size()); }
	bool IsEmpty() const { return Index.empty(); }
	void Reset() { Index.clear(); Elements.clear(); }
	void Empty(int32 Slack = 0) { Reset(); Index.reserve(Slack); }
	void GenerateKeyArray(TArray<InKeyType>& OutKeys) const
	{
		OutKeys.Reset();
		for (const ElementType& Pair : Elements)
		{
			OutKeys.Add(Pair.Key);
		}
	}
	InValueType& operator[](const InKeyType& Key) { return FindChecked(Key); }
	const InValueType& operator[](const InKeyType& Key) const { return FindChecked(Key); }

	auto begin() { return Elements.begin(); }
	auto end() { return Elements.end(); }
	auto begin() const { return Elements.begin(); }
	auto end() const { return Elements.end(); }

private:
	std::list<ElementType> Elements;
	std::unordered_map<InKeyType, typename std::list<ElementType>::iterator, FHostTypeHasher> Index;
};
