// Copyright Vantle contributors. All Rights Reserved.
#include "MovieSceneBindingReferences.h"

#include <algorithm>

namespace
{
	struct FReferenceIdLess
	{
		bool operator()(const FMovieSceneBindingReference& Reference, const FGuid& Id) const { return Reference.ID < Id; }
		bool operator()(const FGuid& Id, const FMovieSceneBindingReference& Reference) const { return Id < Reference.ID; }
	};
}

TArrayView<const FMovieSceneBindingReference> FMovieSceneBindingReferences::GetReferences(const FGuid& ObjectId) const
{
	if (!bIdSlotsValid)
	{
		IndexIds();
	}
	const int32 Mask = IdSlots.Num() - 1;
	for (int32 Slot = GetTypeHash(ObjectId) & Mask; IdSlots[Slot] != INDEX_NONE; Slot = (Slot + 1) & Mask)
	{
		const int32 First = IdSlots[Slot];
		if (SortedIds[First] == ObjectId)
		{
			int32 Last = First + 1;
			while (Last < SortedIds.Num() && SortedIds[Last] == ObjectId)
			{
				++Last;
			}
			return TArrayView<const FMovieSceneBindingReference>(SortedReferences.GetData() + First, Last - First);
		}
	}
	return TArrayView<const FMovieSceneBindingReference>();
}

void FMovieSceneBindingReferences::IndexIds() const
{
	int32 Capacity = 16;
	while (Capacity < SortedIds.Num() * 2)
	{
		Capacity *= 2;
	}
	IdSlots.Init(INDEX_NONE, Capacity);
	for (int32 Index = 0; Index < SortedIds.Num(); ++Index)
	{
		if (Index > 0 && SortedIds[Index - 1] == SortedIds[Index])
		{
			continue;
		}
		int32 Slot = GetTypeHash(SortedIds[Index]) & (Capacity - 1);
		while (IdSlots[Slot] != INDEX_NONE)
		{
			Slot = (Slot + 1) & (Capacity - 1);
		}
		IdSlots[Slot] = Index;
	}
	bIdSlotsValid = true;
}

const FMovieSceneBindingReference* FMovieSceneBindingReferences::AddBinding(const FGuid& ObjectId, FUniversalObjectLocator&& NewLocator)
{
	FMovieSceneBindingReference Reference;
	Reference.ID = ObjectId;
	Reference.Locator = std::move(NewLocator);
	return Insert(std::move(Reference));
}

const FMovieSceneBindingReference* FMovieSceneBindingReferences::AddBinding(const FGuid& ObjectId, UMovieSceneCustomBinding* CustomBinding)
{
	FMovieSceneBindingReference Reference;
	Reference.ID = ObjectId;
	Reference.CustomBinding = CustomBinding;
	return Insert(std::move(Reference));
}

void FMovieSceneBindingReferences::RemoveBinding(const FGuid& ObjectId)
{
	SortedReferences.RemoveAll([&ObjectId](const FMovieSceneBindingReference& Reference) { return Reference.ID == ObjectId; });
	SortedIds.Remove(ObjectId);
	bIdSlotsValid = false;
}

const FMovieSceneBindingReference* FMovieSceneBindingReferences::Insert(FMovieSceneBindingReference&& Reference)
{
	bIdSlotsValid = false;
	// After the GUID's existing references, so binding indices stay in the order they were added.
	const FMovieSceneBindingReference* First = SortedReferences.GetData();
	const FMovieSceneBindingReference* Last = First + SortedReferences.Num();
	const int32 Index = static_cast<int32>(std::upper_bound(First, Last, Reference.ID, FReferenceIdLess()) - First);
	if (Index == SortedReferences.Num())
	{
		SortedIds.Add(Reference.ID);
		SortedReferences.Add(std::move(Reference));
	}
	else
	{
		SortedIds.Insert(Reference.ID, Index);
		SortedReferences.Insert(Reference, Index);
	}
	return &SortedReferences[Index];
}
