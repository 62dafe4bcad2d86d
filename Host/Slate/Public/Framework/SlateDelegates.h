// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Delegates/Delegate.h"
#include "Input/Reply.h"

// A button's click handler; its reply says whether the click was handled.
DECLARE_DELEGATE_RetVal(FReply, FOnClicked)
