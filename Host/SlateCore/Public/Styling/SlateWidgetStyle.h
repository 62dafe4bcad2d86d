// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "UObject/NameTypes.h"

// Base of the widget styles a style set can hold (button, text block ...).
struct FSlateWidgetStyle
{
	virtual ~FSlateWidgetStyle() = default;
	virtual const FName GetTypeName() const = 0;
};
