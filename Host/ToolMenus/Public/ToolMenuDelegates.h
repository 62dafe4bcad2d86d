// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "Framework/Commands/UIAction.h"

// The action of a menu entry, from any of the forms a caller may hand over.
struct FToolUIActionChoice
{
	// No action.
	FToolUIActionChoice() = default;
	// Uses the UI action as it is.
	FToolUIActionChoice(const FUIAction& InAction) : Action(InAction), bHasAction(true) {}
	// Wraps the delegate in an FUIAction built from it alone.
	FToolUIActionChoice(const FExecuteAction& InExecuteAction) : Action(InExecuteAction), bHasAction(true) {}

	// The UI action, or null when none was given.
	const FUIAction* GetUIAction() const { return bHasAction ? &Action : nullptr; }

private:
	FUIAction Action;
	bool bHasAction = false;
};
