// Copyright 2026 Vantle contributors. All Rights Reserved.
#include "Misc/App.h"
#include "Styling/AppStyle.h"
#include "Styling/SlateColor.h"
#include "Textures/SlateIcon.h"
#include "VantleModule.h"
#include "VantleStyle.h"

namespace
{
	struct FStatusLook
	{
		const TCHAR* Title;
		const TCHAR* IconName;
		FLinearColor Color;
	};

	FStatusLook GetStatusLook(const FBindingReport& Report)
	{
		switch (Report.State)
		{
		case EBindingReportState::AllResolved:
			return {TEXT("Everything is connected"), TEXT("Icons.SuccessWithColor"), Vantle::AccentColor};
		case EBindingReportState::HasMissing:
			return {TEXT("References need attention"), TEXT("Icons.ErrorWithColor"), Vantle::HexColor(TEXT("FF626D"))};
		case EBindingReportState::HasUncertain:
			return {TEXT("Some bindings need a closer look"), TEXT("Icons.WarningWithColor"), Vantle::HexColor(TEXT("F3BA62"))};
		default:
			return {Report.SequencePath.IsEmpty() ? TEXT("Open a Level Sequence") : TEXT("No map bindings to check"), TEXT("Icons.Refresh"),
				Vantle::MutedTextColor};
		}
	}
}

FText FVantleModule::GetStatusTitle() const
{
	return FText::FromString(GetStatusLook(Report).Title);
}

FText FVantleModule::GetStatusTooltip() const
{
	return FText::FromString(FString(GetStatusLook(Report).Title) + TEXT("\nClick: Fix Actor References. Details: Tools > Vantle."));
}

FSlateIcon FVantleModule::GetStatusIcon() const
{
	return FSlateIcon(FAppStyle::GetAppStyleSetName(), GetStatusLook(Report).IconName);
}

FSlateColor FVantleModule::GetStatusColor() const
{
	return FSlateColor(GetStatusLook(Report).Color);
}

FText FVantleModule::GetSequenceLabel() const
{
	return FText::FromString(Report.SequenceName.IsEmpty() ? FString(TEXT("No sequence selected")) : Report.SequenceName);
}

FText FVantleModule::GetContextLabel() const
{
	return FText::FromString(FString(FApp::GetProjectName()) + TEXT("  /  ") + Report.MapName);
}

FString FVantleModule::GetCheckedCountText() const
{
	return FString::Printf(TEXT("%d"), Report.CheckedCount);
}

FString FVantleModule::GetMissingCountText() const
{
	return FString::Printf(TEXT("%d"), Report.MissingNames.Num());
}

FString FVantleModule::GetUncertainCountText() const
{
	return FString::Printf(TEXT("%d"), Report.UncertainNames.Num());
}

FString FVantleModule::GetBindingDetails() const
{
	if (Report.SequencePath.IsEmpty())
	{
		return TEXT("Open your target map and sequence. Their current bindings will appear here.");
	}
	if (Report.CheckedCount == 0 && Report.UncertainNames.IsEmpty())
	{
		return TEXT("This sequence has no ordinary map bindings to inspect.");
	}
	FString Details;
	if (!Report.MissingNames.IsEmpty())
	{
		Details += TEXT("Missing\n") + FString::Join(Report.MissingNames, TEXT("\n")) + TEXT("\n\n");
	}
	if (!Report.UncertainNames.IsEmpty())
	{
		Details += TEXT("Custom / spawn-related - not conclusive\n") + FString::Join(Report.UncertainNames, TEXT("\n")) + TEXT("\n\n");
	}
	return Details.IsEmpty() ? FString(TEXT("All checked actor and component bindings resolve in the current map.")) : Details;
}
