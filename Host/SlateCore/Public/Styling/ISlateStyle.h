// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/UnrealString.h"
#include "Styling/SlateWidgetStyle.h"
#include "Styling/StyleDefaults.h"
#include "UObject/NameTypes.h"

struct FSlateBrush;

// A named collection of brushes and widget styles, looked up by style name.
class ISlateStyle
{
public:
	virtual ~ISlateStyle() = default;

	virtual const FName& GetStyleSetName() const = 0;
	// The brush of that name (plus Specifier); never null: unknown names give the set's default brush.
	virtual const FSlateBrush* GetBrush(const FName PropertyName, const ANSICHAR* Specifier = nullptr, const ISlateStyle* RequestingStyle = nullptr) const = 0;
	// The brush of that name, or DefaultBrush when the set has none.
	virtual const FSlateBrush* GetOptionalBrush(const FName PropertyName, const ANSICHAR* Specifier = nullptr,
												const FSlateBrush* const DefaultBrush = FStyleDefaults::GetNoBrush()) const = 0;

	// The widget style of that name, or the type's default when the set has none.
	template <typename WidgetStyleType> const WidgetStyleType& GetWidgetStyle(const FName StyleName, const ANSICHAR* Specifier = nullptr) const
	{
		const FSlateWidgetStyle* Style = GetWidgetStyleInternal(WidgetStyleType::TypeName, Join(StyleName, Specifier), &WidgetStyleType::GetDefault(), true);
		return *static_cast<const WidgetStyleType*>(Style);
	}

	// StyleName followed by Specifier, as style lookups combine them.
	static FName Join(FName A, const ANSICHAR* B) { return B ? FName(A.ToString() + FString(B)) : A; }

protected:
	// Style sets consult their parent set through this.
	friend class FSlateStyleSet;

	virtual const FSlateWidgetStyle* GetWidgetStyleInternal(const FName DesiredTypeName, const FName StyleName, const FSlateWidgetStyle* DefaultStyle,
															bool bWarnIfNotFound) const = 0;
};
