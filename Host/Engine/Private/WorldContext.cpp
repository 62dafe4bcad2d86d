// Copyright Vantle contributors. All Rights Reserved.
#include "Engine/Engine.h"

void FWorldContext::SetCurrentWorld(UWorld* World)
{
	ThisCurrentWorld = World;
}
