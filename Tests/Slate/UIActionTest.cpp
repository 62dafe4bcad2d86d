// Copyright Vantle contributors. All Rights Reserved.
#include "SlateTestSupport.h"

#include "Framework/Commands/UIAction.h"

TEST(FUIActionTest, CanExecuteGatesExecuteAndAloneMeansWhileSlateRuns)
{
	int32 Runs = 0;
	bool bAllowed = false;
	const FUIAction Alone(FExecuteAction::CreateLambda([&Runs]() { ++Runs; }));
	const FUIAction Gated(FExecuteAction::CreateLambda([&Runs]() { ++Runs; }), FCanExecuteAction::CreateLambda([&bAllowed]() { return bAllowed; }));
	ASSERT_FALSE(FSlateApplication::IsInitialized());
	EXPECT_FALSE(Alone.Execute());
	EXPECT_FALSE(Gated.Execute());
	bAllowed = true;
	EXPECT_TRUE(Gated.Execute());
	// An unbound can-execute delegate means always.
	EXPECT_TRUE(FUIAction(FExecuteAction::CreateLambda([&Runs]() { ++Runs; }), FCanExecuteAction()).Execute());
	EXPECT_FALSE(FUIAction().Execute());
	EXPECT_EQ(Runs, 2);

	UE::Host::InitSlateApplication();
	EXPECT_TRUE(Alone.Execute());
	EXPECT_EQ(Runs, 3);
	UE::Host::ShutdownSlateApplication();
}
