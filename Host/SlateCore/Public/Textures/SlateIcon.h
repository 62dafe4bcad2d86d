// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "UObject/NameTypes.h"

class ISlateStyle;
struct FSlateBrush;

// Names an icon by style set and style; the brush is looked up when asked for.
struct FSlateIcon
{
	FSlateIcon() = default;
	// One constructor with defaulted names, as the engine has; no small style means StyleName + ".Small".
	FSlateIcon(const FName InStyleSetName, const FName InStyleName, const FName InSmallStyleName = NAME_None, const FName InStatusOverlayStyleName = NAME_None);

	const FName& GetStyleSetName() const { return StyleSetName; }
	const FName& GetStyleName() const { return StyleName; }
	const FName& GetSmallStyleName() const { return SmallStyleName; }
	// The registered style set, or null.
	const ISlateStyle* GetStyleSet() const;
	// The brush, or the "no brush" when the set is not registered.
	const FSlateBrush* GetIcon() const;
	// The small brush, falling back to the normal one.
	// The brush, or null when the set or the style does not exist.
	const FSlateBrush* GetOptionalIcon() const;
	bool IsSet() const { return bIsSet; }

	bool operator==(const FSlateIcon& Other) const
	{
		return StyleSetName == Other.StyleSetName && StyleName == Other.StyleName && SmallStyleName == Other.SmallStyleName &&
			   StatusOverlayStyleName == Other.StatusOverlayStyleName && bIsSet == Other.bIsSet;
	}

private:
	FName StyleSetName;
	FName StyleName;
	FName SmallStyleName;
	FName StatusOverlayStyleName;
	bool bIsSet = false;
};
