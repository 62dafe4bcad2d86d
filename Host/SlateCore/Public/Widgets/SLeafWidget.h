// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Widgets/SWidget.h"

// A widget without children (text, images).
class SLeafWidget : public SWidget
{
public:
	virtual FChildren* GetChildren() override;
	virtual void OnArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren) const override {}
};
