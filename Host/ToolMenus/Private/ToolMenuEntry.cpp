// Copyright Vantle contributors. All Rights Reserved.
#include "ToolMenuEntry.h"

#include "ToolMenus.h"

namespace
{
	FToolMenuOwner CurrentOwnerOfToolMenus()
	{
		UToolMenus* ToolMenus = UToolMenus::Get();
		return ToolMenus ? ToolMenus->CurrentOwner() : FToolMenuOwner();
	}
}

FToolMenuEntry FToolMenuEntry::InitToolBarButton(const FName InName, const FToolUIActionChoice& InAction, const TAttribute<FText>& InLabel,
	const TAttribute<FText>& InToolTip, const TAttribute<FSlateIcon>& InIcon, const EUserInterfaceActionType InUserInterfaceActionType,
	FName InTutorialHighlightName)
{
	FToolMenuEntry Entry;
	Entry.Owner = CurrentOwnerOfToolMenus();
	Entry.Name = InName;
	Entry.Action = InAction;
	Entry.Label = InLabel;
	Entry.ToolTip = InToolTip;
	Entry.Icon = InIcon;
	Entry.UserInterfaceActionType = InUserInterfaceActionType;
	Entry.TutorialHighlightName = InTutorialHighlightName;
	return Entry;
}

FToolMenuEntry FToolMenuEntry::InitMenuEntry(const FName InName, const TAttribute<FText>& InLabel, const TAttribute<FText>& InToolTip,
	const TAttribute<FSlateIcon>& InIcon, const FToolUIActionChoice& InAction, const EUserInterfaceActionType InUserInterfaceActionType,
	const FName InTutorialHighlightName)
{
	FToolMenuEntry Entry;
	Entry.Owner = CurrentOwnerOfToolMenus();
	Entry.Name = InName;
	Entry.Label = InLabel;
	Entry.ToolTip = InToolTip;
	Entry.Icon = InIcon;
	Entry.Action = InAction;
	Entry.UserInterfaceActionType = InUserInterfaceActionType;
	Entry.TutorialHighlightName = InTutorialHighlightName;
	return Entry;
}
