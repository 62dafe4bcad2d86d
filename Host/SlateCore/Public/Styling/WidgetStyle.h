// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Math/Color.h"

// Colours a parent passes down to its children while drawing.
class FWidgetStyle
{
public:
	FWidgetStyle() = default;

	FWidgetStyle& SetForegroundColor(const FLinearColor& InForeground)
	{
		ForegroundColor = InForeground;
		SubduedForeground = FLinearColor(InForeground.R, InForeground.G, InForeground.B, InForeground.A * 0.5f);
		return *this;
	}
	FWidgetStyle& BlendColorAndOpacityTint(const FLinearColor& InTint)
	{
		ColorAndOpacityTint = ColorAndOpacityTint * InTint;
		return *this;
	}
	const FLinearColor& GetForegroundColor() const { return ForegroundColor; }
	const FLinearColor& GetSubduedForegroundColor() const { return SubduedForeground; }
	const FLinearColor& GetColorAndOpacityTint() const { return ColorAndOpacityTint; }

private:
	FLinearColor ColorAndOpacityTint = FLinearColor::White;
	FLinearColor ForegroundColor = FLinearColor::White;
	FLinearColor SubduedForeground = FLinearColor(1.0f, 1.0f, 1.0f, 0.5f);
};
