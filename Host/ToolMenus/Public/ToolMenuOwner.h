// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"

// Who registered a menu entry or section: a pointer (usually a module object) or a name. Entries
// are removed by owner.
struct FToolMenuOwner
{
	// An unset owner.
	FToolMenuOwner() = default;
	// Owned by the object at InPointer; a null pointer is an unset owner.
	FToolMenuOwner(void* InPointer) : Pointer(InPointer), Type(InPointer ? EType::Pointer : EType::None) {}
	// Owned by a name; NAME_None is an unset owner.
	FToolMenuOwner(const FName InName) : Name(InName), Type(InName.IsNone() ? EType::None : EType::Name) {}
	// Owned by the name spelled by the string.
	FToolMenuOwner(const WIDECHAR* InString) : FToolMenuOwner(FName(InString)) {}
	FToolMenuOwner(const ANSICHAR* InString) : FToolMenuOwner(FName(InString)) {}

	// Same kind and same pointer or name (names ignore case).
	bool operator==(const FToolMenuOwner& Other) const
	{
		return Type == Other.Type && (Type != EType::Pointer || Pointer == Other.Pointer) && (Type != EType::Name || Name == Other.Name);
	}
	bool operator!=(const FToolMenuOwner& Other) const { return !(*this == Other); }

	// True for a pointer or name owner.
	bool IsSet() const { return Type != EType::None; }
	// The owner's name, or NAME_None for a pointer or unset owner.
	FName TryGetName() const { return Type == EType::Name ? Name : FName(); }

	// Equal owners hash alike.
	friend uint32 GetTypeHash(const FToolMenuOwner& Owner)
	{
		return Owner.Type == EType::Pointer ? uint32(reinterpret_cast<UPTRINT>(Owner.Pointer) >> 3) * 2654435761u
			: Owner.Type == EType::Name ? GetTypeHash(Owner.Name) : 0u;
	}

private:
	enum class EType : uint8
	{
		None,
		Pointer,
		Name,
	};
	void* Pointer = nullptr;
	FName Name;
	EType Type = EType::None;
};
