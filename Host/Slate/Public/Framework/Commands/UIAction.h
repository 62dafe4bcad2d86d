// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Delegates/Delegate.h"
#include "Styling/SlateTypes.h"

DECLARE_DELEGATE(FExecuteAction);
DECLARE_DELEGATE_RetVal(bool, FCanExecuteAction);
DECLARE_DELEGATE_RetVal(bool, FIsActionChecked);
DECLARE_DELEGATE_RetVal(ECheckBoxState, FGetActionCheckState);
DECLARE_DELEGATE_RetVal(bool, FIsActionButtonVisible);

enum class EUIActionRepeatMode
{
	RepeatDisabled,
	RepeatEnabled,
};

// What a menu entry or toolbar button does, and when it can.
struct FUIAction
{
	FUIAction() = default;
	// CanExecute is bound to "Slate runs normally": false while the application is not initialized.
	FUIAction(FExecuteAction InitExecuteAction, EUIActionRepeatMode InitRepeatMode = EUIActionRepeatMode::RepeatDisabled);
	FUIAction(FExecuteAction InitExecuteAction, FCanExecuteAction InitCanExecuteAction,
			  EUIActionRepeatMode InitRepeatMode = EUIActionRepeatMode::RepeatDisabled)
		: ExecuteAction(InitExecuteAction), CanExecuteAction(InitCanExecuteAction), RepeatMode(InitRepeatMode)
	{
	}
	FUIAction(FExecuteAction InitExecuteAction, FCanExecuteAction InitCanExecuteAction, FIsActionChecked InitIsCheckedDelegate,
			  EUIActionRepeatMode InitRepeatMode = EUIActionRepeatMode::RepeatDisabled);
	FUIAction(FExecuteAction InitExecuteAction, FCanExecuteAction InitCanExecuteAction, FGetActionCheckState InitGetActionCheckStateDelegate,
			  EUIActionRepeatMode InitRepeatMode = EUIActionRepeatMode::RepeatDisabled)
		: ExecuteAction(InitExecuteAction), CanExecuteAction(InitCanExecuteAction), GetActionCheckState(InitGetActionCheckStateDelegate),
		  RepeatMode(InitRepeatMode)
	{
	}
	FUIAction(FExecuteAction InitExecuteAction, FCanExecuteAction InitCanExecuteAction, FIsActionChecked InitIsCheckedDelegate,
			  FIsActionButtonVisible InitIsActionVisibleDelegate, EUIActionRepeatMode InitRepeatMode = EUIActionRepeatMode::RepeatDisabled);

	// The bound CanExecute's answer, true when unbound.
	bool CanExecute() const { return CanExecuteAction.IsBound() ? CanExecuteAction.Execute() : true; }
	// Runs the action when it is bound and can execute; true when it ran.
	bool Execute() const
	{
		if (ExecuteAction.IsBound() && CanExecute())
		{
			ExecuteAction.Execute();
			return true;
		}
		return false;
	}
	ECheckBoxState GetCheckState() const { return GetActionCheckState.IsBound() ? GetActionCheckState.Execute() : ECheckBoxState::Unchecked; }
	bool IsActionVisible() const { return IsActionVisibleDelegate.IsBound() ? IsActionVisibleDelegate.Execute() : true; }
	bool IsBound() const { return ExecuteAction.IsBound(); }

	FExecuteAction ExecuteAction;
	FCanExecuteAction CanExecuteAction;
	FGetActionCheckState GetActionCheckState;
	FIsActionButtonVisible IsActionVisibleDelegate;
	EUIActionRepeatMode RepeatMode = EUIActionRepeatMode::RepeatDisabled;
};
