// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Logging/LogMacros.h"

DECLARE_LOG_CATEGORY_EXTERN(LogHttpListener, Log, All);
DECLARE_LOG_CATEGORY_EXTERN(LogHttpServerModule, Log, All);
