// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "UObject/Object.h"

class UMovieScene;
struct FMovieSceneBindingReferences;

// Base of every sequence asset.
class UMovieSceneSequence : public UObject
{
public:
	// The movie scene holding the sequence's bindings; null when it has none.
	virtual UMovieScene* GetMovieScene() const = 0;
	// The references that tie the sequence's bindings to objects; null for kinds that keep none.
	virtual const FMovieSceneBindingReferences* GetBindingReferences() const { return nullptr; }
};
