// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HAL/Platform.h"

#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

// Dynamic array with the engine's names; int32 indices and sizes throughout.
template <typename InElementType>
class TArray
{
public:
	typedef InElementType ElementType;

	TArray() = default;
	TArray(std::initializer_list<InElementType> Init) : Data(Init) {}
	TArray(const InElementType* Ptr, int32 Count) : Data(Ptr, Ptr + Count) {}

	int32 Num() const { return static_cast<int32>(Data.size()); }
	bool IsEmpty() const { return Data.empty(); }
	bool IsValidIndex(int32 Index) const { return Index >= 0 && Index < Num(); }
	InElementType* GetData() { return Data.data(); }
	const InElementType* GetData() const { return Data.data(); }

	InElementType& operator[](int32 Index) { check(IsValidIndex(Index)); return Data[Index]; }
	const InElementType& operator[](int32 Index) const { check(IsValidIndex(Index)); return Data[Index]; }
	InElementType& Last(int32 IndexFromEnd = 0) { return (*this)[Num() - 1 - IndexFromEnd]; }
	const InElementType& Last(int32 IndexFromEnd = 0) const { return (*this)[Num() - 1 - IndexFromEnd]; }

	int32 Add(const InElementType& Item) { Data.push_back(Item); return Num() - 1; }
	int32 Add(InElementType&& Item) { Data.push_back(std::move(Item)); return Num() - 1; }
	template <typename... ArgTypes>
	int32 Emplace(ArgTypes&&... Args) { Data.emplace_back(std::forward<ArgTypes>(Args)...); return Num() - 1; }
	template <typename... ArgTypes>
	InElementType& Emplace_GetRef(ArgTypes&&... Args) { return Data.emplace_back(std::forward<ArgTypes>(Args)...); }
	InElementType& Add_GetRef(const InElementType& Item) { Data.push_back(Item); return Data.back(); }
	int32 AddUnique(const InElementType& Item)
	{
		const int32 Existing = Find(Item);
		return Existing != INDEX_NONE ? Existing : Add(Item);
	}
	void Insert(const InElementType& Item, int32 Index) { Data.insert(Data.begin() + Index, Item); }
	void Append(const TArray& Other) { Data.insert(Data.end(), Other.Data.begin(), Other.Data.end()); }
	void Append(TArray&& Other)
	{
		Data.insert(Data.end(), std::make_move_iterator(Other.Data.begin()), std::make_move_iterator(Other.Data.end()));
		Other.Data.clear();
	}
	void Append(const InElementType* Ptr, int32 Count) { Data.insert(Data.end(), Ptr, Ptr + Count); }

	int32 Find(const InElementType& Item) const
	{
		for (int32 Index = 0; Index < Num(); ++Index)
		{
			if (Data[Index] == Item)
			{
				return Index;
			}
		}
		return INDEX_NONE;
	}
	bool Find(const InElementType& Item, int32& OutIndex) const { OutIndex = Find(Item); return OutIndex != INDEX_NONE; }
	bool Contains(const InElementType& Item) const { return Find(Item) != INDEX_NONE; }
	template <typename Predicate>
	const InElementType* FindByPredicate(Predicate Pred) const
	{
		for (const InElementType& Item : Data)
		{
			if (Pred(Item))
			{
				return &Item;
			}
		}
		return nullptr;
	}
	template <typename Predicate>
	InElementType* FindByPredicate(Predicate Pred)
	{
		for (InElementType& Item : Data)
		{
			if (Pred(Item))
			{
				return &Item;
			}
		}
		return nullptr;
	}
	template <typename Predicate>
	bool ContainsByPredicate(Predicate Pred) const { return FindByPredicate(Pred) != nullptr; }

	int32 Remove(const InElementType& Item)
	{
		const auto OldSize = Data.size();
		Data.erase(std::remove(Data.begin(), Data.end(), Item), Data.end());
		return static_cast<int32>(OldSize - Data.size());
	}
	template <typename Predicate>
	int32 RemoveAll(Predicate Pred)
	{
		const auto OldSize = Data.size();
		Data.erase(std::remove_if(Data.begin(), Data.end(), Pred), Data.end());
		return static_cast<int32>(OldSize - Data.size());
	}
	void RemoveAt(int32 Index, int32 Count = 1) { check(Index >= 0 && Index + Count <= Num()); Data.erase(Data.begin() + Index, Data.begin() + Index + Count); }
	InElementType Pop() { InElementType Result = std::move(Data.back()); Data.pop_back(); return Result; }

	void Reset(int32 NewSize = 0) { Data.clear(); Data.reserve(NewSize); }
	void Empty(int32 Slack = 0) { Data.clear(); if (Slack == 0) { Data.shrink_to_fit(); } else { Data.reserve(Slack); } }
	void Reserve(int32 Count) { Data.reserve(Count); }
	void SetNum(int32 NewNum) { Data.resize(NewNum); }
	void Init(const InElementType& Value, int32 Count) { Data.assign(Count, Value); }

	void Sort() { std::stable_sort(Data.begin(), Data.end()); }
	template <typename Predicate>
	void Sort(Predicate Pred) { std::stable_sort(Data.begin(), Data.end(), Pred); }

	bool operator==(const TArray& Other) const { return Data == Other.Data; }
	bool operator!=(const TArray& Other) const { return Data != Other.Data; }

	auto begin() { return Data.begin(); }
	auto end() { return Data.end(); }
	auto begin() const { return Data.begin(); }
	auto end() const { return Data.end(); }

private:
	std::vector<InElementType> Data;
};

template <typename T>
class TArrayView
{
public:
	TArrayView() = default;
	TArrayView(const T* InData, int32 InNum) : DataPtr(InData), Count(InNum) {}
	TArrayView(const TArray<std::remove_const_t<T>>& Array) : DataPtr(Array.GetData()), Count(Array.Num()) {}
	int32 Num() const { return Count; }
	bool IsEmpty() const { return Count == 0; }
	const T& operator[](int32 Index) const { check(Index >= 0 && Index < Count); return DataPtr[Index]; }
	const T* begin() const { return DataPtr; }
	const T* end() const { return DataPtr + Count; }
	const T* GetData() const { return DataPtr; }

private:
	const T* DataPtr = nullptr;
	int32 Count = 0;
};
