// Copyright Vantle contributors. All Rights Reserved.
#include "SlateTestSupport.h"

#include "Framework/Commands/UIAction.h"
#include "Framework/Commands/UICommandInfo.h"

TEST(FUIActionTest, ExecuteActionAloneCanRunOnlyWhileSlateRuns)
{
	int32 Runs = 0;
	const FUIAction Action(FExecuteAction::CreateLambda([&Runs]() { ++Runs; }));
	ASSERT_FALSE(FSlateApplication::IsInitialized());
	EXPECT_FALSE(Action.CanExecute());
	EXPECT_FALSE(Action.Execute());
	EXPECT_EQ(Runs, 0);

	UE::Host::InitSlateApplication();
	EXPECT_TRUE(Action.CanExecute());
	EXPECT_TRUE(Action.Execute());
	EXPECT_EQ(Runs, 1);
	UE::Host::ShutdownSlateApplication();
}

TEST(FUIActionTest, AnUnboundCanExecuteMeansAlways)
{
	int32 Runs = 0;
	bool bAllowed = false;
	const FUIAction Always(FExecuteAction::CreateLambda([&Runs]() { ++Runs; }), FCanExecuteAction());
	EXPECT_TRUE(Always.CanExecute());
	EXPECT_TRUE(Always.Execute());

	const FUIAction Gated(FExecuteAction::CreateLambda([&Runs]() { ++Runs; }), FCanExecuteAction::CreateLambda([&bAllowed]() { return bAllowed; }));
	EXPECT_FALSE(Gated.Execute());
	bAllowed = true;
	EXPECT_TRUE(Gated.Execute());
	EXPECT_EQ(Runs, 2);

	EXPECT_FALSE(FUIAction().Execute());
	EXPECT_EQ(static_cast<int32>(EUserInterfaceActionType::Button), 1);
}

TEST(FUIActionTest, CheckedStateFollowsItsDelegate)
{
	bool bChecked = false;
	const FUIAction Toggle(FExecuteAction(), FCanExecuteAction(), FIsActionChecked::CreateLambda([&bChecked]() { return bChecked; }));
	EXPECT_EQ(Toggle.GetCheckState(), ECheckBoxState::Unchecked);
	bChecked = true;
	EXPECT_EQ(Toggle.GetCheckState(), ECheckBoxState::Checked);
	EXPECT_TRUE(Toggle.IsActionVisible());
}
