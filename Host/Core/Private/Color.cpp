// Copyright Vantle contributors. All Rights Reserved.
#include "Math/Color.h"

#include <cmath>

namespace
{
	float SRGBToLinear(uint8 Byte)
	{
		const double X = Byte / 255.0;
		return static_cast<float>(X <= 0.04045 ? X / 12.92 : std::pow((X + 0.055) / 1.055, 2.4));
	}

	uint8 LinearToSRGBByte(float Value)
	{
		const double C = Value < 0.0f ? 0.0 : (Value > 1.0f ? 1.0 : Value);
		const double Encoded = C <= 0.0031308 ? C * 12.92 : 1.055 * std::pow(C, 1.0 / 2.4) - 0.055;
		return static_cast<uint8>(std::floor(Encoded * 255.999));
	}

	uint8 LinearToByte(float Value)
	{
		const float C = Value < 0.0f ? 0.0f : (Value > 1.0f ? 1.0f : Value);
		return static_cast<uint8>(std::floor(C * 255.999f));
	}

	int32 HexDigit(TCHAR Ch)
	{
		if (Ch >= u'0' && Ch <= u'9') { return Ch - u'0'; }
		if (Ch >= u'a' && Ch <= u'f') { return Ch - u'a' + 10; }
		if (Ch >= u'A' && Ch <= u'F') { return Ch - u'A' + 10; }
		return 0;
	}
}

const FLinearColor FLinearColor::White(1.f, 1.f, 1.f);
const FLinearColor FLinearColor::Black(0.f, 0.f, 0.f);
const FLinearColor FLinearColor::Transparent(0.f, 0.f, 0.f, 0.f);
const FLinearColor FLinearColor::Red(1.f, 0.f, 0.f);
const FLinearColor FLinearColor::Blue(0.f, 0.f, 1.f);


FLinearColor::FLinearColor(const FColor& Color)
	: R(SRGBToLinear(Color.R)), G(SRGBToLinear(Color.G)), B(SRGBToLinear(Color.B)), A(Color.A * (1.0f / 255.0f))
{
}

FColor FLinearColor::ToFColor(const bool bSRGB) const
{
	if (bSRGB)
	{
		return FColor(LinearToSRGBByte(R), LinearToSRGBByte(G), LinearToSRGBByte(B), LinearToByte(A));
	}
	return FColor(LinearToByte(R), LinearToByte(G), LinearToByte(B), LinearToByte(A));
}

FString FLinearColor::ToString() const
{
	return FString::Printf(TEXT("(R=%f,G=%f,B=%f,A=%f)"), R, G, B, A);
}

FColor FColor::FromHex(const FString& HexString)
{
	const FString Hex = HexString.StartsWith(TEXT("#")) ? HexString.RightChop(1) : HexString;
	auto Byte = [&Hex](int32 Index) { return uint8(HexDigit(Hex[Index]) * 16 + HexDigit(Hex[Index + 1])); };
	switch (Hex.Len())
	{
	case 3:
		return FColor(uint8(HexDigit(Hex[0]) * 17), uint8(HexDigit(Hex[1]) * 17), uint8(HexDigit(Hex[2]) * 17), 255);
	case 6:
		return FColor(Byte(0), Byte(2), Byte(4), 255);
	case 8:
		return FColor(Byte(0), Byte(2), Byte(4), Byte(6));
	default:
		return FColor(0, 0, 0, 0);
	}
}

FString FColor::ToHex() const
{
	return FString::Printf(TEXT("%02X%02X%02X%02X"), R, G, B, A);
}
