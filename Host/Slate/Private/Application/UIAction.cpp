// Copyright Vantle contributors. All Rights Reserved.
#include "Framework/Commands/UIAction.h"

#include "Framework/Application/SlateApplication.h"

namespace
{
	bool IsSlateRunningNormally()
	{
		return FSlateApplication::IsInitialized() && FSlateApplication::Get().IsNormalExecution();
	}

	FGetActionCheckState CheckStateFrom(const FIsActionChecked& IsChecked)
	{
		if (!IsChecked.IsBound())
		{
			return FGetActionCheckState();
		}
		return FGetActionCheckState::CreateLambda([IsChecked]() { return IsChecked.Execute() ? ECheckBoxState::Checked : ECheckBoxState::Unchecked; });
	}
}

FUIAction::FUIAction(FExecuteAction InitExecuteAction, EUIActionRepeatMode InitRepeatMode)
	: ExecuteAction(InitExecuteAction), CanExecuteAction(FCanExecuteAction::CreateStatic(&IsSlateRunningNormally)), RepeatMode(InitRepeatMode)
{
}

FUIAction::FUIAction(FExecuteAction InitExecuteAction, FCanExecuteAction InitCanExecuteAction, FIsActionChecked InitIsCheckedDelegate,
					 EUIActionRepeatMode InitRepeatMode)
	: ExecuteAction(InitExecuteAction), CanExecuteAction(InitCanExecuteAction), GetActionCheckState(CheckStateFrom(InitIsCheckedDelegate)),
	  RepeatMode(InitRepeatMode)
{
}

FUIAction::FUIAction(FExecuteAction InitExecuteAction, FCanExecuteAction InitCanExecuteAction, FIsActionChecked InitIsCheckedDelegate,
					 FIsActionButtonVisible InitIsActionVisibleDelegate, EUIActionRepeatMode InitRepeatMode)
	: ExecuteAction(InitExecuteAction), CanExecuteAction(InitCanExecuteAction), GetActionCheckState(CheckStateFrom(InitIsCheckedDelegate)),
	  IsActionVisibleDelegate(InitIsActionVisibleDelegate), RepeatMode(InitRepeatMode)
{
}
