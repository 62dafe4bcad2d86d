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

	// A group that tab spawners can be placed in.
	static TSharedRef<FWorkspaceItem> NewGroup(const FText& DisplayName, const FSlateIcon& Icon = FSlateIcon(), const bool bSortChildren = false)
	{
		return MakeShareable(new FWorkspaceItem(DisplayName, Icon, bSortChildren));
	}

	FText GetDisplayName() const { return DisplayNameAttribute.Get(); }
	FText GetTooltipText() const { return TooltipTextAttribute.Get(); }
	const FSlateIcon& GetIcon() const { return Icon; }
	TSharedPtr<FWorkspaceItem> GetParent() const { return ParentItem.Pin(); }

protected:
	FWorkspaceItem(const TAttribute<FText>& InDisplayName, const FSlateIcon& InIcon, const bool bInSortChildren)
		: DisplayNameAttribute(InDisplayName), Icon(InIcon), bSortChildren(bInSortChildren)
	{
	}

	TAttribute<FText> DisplayNameAttribute;
	TAttribute<FText> TooltipTextAttribute;
	FSlateIcon Icon;
	bool bSortChildren = false;
	TWeakPtr<FWorkspaceItem> ParentItem;
};
