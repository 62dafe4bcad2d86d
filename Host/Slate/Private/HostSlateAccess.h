// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HostSlateCore.h"
#include "Widgets/Docking/SDockTab.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/Layout/SScrollBox.h"
#include "Widgets/Text/STextBlock.h"

namespace UE::Host
{
	// The scroll bar's room on the right of a scroll box: 8 units of bar and 2 of padding either side.
	inline constexpr double ScrollBarWidth = 12.0;

	// Reaches Slate widget state that the engine keeps private but the host's probes read.
	struct FSlateWidgetAccess
	{
		// The colour a text block draws with now.
		static FSlateColor GetColorAndOpacity(const STextBlock& Text) { return Text.GetColorAndOpacity(); }
		static FSlateFontInfo GetFont(const STextBlock& Text) { return Text.GetFont(); }
		static float GetWrappingWidth(const STextBlock& Text) { return Text.GetWrappingWidth(); }
		static const FButtonStyle* GetStyle(const SButton& Button) { return Button.Style; }
		static bool IsClosed(const SDockTab& Tab) { return Tab.bIsClosed; }
		static bool IsScrollBarNeeded(const SScrollBox& ScrollBox, const FGeometry& Geometry) { return ScrollBox.IsScrollBarNeeded(Geometry); }
	};
}
