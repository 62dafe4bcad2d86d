// Copyright Vantle contributors. All Rights Reserved.
// The MCP monitor inside the headless editor: the module booted on a chosen MCP port.
#pragma once

#include "McpLogWatcher.h"
#include "VantleTestEditor.h"

#include <string>

namespace Vantle::Test
{
	class FMcpEditorTest : public FEditorTest
	{
	protected:
		void SetUp() override {}

		void BootOnPort(int32 InPort, TArray<FString> Extra = {})
		{
			Port = InPort;
			Extra.Add(FString::Printf(TEXT("-VantleMCPPort=%d"), Port));
			Boot(SamplePath("Showcase.json"), Extra, false);
		}

		FMcpLogWatcher& Watcher() { return *Module().McpWatcher; }
		EMcpState State() { return static_cast<EMcpState>(Watcher().State); }
		std::string Message() { return UE::Host::ToUtf8(Watcher().Message); }

		bool WaitForState(EMcpState Wanted, double Seconds = 8.0)
		{
			return PumpUntil([&] { return State() == Wanted; }, Seconds);
		}

		bool WaitFor(EMcpState Wanted, const std::string& WantedMessage, double Seconds = 8.0)
		{
			return PumpUntil([&] { return State() == Wanted && Message() == WantedMessage; }, Seconds);
		}

		int32 Port = 0;
	};
}
