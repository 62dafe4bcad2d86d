// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HAL/Platform.h"

class FString;
template <typename CharType> class TStringView;
using FStringView = TStringView<TCHAR>;
