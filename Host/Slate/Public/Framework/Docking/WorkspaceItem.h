// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Internationalization/Text.h"
#include "Misc/Attribute.h"
#include "Templates/SharedPointer.h"
#include "Textures/SlateIcon.h"

// An entry of the editor's Window menu: a group or a tab spawner, with name, tool tip and icon.
class FWorkspaceItem : public TSharedFromThis<FWorkspaceItem>
{
public:
	virtual ~FWorkspaceItem() = default;

	FText GetDisplayName() const { return DisplayNameAttribute.Get(); }
	FText GetTooltipText() const { return TooltipTextAttribute.Get(); }
	const FSlateIcon& GetIcon() const { return Icon; }

protected:
	FWorkspaceItem(const TAttribute<FText>& InDisplayName, const FSlateIcon& InIcon, const bool bInSortChildren)
		: DisplayNameAttribute(InDisplayName), Icon(InIcon), bSortChildren(bInSortChildren)
	{
	}

	TAttribute<FText> DisplayNameAttribute;
	TAttribute<FText> TooltipTextAttribute;
	FSlateIcon Icon;
	bool bSortChildren = false;
};
