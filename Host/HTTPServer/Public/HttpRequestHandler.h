// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Delegates/Delegate.h"
#include "HttpResultCallback.h"
#include "HttpServerRequest.h"

// A route handler: returns true when it takes the request and will call OnComplete with the answer.
using FHttpRequestHandler = TDelegate<bool(const FHttpServerRequest& Request, const FHttpResultCallback& OnComplete)>;
