// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HttpServerResponse.h"
#include "Templates/Function.h"
#include "Templates/UniquePtr.h"

// Hands a handler's answer back to the listener; may be called from any thread, once.
typedef TFunction<void(TUniquePtr<FHttpServerResponse>&& Response)> FHttpResultCallback;
