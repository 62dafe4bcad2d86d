// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Framework/Application/SlateApplication.h"
#include "HostSlate.h"
#include "HostSlateCore.h"
#include "HostTextLayout.h"
#include "Widgets/Text/STextBlock.h"

#include <gtest/gtest.h>

// Runs each test inside a started Slate application and checks that the test left no tab, window
// or spawner behind.
class FSlateTest : public ::testing::Test
{
protected:
	void SetUp() override { UE::Host::InitSlateApplication(); }

	void TearDown() override
	{
		EXPECT_TRUE(UE::Host::GetNomadTabSpawnerNames().IsEmpty()) << "a test left a tab spawner registered";
		UE::Host::ShutdownSlateApplication();
		EXPECT_FALSE(FSlateApplication::IsInitialized());
	}
};

// The record of a given widget.
inline const UE::Host::FArrangedWidgetRecord* FindRecord(const TArray<UE::Host::FArrangedWidgetRecord>& Records, const TSharedRef<SWidget>& Widget)
{
	for (const UE::Host::FArrangedWidgetRecord& Record : Records)
	{
		if (Record.Widget.Pin() == Widget)
		{
			return &Record;
		}
	}
	ADD_FAILURE() << "the widget was not arranged";
	return nullptr;
}

inline std::string ToStd(const FString& Text)
{
	return UE::Host::ToUtf8(Text);
}
