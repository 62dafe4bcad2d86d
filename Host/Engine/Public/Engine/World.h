// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "UObject/Object.h"

// A map loaded into memory; its actors are the objects whose outer it is.
class UWorld : public UObject
{
public:
	// The short name of the map ("Arena"); a play-in-editor world keeps its "UEDPIE_N_" prefix.
	ENGINE_API FString GetMapName() const;
};
