// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Widgets/SWidget.h"

// A widget that arranges any number of children in slots.
class SPanel : public SWidget
{
};
