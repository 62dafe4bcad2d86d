// Copyright Vantle contributors. All Rights Reserved.
// A running ToolMenus module with the editor's menus for each test, and helpers to read menus.
#pragma once

#include "Framework/Commands/UIAction.h"
#include "HostCore.h"
#include "HostToolMenus.h"
#include "Modules/ModuleManager.h"
#include "ToolMenus.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Vantle::Test
{
	// "<Section> <Entry>" of each line the host describes the built menu with, for order checks.
	inline std::vector<std::string> DescribeNames(const TCHAR* MenuName)
	{
		std::vector<std::string> Names;
		for (const FString& Line : UE::Host::DescribeMenu(MenuName))
		{
			const std::string Text = UE::Host::ToUtf8(Line);
			Names.push_back(Text.substr(0, Text.find(' ', Text.find(' ') + 1)));
		}
		return Names;
	}

	inline std::vector<std::string> EntriesOf(const FToolMenuOwner& Owner)
	{
		std::vector<std::string> Result;
		for (const FString& Entry : UE::Host::GetToolMenuEntriesOfOwner(Owner))
		{
			Result.push_back(UE::Host::ToUtf8(Entry));
		}
		return Result;
	}

	inline FText Text(const TCHAR* Value) { return FText::FromString(Value); }

	// An action that counts its runs; it is always executable.
	inline FUIAction CountingAction(int32& Runs)
	{
		return FUIAction(FExecuteAction::CreateLambda([&Runs]() { ++Runs; }), FCanExecuteAction());
	}

	class FToolMenusTest : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			UE::Host::InitToolMenus();
			ASSERT_NE(UToolMenus::TryGet(), nullptr);
		}
		void TearDown() override
		{
			UE::Host::ShutdownToolMenus();
		}
	};
}
