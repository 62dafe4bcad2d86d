// Copyright Vantle contributors. All Rights Reserved.
#include "Styling/SlateStyle.h"

#include "Brushes/SlateImageBrush.h"
#include "CoreGlobals.h"
#include "HostSlateCore.h"
#include "Logging/LogMacros.h"
#include "Styling/SlateStyleRegistry.h"

DEFINE_LOG_CATEGORY_STATIC(LogSlateStyle, Log, All);

FSlateStyleSet::FSlateStyleSet(const FName& InStyleSetName) : StyleSetName(InStyleSetName)
{
	DefaultBrush = new FSlateImageBrush(UE::Host::GetSlateCoreResourcesDir() / TEXT("Checkerboard.svg"), FVector2f(16.0f, 16.0f), FLinearColor::White,
										ESlateBrushTileType::Both, ESlateBrushImageType::Vector);
	BrushResources.Add(FName(TEXT("Default")), DefaultBrush);
}

FSlateStyleSet::~FSlateStyleSet()
{
	for (auto& Pair : BrushResources)
	{
		delete Pair.Value;
	}
	BrushResources.Reset();
}

void FSlateStyleSet::SetBrush(const FName PropertyName, FSlateBrush* InBrush)
{
	if (FSlateBrush** Existing = BrushResources.Find(PropertyName))
	{
		if (*Existing != InBrush)
		{
			if (*Existing == DefaultBrush)
			{
				DefaultBrush = InBrush;
			}
			delete *Existing;
		}
		*Existing = InBrush;
		return;
	}
	BrushResources.Add(PropertyName, InBrush);
}

const FSlateBrush* FSlateStyleSet::FindBrush(const FName StyleName) const
{
	if (FSlateBrush* const* Found = BrushResources.Find(StyleName))
	{
		return *Found;
	}
	if (const ISlateStyle* Parent = GetParentStyle())
	{
		return Parent->GetOptionalBrush(StyleName, nullptr, nullptr);
	}
	return nullptr;
}

const ISlateStyle* FSlateStyleSet::GetParentStyle() const
{
	if (ParentStyleName.IsNone() || ParentStyleName == StyleSetName)
	{
		return nullptr;
	}
	return FSlateStyleRegistry::FindSlateStyle(ParentStyleName);
}

void FSlateStyleSet::LogMissingResource(const FName StyleName, const TCHAR* Kind) const
{
	bool bAlreadyLogged = false;
	MissingResources.Add(StyleName, &bAlreadyLogged);
	if (!bAlreadyLogged)
	{
		UE_LOG(LogSlateStyle, Warning, TEXT("Unable to find %s '%s' in style '%s'."), Kind, *StyleName.ToString(), *StyleSetName.ToString());
	}
}

const FSlateBrush* FSlateStyleSet::GetBrush(const FName PropertyName, const ANSICHAR* Specifier, const ISlateStyle* RequestingStyle) const
{
	const FName StyleName = Join(PropertyName, Specifier);
	if (const FSlateBrush* Brush = FindBrush(StyleName))
	{
		return Brush;
	}
	LogMissingResource(StyleName, TEXT("Brush"));
	return DefaultBrush;
}

const FSlateBrush* FSlateStyleSet::GetOptionalBrush(const FName PropertyName, const ANSICHAR* Specifier, const FSlateBrush* const InDefaultBrush) const
{
	const FSlateBrush* Brush = FindBrush(Join(PropertyName, Specifier));
	return Brush ? Brush : InDefaultBrush;
}

const FSlateWidgetStyle* FSlateStyleSet::GetWidgetStyleInternal(const FName DesiredTypeName, const FName StyleName, const FSlateWidgetStyle* DefaultStyle,
																bool bWarnIfNotFound) const
{
	if (const TSharedRef<FSlateWidgetStyle>* Found = WidgetStyleValues.Find(StyleName))
	{
		if ((*Found)->GetTypeName() == DesiredTypeName)
		{
			return &Found->Get();
		}
		UE_LOG(LogSlateStyle, Warning, TEXT("The widget style '%s' is a '%s', not a '%s'."), *StyleName.ToString(), *(*Found)->GetTypeName().ToString(),
			   *DesiredTypeName.ToString());
		return DefaultStyle;
	}
	if (const ISlateStyle* Parent = GetParentStyle())
	{
		if (const FSlateWidgetStyle* FromParent = Parent->GetWidgetStyleInternal(DesiredTypeName, StyleName, nullptr, false))
		{
			return FromParent;
		}
	}
	if (bWarnIfNotFound)
	{
		LogMissingResource(StyleName, TEXT("widget style"));
	}
	return DefaultStyle;
}
