// Copyright Vantle contributors. All Rights Reserved.
#include "Fonts/SlateFontInfo.h"

const FFontOutlineSettings FFontOutlineSettings::NoOutline;
