// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HAL/Platform.h"

// Stores an old-style enum in one byte, as engine structs do for their namespaced enums.
template <class InEnumType> class TEnumAsByte
{
public:
	typedef InEnumType EnumType;

	TEnumAsByte() = default;
	TEnumAsByte(EnumType InValue) : Value(static_cast<uint8>(InValue)) {}
	explicit TEnumAsByte(int32 InValue) : Value(static_cast<uint8>(InValue)) {}

	bool operator==(EnumType InValue) const { return static_cast<EnumType>(Value) == InValue; }
	bool operator==(TEnumAsByte InValue) const { return Value == InValue.Value; }
	bool operator!=(EnumType InValue) const { return !(*this == InValue); }
	operator EnumType() const { return static_cast<EnumType>(Value); }
	EnumType GetValue() const { return static_cast<EnumType>(Value); }
	uint8 GetIntValue() const { return Value; }

private:
	uint8 Value = 0;
};
