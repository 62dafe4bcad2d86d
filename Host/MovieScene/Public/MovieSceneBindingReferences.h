// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "UObject/ObjectPtr.h"
#include "UniversalObjectLocator.h"

class UMovieSceneCustomBinding;

// One reference of a binding: a locator for an object, or a custom binding object.
struct FMovieSceneBindingReference
{
	FGuid ID;
	FUniversalObjectLocator Locator;
	ELocatorResolveFlags ResolveFlags = ELocatorResolveFlags::None;
	TObjectPtr<UMovieSceneCustomBinding> CustomBinding = nullptr;
};

// Maps each binding GUID to its references, stored sorted by GUID so that the references of one
// binding are adjacent, in binding-index order.
struct FMovieSceneBindingReferences
{
	// The references stored for the GUID (found by binary search); empty when there are none.
	MOVIESCENE_API TArrayView<const FMovieSceneBindingReference> GetReferences(const FGuid& ObjectId) const;
	// Every reference, sorted by GUID.
	TArrayView<const FMovieSceneBindingReference> GetAllReferences() const { return TArrayView<const FMovieSceneBindingReference>(SortedReferences); }
	// Adds a locator reference after the GUID's existing ones.
	MOVIESCENE_API const FMovieSceneBindingReference* AddBinding(const FGuid& ObjectId, FUniversalObjectLocator&& NewLocator);
	// Adds a custom binding reference (no locator) after the GUID's existing ones.
	MOVIESCENE_API const FMovieSceneBindingReference* AddBinding(const FGuid& ObjectId, UMovieSceneCustomBinding* CustomBinding);
	// Removes every reference of the GUID.
	MOVIESCENE_API void RemoveBinding(const FGuid& ObjectId);

protected:
	TArray<FMovieSceneBindingReference> SortedReferences;
	// The IDs of SortedReferences, searched instead of the (much larger) references themselves.
	TArray<FGuid> SortedIds;

private:
	const FMovieSceneBindingReference* Insert(FMovieSceneBindingReference&& Reference);
	// The first position of each ID in SortedIds, by open addressing; rebuilt at the first lookup
	// after a change, so a lookup is a hash probe instead of a binary search (host-only speed-up).
	void IndexIds() const;
	mutable TArray<int32> IdSlots;
	mutable bool bIdSlotsValid = false;
};
