// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HostSlateCore.h"
#include "SlateCanvas.h"

namespace UE::Host::Rendering
{
	// Paints every arranged widget at its geometry, clipped to its clip rectangle, in document order.
	void PaintWidgets(FCanvas& Canvas, const TArray<FArrangedWidgetRecord>& Records);
	// Reads every attribute painting the widgets reads (and their tool tips), drawing nothing; the
	// bound getters called count towards each widget's frame getter calls.
	void EvaluatePaintedAttributes(const TArray<FArrangedWidgetRecord>& Records);
}
