// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HostSlateCore.h"
#include "SlateCanvas.h"

namespace UE::Host::Rendering
{
	// Paints every arranged widget at its geometry, clipped to its clip rectangle, in document order.
	void PaintWidgets(FCanvas& Canvas, const TArray<FArrangedWidgetRecord>& Records);
}
