// Copyright 2026 Vantle contributors. All Rights Reserved.
#pragma once

#include "UObject/Object.h"

// The description of an object class; the host keeps only its name ("Actor", "SceneComponent").
class UClass : public UObject
{
};
