// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HAL/Platform.h"

enum class EWidgetClipping : uint8
{
	Inherit,
	ClipToBounds,
	ClipToBoundsWithoutIntersecting,
	ClipToBoundsAlways,
	OnDemand,
};
