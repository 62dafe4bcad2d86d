// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "UObject/Object.h"

// A top-level object that holds assets; its name is the long package name ("/Game/Cinematics/Intro").
// Host convention: a package whose name ends in '/' stands for a content folder, and objects in it
// are addressed as folder + name without a delimiter (scene files may name an asset "/Game/Foo").
class UPackage : public UObject
{
};
