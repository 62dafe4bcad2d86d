// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/UnrealString.h"
#include "Fonts/SlateFontInfo.h"
#include "Math/Vector2D.h"
#include "SlateCanvas.h"

namespace UE::Host::Rendering
{
	// Draws Text in Font at Position (the top left of the text block) with the same font files,
	// size convention, wrapping and font options as the host's text measurement, so the words land
	// where the layout measured them.
	void DrawText(FCanvas& Canvas, const FString& Text, const FSlateFontInfo& Font, double WrapWidth, const FVector2D& Position, const FCanvasColor& Color,
				  bool bDisabled);

	// Draws the image file of a brush (SVG through librsvg, PNG through cairo) stretched over Rect
	// and multiplied by Tint. A file that cannot be read draws nothing (logged once per file).
	void DrawImageFile(FCanvas& Canvas, const FString& Path, const FSlateRect& Rect, const FCanvasColor& Tint, bool bDisabled);
}
