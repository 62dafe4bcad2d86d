// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HAL/Platform.h"

// Reflection markup compiles to nothing here: the host has no header tool, and no code generated
// from it is ever called.
#define UCLASS(...)
#define USTRUCT(...)
#define UENUM(...)
#define UPROPERTY(...)
#define UFUNCTION(...)
#define UMETA(...)
#define UPARAM(...)
#define GENERATED_BODY(...)
#define GENERATED_UCLASS_BODY(...)
#define GENERATED_USTRUCT_BODY(...)

class UClass;

// Per-object state kept by the object system rather than by the object (an excerpt of the engine's flags).
enum class EInternalObjectFlags : int32
{
	None = 0,
	Garbage = 1 << 21,
	Unreachable = 1 << 28,
	RootSet = 1 << 30,
};

inline constexpr EInternalObjectFlags operator|(EInternalObjectFlags Lhs, EInternalObjectFlags Rhs)
{
	return static_cast<EInternalObjectFlags>(static_cast<int32>(Lhs) | static_cast<int32>(Rhs));
}

inline constexpr EInternalObjectFlags operator&(EInternalObjectFlags Lhs, EInternalObjectFlags Rhs)
{
	return static_cast<EInternalObjectFlags>(static_cast<int32>(Lhs) & static_cast<int32>(Rhs));
}

inline constexpr EInternalObjectFlags operator~(EInternalObjectFlags Value)
{
	return static_cast<EInternalObjectFlags>(~static_cast<int32>(Value));
}

inline EInternalObjectFlags& operator|=(EInternalObjectFlags& Lhs, EInternalObjectFlags Rhs)
{
	return Lhs = Lhs | Rhs;
}

inline EInternalObjectFlags& operator&=(EInternalObjectFlags& Lhs, EInternalObjectFlags Rhs)
{
	return Lhs = Lhs & Rhs;
}

// Flags an object is created with (an excerpt of the engine's); the host records none of them.
enum EObjectFlags
{
	RF_NoFlags = 0x00000000,
	RF_Public = 0x00000001,
	RF_Standalone = 0x00000002,
	RF_Transactional = 0x00000008,
	RF_Transient = 0x00000040,
};

// Options of UObject::Rename.
typedef uint32 ERenameFlags;
#define REN_None (0x0000)
// Only report whether the rename would succeed.
#define REN_Test (0x0001)
