// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HAL/Platform.h"

// Identifies one binding of a delegate, e.g. for removal from a multicast delegate.
// The object a delegate is bound to, as functions that unbind by object take it; where the engine
// declares it is not confirmed.
using FDelegateUserObjectConst = const void*;

class FDelegateHandle
{
public:
	enum EGenerateNewHandleType
	{
		GenerateNewHandle
	};

	FDelegateHandle() = default;
	explicit FDelegateHandle(EGenerateNewHandleType) : ID(GenerateNewID()) {}

	bool IsValid() const { return ID != 0; }
	void Reset() { ID = 0; }
	bool operator==(const FDelegateHandle& Other) const { return ID == Other.ID; }
	bool operator!=(const FDelegateHandle& Other) const { return ID != Other.ID; }

private:
	static CORE_API uint64 GenerateNewID();
	uint64 ID = 0;
};
