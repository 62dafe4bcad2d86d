// Copyright Vantle contributors. All Rights Reserved.
// Host-only access to level sequences, for the host's own modules, the headless editor and the
// tests. The plugin never includes this header.
#pragma once

#include "LevelSequence.h"

namespace UE::Host
{
	// The references the sequence stores, also while it hands none out.
	LEVELSEQUENCE_API FMovieSceneBindingReferences& GetStoredBindingReferences(ULevelSequence& Sequence);
	LEVELSEQUENCE_API const FMovieSceneBindingReferences& GetStoredBindingReferences(const ULevelSequence& Sequence);
	// Whether GetBindingReferences hands the stored references out or answers null (scene files
	// with "bindingReferences": false); the stored ones still decide what bindings resolve to.
	LEVELSEQUENCE_API void SetExposesBindingReferences(ULevelSequence& Sequence, bool bExposes);
	// Appends every object that the binding's locators address, flagged garbage or unreachable or
	// not, in reference order. A top-level binding resolves below Context; a child binding resolves
	// inside each live object its parent resolved to, parents first, and to nothing when the parent
	// resolves to no live object, is a spawnable (never spawned here), names nothing or lies on a
	// parent loop. Custom binding references resolve to nothing.
	LEVELSEQUENCE_API void ResolveBinding(const ULevelSequence& Sequence, const FGuid& ObjectId, const UObject* Context, TArray<UObject*>& OutObjects);
}
