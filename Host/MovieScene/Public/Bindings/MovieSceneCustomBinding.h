// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "UObject/Object.h"

// Base of the bindings that find or create their object by rules of their own (spawnable and
// replaceable actor bindings); a binding reference that carries one is a custom binding.
class UMovieSceneCustomBinding : public UObject
{
protected:
	UMovieSceneCustomBinding() = default;
};
