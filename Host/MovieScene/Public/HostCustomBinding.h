// Copyright Vantle contributors. All Rights Reserved.
// Host-only: the custom binding object scene files attach with "custom": true. The engine's
// concrete kinds (spawnable and replaceable actor bindings) live in MovieSceneTracks, which the
// host does not re-create. The plugin never includes this header.
#pragma once

#include "Bindings/MovieSceneCustomBinding.h"

class UHostCustomBinding : public UMovieSceneCustomBinding
{
};
