// Copyright Vantle contributors. All Rights Reserved.
#include "Widgets/SWindow.h"

void SWindow::Construct(const FArguments& InArgs)
{
	Title = InArgs._Title;
	ClientSize = InArgs._ClientSize;
	Clipping = EWidgetClipping::ClipToBounds;
	ChildSlot[InArgs._Content.Widget];
}
