// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Templates/SharedPointer.h"

class IHttpRequest;
class IHttpResponse;
