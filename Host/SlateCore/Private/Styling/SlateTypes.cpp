// Copyright Vantle contributors. All Rights Reserved.
#include "Styling/SlateTypes.h"

#include "Brushes/SlateNoResource.h"
#include "Styling/CoreStyle.h"

const FName FTextBlockStyle::TypeName(TEXT("FTextBlockStyle"));
const FName FButtonStyle::TypeName(TEXT("FButtonStyle"));

FTextBlockStyle::FTextBlockStyle() : ColorAndOpacity(FSlateColor::UseForeground()) {}

const FTextBlockStyle& FTextBlockStyle::GetDefault()
{
	static const FTextBlockStyle Default = FTextBlockStyle().SetFont(FCoreStyle::GetDefaultFontStyle(TEXT("Regular"), 10.0f));
	return Default;
}

FButtonStyle::FButtonStyle()
	: NormalForeground(FSlateColor::UseForeground()), HoveredForeground(FSlateColor::UseForeground()), PressedForeground(FSlateColor::UseForeground()),
	  DisabledForeground(FSlateColor::UseForeground())
{
	Disabled = FSlateNoResource();
}

const FButtonStyle& FButtonStyle::GetDefault()
{
	static const FButtonStyle Default;
	return Default;
}
