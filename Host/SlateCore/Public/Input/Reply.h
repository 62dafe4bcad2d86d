// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HAL/Platform.h"

// What an event handler did with the event: handled (consumed) or unhandled (passed on).
class FReply
{
public:
	static FReply Handled() { return FReply(true); }
	static FReply Unhandled() { return FReply(false); }

	bool IsEventHandled() const { return bIsHandled; }

private:
	explicit FReply(bool bInIsHandled) : bIsHandled(bInIsHandled) {}

	bool bIsHandled;
};
