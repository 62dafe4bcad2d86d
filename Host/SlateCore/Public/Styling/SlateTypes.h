// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Fonts/SlateFontInfo.h"
#include "Layout/Margin.h"
#include "Styling/SlateBrush.h"
#include "Styling/SlateColor.h"
#include "Styling/SlateWidgetStyle.h"

enum class ECheckBoxState : uint8
{
	Unchecked,
	Checked,
	Undetermined,
};

// Font and colour of a text block.
struct FTextBlockStyle : public FSlateWidgetStyle
{
	FTextBlockStyle();

	static const FName TypeName;
	virtual const FName GetTypeName() const override { return TypeName; }
	static const FTextBlockStyle& GetDefault();

	FTextBlockStyle& SetFont(const FSlateFontInfo& InFont)
	{
		Font = InFont;
		return *this;
	}
	FTextBlockStyle& SetColorAndOpacity(const FSlateColor& InColorAndOpacity)
	{
		ColorAndOpacity = InColorAndOpacity;
		return *this;
	}

	FSlateFontInfo Font;
	FSlateColor ColorAndOpacity;
};

// The four state brushes of a button, its foreground colours and the padding it adds around its content.
struct FButtonStyle : public FSlateWidgetStyle
{
	// Default brushes, Disabled draws nothing, foregrounds follow the inherited foreground, no padding.
	FButtonStyle();

	static const FName TypeName;
	virtual const FName GetTypeName() const override { return TypeName; }
	static const FButtonStyle& GetDefault();

	FButtonStyle& SetNormal(const FSlateBrush& InNormal)
	{
		Normal = InNormal;
		return *this;
	}
	FButtonStyle& SetHovered(const FSlateBrush& InHovered)
	{
		Hovered = InHovered;
		return *this;
	}
	FButtonStyle& SetPressed(const FSlateBrush& InPressed)
	{
		Pressed = InPressed;
		return *this;
	}
	FButtonStyle& SetDisabled(const FSlateBrush& InDisabled)
	{
		Disabled = InDisabled;
		return *this;
	}
	FButtonStyle& SetNormalPadding(const FMargin& InNormalPadding)
	{
		NormalPadding = InNormalPadding;
		return *this;
	}
	FButtonStyle& SetPressedPadding(const FMargin& InPressedPadding)
	{
		PressedPadding = InPressedPadding;
		return *this;
	}

	FSlateBrush Normal;
	FSlateBrush Hovered;
	FSlateBrush Pressed;
	FSlateBrush Disabled;
	FSlateColor NormalForeground;
	FSlateColor HoveredForeground;
	FSlateColor PressedForeground;
	FSlateColor DisabledForeground;
	FMargin NormalPadding;
	FMargin PressedPadding;
};
