// Copyright 2026 Vantle contributors. All Rights Reserved.
#include "Editor.h"
#include "Editor/EditorEngine.h"
#include "Input/Reply.h"
#include "LevelSequenceEditorSubsystem.h"
#include "UObject/ObjectPtr.h"
#include "VantleModule.h"

bool FVantleModule::CanFixReferences() const
{
	return GEditor != nullptr && GEditor->PlayWorld == nullptr && !Report.SequencePath.IsEmpty();
}

FReply FVantleModule::FixReferences()
{
	RefreshReport();
	if (!GEditor || GEditor->PlayWorld != nullptr || Report.SequencePath.IsEmpty())
	{
		return FReply::Handled();
	}

	// The editor always has this subsystem while it runs; without it there is nothing to repair with.
	ULevelSequenceEditorSubsystem* Subsystem = GEditor->GetEditorSubsystem<ULevelSequenceEditorSubsystem>();
	if (!Subsystem)
	{
		return FReply::Handled();
	}
	Subsystem->FixActorReferences();

	RefreshReport();
	StatusMessage = Report.State == EBindingReportState::AllResolved
		? TEXT("Checked again: all map bindings resolve. Save the sequence when ready.")
		: TEXT("Repair finished. Review remaining bindings below; manual assignment may be needed.");
	UE_LOG(LogTemp, Display, TEXT("Vantle repair: %s; checked=%d missing=%d uncertain=%d"), *Report.SequencePath, Report.CheckedCount,
		Report.MissingNames.Num(), Report.UncertainNames.Num());
	return FReply::Handled();
}

FReply FVantleModule::CheckAgain()
{
	RefreshReport();
	StatusMessage = TEXT("Status updated. No assets changed.");
	return FReply::Handled();
}
