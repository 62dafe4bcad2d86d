// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"

// The tracks of one object binding (the host keeps none), keyed by the binding's GUID.
struct FMovieSceneBinding
{
	FMovieSceneBinding() = default;
	explicit FMovieSceneBinding(const FGuid& InObjectGuid) : ObjectGuid(InObjectGuid) {}

	// The GUID of the possessable or spawnable the tracks animate.
	const FGuid& GetObjectGuid() const { return ObjectGuid; }
	// Re-keys the binding.
	void SetObjectGuid(const FGuid& InObjectGuid) { ObjectGuid = InObjectGuid; }

private:
	FGuid ObjectGuid;
};
