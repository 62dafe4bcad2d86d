// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HAL/Platform.h"

enum class EUserInterfaceActionType : uint8
{
	None,
	Button,
	ToggleButton,
	RadioButton,
	Check,
	CollapsedButton,
};
