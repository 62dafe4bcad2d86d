// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Templates/SharedPointer.h"

class SWidget;

// The shared placeholder that fills an empty slot: no size, draws nothing.
class SNullWidget
{
public:
	static TSharedRef<SWidget> NullWidget;
};
