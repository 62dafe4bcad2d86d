// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "Framework/Commands/UIAction.h"

// Where a section or entry goes relative to its siblings.
enum class EToolMenuInsertType : uint8
{
	Default,
	Before,
	After,
	First,
	Last
};

// What happens to an item whose Before/After target does not exist when the menu is built.
enum class EToolMenuInsertFallback : uint8
{
	None = 0,
	// Add the item at the end anyway.
	Insert = 1 << 0,
	// Log a warning that the target was not found.
	Log = 1 << 1,
};

inline constexpr EToolMenuInsertFallback operator|(EToolMenuInsertFallback A, EToolMenuInsertFallback B)
{
	return EToolMenuInsertFallback(uint8(A) | uint8(B));
}
inline constexpr EToolMenuInsertFallback operator&(EToolMenuInsertFallback A, EToolMenuInsertFallback B)
{
	return EToolMenuInsertFallback(uint8(A) & uint8(B));
}

// An insert position: a sibling's name and whether to go before or after it (or first/last).
struct FToolMenuInsert
{
	// The default position: after the items already there.
	FToolMenuInsert() = default;
	// Before or after the sibling named InName, or first or last (the name is then unused).
	FToolMenuInsert(FName InName, EToolMenuInsertType InPosition) : Name(InName), Position(InPosition) {}

	FName Name;
	EToolMenuInsertType Position = EToolMenuInsertType::Default;
	// By default a missing target still places the item (at the end) and logs a warning.
	EToolMenuInsertFallback Fallback = EToolMenuInsertFallback::Insert | EToolMenuInsertFallback::Log;

	// Name and position compare; the fallback does not.
	bool operator==(const FToolMenuInsert& Other) const { return Other.Name == Name && Other.Position == Position; }
	bool operator!=(const FToolMenuInsert& Other) const { return !(*this == Other); }
	// True for Default; true for Before or After.
	bool IsDefault() const { return Position == EToolMenuInsertType::Default; }
};
