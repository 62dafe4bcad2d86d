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

// The record of the first widget whose text (a text block's) equals Text; fails the test when there is none.
inline const UE::Host::FArrangedWidgetRecord* FindTextRecord(const TArray<UE::Host::FArrangedWidgetRecord>& Records, const TCHAR* Text)
{
	for (const UE::Host::FArrangedWidgetRecord& Record : Records)
	{
		const TSharedPtr<SWidget> Widget = Record.Widget.Pin();
		const STextBlock* Block = Widget.IsValid() ? dynamic_cast<const STextBlock*>(Widget.Get()) : nullptr;
		if (Block && Block->GetText().ToString().Equals(Text, ESearchCase::CaseSensitive))
		{
			return &Record;
		}
	}
	ADD_FAILURE() << "no text block reads " << TCHAR_TO_UTF8(Text);
	return nullptr;
}

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
