// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/UnrealString.h"

enum class EGuidFormats
{
	Digits,
	DigitsLower,
	DigitsWithHyphens,
	DigitsWithHyphensLower,
	DigitsWithHyphensInBraces,
	DigitsWithHyphensInParentheses,
	HexValuesInBraces,
	UniqueObjectGuid,
	Short,
	Base36Encoded,
};

struct FGuid
{
	uint32 A = 0;
	uint32 B = 0;
	uint32 C = 0;
	uint32 D = 0;

	FGuid() = default;
	explicit FGuid(uint32 InA, uint32 InB, uint32 InC, uint32 InD) : A(InA), B(InB), C(InC), D(InD) {}

	// A fresh random GUID (version 4 bits set), never the zero GUID.
	static CORE_API FGuid NewGuid();
	bool IsValid() const { return (A | B | C | D) != 0; }
	CORE_API FString ToString(EGuidFormats Format = EGuidFormats::Digits) const;
	// Accepts the Digits, hyphenated, braced and parenthesised forms.
	static CORE_API bool Parse(const FString& GuidString, FGuid& OutGuid);
	static CORE_API bool ParseExact(const FString& GuidString, EGuidFormats Format, FGuid& OutGuid);

	friend bool operator==(const FGuid& X, const FGuid& Y) { return ((X.A ^ Y.A) | (X.B ^ Y.B) | (X.C ^ Y.C) | (X.D ^ Y.D)) == 0; }
	friend bool operator!=(const FGuid& X, const FGuid& Y) { return !(X == Y); }
	friend bool operator<(const FGuid& X, const FGuid& Y)
	{
		return X.A != Y.A ? X.A < Y.A : X.B != Y.B ? X.B < Y.B : X.C != Y.C ? X.C < Y.C : X.D < Y.D;
	}
	friend uint32 GetTypeHash(const FGuid& Guid)
	{
		uint64 H = (uint64(Guid.A) << 32 | Guid.B) * 0x9E3779B97F4A7C15ull;
		H ^= (uint64(Guid.C) << 32 | Guid.D) + 0x632BE59BD9B4E019ull + (H << 6) + (H >> 2);
		H *= 0xBF58476D1CE4E5B9ull;
		return static_cast<uint32>(H ^ (H >> 31) ^ (H >> 47));
	}
};
