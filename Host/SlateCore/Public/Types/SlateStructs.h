// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Misc/Attribute.h"

// A size that may be left unspecified (SBox overrides and limits).
struct FOptionalSize
{
	static constexpr float Unspecified = -1.0f;

	FOptionalSize() = default;
	FOptionalSize(const float SpecifiedSize) : Size(SpecifiedSize) {}

	bool IsSet() const { return Size != Unspecified; }
	float Get() const { return Size; }
	bool operator==(const FOptionalSize& Other) const { return Size == Other.Size; }

private:
	float Size = Unspecified;
};

// How a box panel slot takes space along the panel: its content's desired size, or a share of what is left.
struct FSizeParam
{
	enum ESizeRule
	{
		SizeRule_Auto,
		SizeRule_Stretch,
	};

	ESizeRule SizeRule = SizeRule_Stretch;
	TAttribute<float> Value = 1.0f;

protected:
	FSizeParam(ESizeRule InSizeRule, const TAttribute<float>& InValue) : SizeRule(InSizeRule), Value(InValue) {}
};
