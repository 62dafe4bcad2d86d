// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Internationalization/Text.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SCompoundWidget.h"

// A top-level window: a title and a client area of a fixed size holding one content widget.
class SWindow : public SCompoundWidget
{
public:
	SLATE_BEGIN_ARGS(SWindow) : _Title(), _ClientSize(FVector2D(100.0, 100.0)) {}
	SLATE_ATTRIBUTE(FText, Title)
	SLATE_ARGUMENT(FVector2D, ClientSize)
	SLATE_DEFAULT_SLOT(FArguments, Content)
	SLATE_END_ARGS()

	SWindow() = default;
	void Construct(const FArguments& InArgs);

	FText GetTitle() const { return Title.Get(); }
	// The size of the client area, in Slate units (application scale 1).
	FVector2D GetClientSizeInScreen() const { return ClientSize; }
	void Resize(FVector2D NewClientSize) { ClientSize = NewClientSize; }
	// A window is drawn only while shown; FSlateApplication::AddWindow shows it unless told not to.
	void ShowWindow() { bIsVisible = true; }
	void HideWindow() { bIsVisible = false; }
	bool IsVisible() const { return bIsVisible; }

protected:
	virtual FVector2D ComputeDesiredSize(float LayoutScaleMultiplier) const override { return ClientSize; }

private:
	TAttribute<FText> Title;
	FVector2D ClientSize;
	bool bIsVisible = false;
};
