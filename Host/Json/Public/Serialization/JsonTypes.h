// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HAL/Platform.h"

// The kind of a JSON value, as the engine names them.
enum class EJson
{
	None,
	Null,
	String,
	Number,
	Boolean,
	Array,
	Object,
};
