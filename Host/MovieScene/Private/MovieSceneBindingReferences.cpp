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
	const FGuid* First = SortedIds.GetData();
	const FGuid* Last = First + SortedIds.Num();
	const auto Range = std::equal_range(First, Last, ObjectId);
	return TArrayView<const FMovieSceneBindingReference>(SortedReferences.GetData() + (Range.first - First), static_cast<int32>(Range.second - Range.first));
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
}

const FMovieSceneBindingReference* FMovieSceneBindingReferences::Insert(FMovieSceneBindingReference&& Reference)
{
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
