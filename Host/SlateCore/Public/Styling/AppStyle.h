// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "UObject/NameTypes.h"

class ISlateStyle;
struct FSlateBrush;

// The application's style: in the editor the "EditorStyle" set, whose parent is "CoreStyle".
class FAppStyle
{
public:
	// The registered style named GetAppStyleSetName(), else the core style.
	static const ISlateStyle& Get();
	static const FName GetAppStyleSetName();
	static void SetAppStyleSetName(const FName& InName);
	// Get().GetBrush(PropertyName, Specifier).
	static const FSlateBrush* GetBrush(const FName PropertyName, const ANSICHAR* Specifier = nullptr);
};
