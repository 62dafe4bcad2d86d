// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/UnrealString.h"

struct FColor;

// How 8-bit colour values map to linear light.
enum class EGammaSpace : uint8
{
	Linear,
	Pow22,
	sRGB,
	Invalid
};

struct FLinearColor
{
	float R;
	float G;
	float B;
	float A;

	FLinearColor() = default;
	constexpr FLinearColor(float InR, float InG, float InB, float InA = 1.0f) : R(InR), G(InG), B(InB), A(InA) {}
	// Decodes sRGB: red, green and blue through the IEC 61966-2-1 curve, alpha = byte / 255.
	CORE_API FLinearColor(const FColor& Color);

	// Encodes to 8-bit; with bSRGB the channels pass through the sRGB curve.
	CORE_API FColor ToFColor(const bool bSRGB) const;
	FLinearColor CopyWithNewOpacity(float NewOpacity) const { return FLinearColor(R, G, B, NewOpacity); }
	bool Equals(const FLinearColor& Other, float Tolerance = 1.e-4f) const;
	bool operator==(const FLinearColor& Other) const { return R == Other.R && G == Other.G && B == Other.B && A == Other.A; }
	bool operator!=(const FLinearColor& Other) const { return !(*this == Other); }
	FLinearColor operator*(const FLinearColor& Other) const { return FLinearColor(R * Other.R, G * Other.G, B * Other.B, A * Other.A); }
	FLinearColor operator*(float Scalar) const { return FLinearColor(R * Scalar, G * Scalar, B * Scalar, A * Scalar); }
	CORE_API FString ToString() const;

	static CORE_API const FLinearColor White;
	static CORE_API const FLinearColor Black;
	static CORE_API const FLinearColor Transparent;
	static CORE_API const FLinearColor Red;
	static CORE_API const FLinearColor Blue;
};

inline bool FLinearColor::Equals(const FLinearColor& Other, float Tolerance) const
{
	auto Near = [Tolerance](float X, float Y) { return (X > Y ? X - Y : Y - X) <= Tolerance; };
	return Near(R, Other.R) && Near(G, Other.G) && Near(B, Other.B) && Near(A, Other.A);
}

// 8-bit colour, stored B, G, R, A in memory as on little-endian desktops.
struct FColor
{
	uint8 B;
	uint8 G;
	uint8 R;
	uint8 A;

	FColor() = default;
	constexpr FColor(uint8 InR, uint8 InG, uint8 InB, uint8 InA = 255) : B(InB), G(InG), R(InR), A(InA) {}
	explicit FColor(uint32 InColor)
		: B(uint8(InColor & 0xFF)), G(uint8((InColor >> 8) & 0xFF)), R(uint8((InColor >> 16) & 0xFF)), A(uint8(InColor >> 24)) {}

	// "RRGGBB", "RRGGBBAA" or "RGB", with an optional leading '#'; any other length gives (0,0,0,0).
	static CORE_API FColor FromHex(const FString& HexString);
	// "RRGGBBAA" in upper case.
	CORE_API FString ToHex() const;
	FLinearColor ReinterpretAsLinear() const { return FLinearColor(R / 255.f, G / 255.f, B / 255.f, A / 255.f); }
	bool operator==(const FColor& C) const { return R == C.R && G == C.G && B == C.B && A == C.A; }
	bool operator!=(const FColor& C) const { return !(*this == C); }

};
