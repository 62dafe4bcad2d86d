// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "UObject/Object.h"

class UWorld;

// What the engine knows about one world it runs: the editor's level, a play session, a game.
struct FWorldContext
{
	// The world of this context; null when it has none.
	UWorld* World() const { return ThisCurrentWorld; }
	// Makes World the world of this context.
	ENGINE_API void SetCurrentWorld(UWorld* World);

private:
	UWorld* ThisCurrentWorld = nullptr;
};

// Base of the engine objects that run worlds (the editor engine among them).
class UEngine : public UObject
{
};
