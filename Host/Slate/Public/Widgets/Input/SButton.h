// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Framework/SlateDelegates.h"
#include "Styling/CoreStyle.h"
#include "Styling/ISlateStyle.h"
#include "Styling/SlateTypes.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/Layout/SBorder.h"

namespace UE::Host
{
	struct FSlateWidgetAccess;
}

// A clickable border: the style's brush for its state behind the content, with the content
// padding plus the style's padding around it. A disabled button draws the Disabled brush and
// does not fire OnClicked. The style is kept by pointer and must outlive the button.
class SButton : public SBorder
{
public:
	SLATE_BEGIN_ARGS(SButton)
		: _ButtonStyle(&FCoreStyle::Get().GetWidgetStyle<FButtonStyle>(TEXT("Button"))),
		  _TextStyle(&FCoreStyle::Get().GetWidgetStyle<FTextBlockStyle>(TEXT("ButtonText"))), _HAlign(HAlign_Fill), _VAlign(VAlign_Fill),
		  _ContentPadding(FMargin(4.0f, 2.0f))
	{
	}
	SLATE_DEFAULT_SLOT(FArguments, Content)
	SLATE_STYLE_ARGUMENT(FButtonStyle, ButtonStyle)
	SLATE_STYLE_ARGUMENT(FTextBlockStyle, TextStyle)
	SLATE_ARGUMENT(EHorizontalAlignment, HAlign)
	SLATE_ARGUMENT(EVerticalAlignment, VAlign)
	SLATE_ATTRIBUTE(FMargin, ContentPadding)
	// A label, used only when no content is given.
	SLATE_ATTRIBUTE(FText, Text)
	SLATE_EVENT(FOnClicked, OnClicked)
	SLATE_END_ARGS()

	SButton() = default;
	void Construct(const FArguments& InArgs);

	// Runs the click handler as a click would (the caller checks that the button is enabled).
	void SimulateClick();

protected:
	virtual FVector2D ComputeDesiredSize(float LayoutScaleMultiplier) const override;

private:
	friend struct UE::Host::FSlateWidgetAccess;

	FReply ExecuteOnClick();
	const FSlateBrush* GetBorder() const;
	FMargin GetCombinedPadding() const;
	FSlateColor GetStateForeground() const;

	const FButtonStyle* Style = nullptr;
	TAttribute<FMargin> ContentPadding;
	FOnClicked OnClicked;
	bool bIsPressed = false;
};
