// Copyright 2026 Vantle contributors. All Rights Reserved.
#include "Input/Reply.h"
#include "McpLogWatcher.h"
#include "Styling/SlateColor.h"
#include "VantleModule.h"
#include "VantleStyle.h"

FText FVantleModule::GetMcpButtonLabel() const
{
	return FText::FromString(McpWatcher->State == static_cast<int32>(EMcpState::Confirmed) ? TEXT("MCP pr\u00fcfen") : TEXT("MCP starten"));
}

bool FVantleModule::IsMcpButtonEnabled() const
{
	return McpWatcher->State != static_cast<int32>(EMcpState::Checking);
}

FReply FVantleModule::OnMcpButtonClicked()
{
	McpWatcher->RequestStart();
	return FReply::Handled();
}

FText FVantleModule::GetMcpStatusText() const
{
	return FText::FromString(McpWatcher->Message);
}

FSlateColor FVantleModule::GetMcpStatusColor() const
{
	switch (static_cast<EMcpState>(McpWatcher->State))
	{
	case EMcpState::Confirmed:
		return FSlateColor(Vantle::AccentColor);
	case EMcpState::Problem:
		return FSlateColor(Vantle::HexColor(TEXT("FF7881")));
	case EMcpState::Checking:
		return FSlateColor(Vantle::HexColor(TEXT("DDBD7A")));
	default:
		return FSlateColor(Vantle::MutedTextColor);
	}
}
