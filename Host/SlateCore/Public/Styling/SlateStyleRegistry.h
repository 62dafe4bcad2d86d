// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "UObject/NameTypes.h"

class ISlateStyle;

// The application-wide list of style sets by name. It keeps references only: a registered set
// must stay alive until it is unregistered.
class FSlateStyleRegistry
{
public:
	// Makes the style findable by its name; a second style of the same name is refused with an error.
	static void RegisterSlateStyle(const ISlateStyle& InSlateStyle);
	// Removes the style (by object or by name).
	static void UnRegisterSlateStyle(const ISlateStyle& InSlateStyle);
	static void UnRegisterSlateStyle(const FName StyleSetName);
	// The registered style of that name, or null.
	static const ISlateStyle* FindSlateStyle(const FName& InSlateStyleName);
};
