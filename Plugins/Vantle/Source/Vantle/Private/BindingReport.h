// Copyright 2026 Vantle contributors. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"

enum class EBindingReportState : int32
{
	Empty = 0,
	AllResolved = 1,
	HasMissing = 2,
	HasUncertain = 3,
};

// One check of the focused Level Sequence: a plain value, replaced whole on every refresh.
struct FBindingReport
{
	EBindingReportState State = EBindingReportState::Empty;
	FString SequenceName;
	FString SequencePath;
	FString MapName;
	int32 CheckedCount = 0;
	TArray<FString> MissingNames;
	TArray<FString> UncertainNames;
};

// Classifies every possessable binding of the sequence focused in Sequencer. Reads only.
FBindingReport CheckFocusedSequence();
