// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HAL/Platform.h"

#include <type_traits>

template <typename T>
inline std::enable_if_t<std::is_integral_v<T> || std::is_enum_v<T>, uint32> GetTypeHash(T Value)
{
	const uint64 Bits = static_cast<uint64>(Value);
	return static_cast<uint32>(Bits ^ (Bits >> 32)) * 2654435761u;
}

template <typename T>
inline uint32 GetTypeHash(T* Ptr)
{
	const UPTRINT Bits = reinterpret_cast<UPTRINT>(Ptr);
	return static_cast<uint32>((Bits >> 4) ^ (Bits >> 36)) * 2654435761u;
}

// Hash and equality adaptors that route std containers to GetTypeHash / operator==.
struct FHostTypeHasher
{
	template <typename T>
	size_t operator()(const T& Value) const { return GetTypeHash(Value); }
};
