// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Delegates/Delegate.h"
#include "Templates/Function.h"
#include "Templates/SharedPointer.h"

#include <mutex>
#include <vector>

DECLARE_DELEGATE_RetVal_OneParam(bool, FTickerDelegate, float);

// Thread-safe ticker: delegates fire once their delay has passed and stay scheduled while they
// return true. The core ticker is ticked once per engine frame on the game thread.
class FTSTicker
{
public:
	struct FElement;
	using FDelegateHandle = TWeakPtr<FElement>;

	static CORE_API FTSTicker& GetCoreTicker();

	CORE_API FDelegateHandle AddTicker(const FTickerDelegate& InDelegate, float InDelay = 0.0f);
	CORE_API FDelegateHandle AddTicker(const TCHAR* InName, float InDelay, TUniqueFunction<bool(float)>&& Function);
	static CORE_API void RemoveTicker(FDelegateHandle Handle);
	CORE_API void Tick(float DeltaTime);
	CORE_API void Reset();

	struct FElement
	{
		double FireTime = 0.0;
		float DelayTime = 0.0f;
		FTickerDelegate Delegate;
		bool bRemoved = false;
	};

private:
	friend struct FHostTickerAccess;
	std::mutex Mutex;
	std::vector<TSharedPtr<FElement>> Elements;
	double CurrentTime = 0.0;
};
