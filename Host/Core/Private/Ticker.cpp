// Copyright Vantle contributors. All Rights Reserved.
#include "Containers/Ticker.h"

#include "HostCore.h"

FTSTicker& FTSTicker::GetCoreTicker()
{
	static FTSTicker* Ticker = new FTSTicker();
	return *Ticker;
}

FTSTicker::FDelegateHandle FTSTicker::AddTicker(const FTickerDelegate& InDelegate, float InDelay)
{
	TSharedPtr<FElement> Element = MakeShared<FElement>();
	Element->Delegate = InDelegate;
	Element->DelayTime = InDelay;
	std::lock_guard<std::mutex> Guard(Mutex);
	Element->FireTime = CurrentTime + InDelay;
	Elements.push_back(Element);
	return FDelegateHandle(Element);
}

FTSTicker::FDelegateHandle FTSTicker::AddTicker(const TCHAR* InName, float InDelay, TUniqueFunction<bool(float)>&& Function)
{
	(void)InName;
	return AddTicker(FTickerDelegate::CreateLambda(std::move(Function)), InDelay);
}

void FTSTicker::RemoveTicker(FDelegateHandle Handle)
{
	if (TSharedPtr<FElement> Element = Handle.Pin())
	{
		// The owning ticker drops removed elements at its next tick; they never fire again.
		Element->bRemoved = true;
		Element->Delegate.Unbind();
	}
}

void FTSTicker::Tick(float DeltaTime)
{
	std::vector<TSharedPtr<FElement>> Due;
	double Now;
	{
		std::lock_guard<std::mutex> Guard(Mutex);
		CurrentTime += DeltaTime;
		Now = CurrentTime;
		std::erase_if(Elements, [](const TSharedPtr<FElement>& Element) { return Element->bRemoved; });
		for (const TSharedPtr<FElement>& Element : Elements)
		{
			if (Element->FireTime <= Now)
			{
				Due.push_back(Element);
			}
		}
	}
	for (const TSharedPtr<FElement>& Element : Due)
	{
		if (Element->bRemoved || !Element->Delegate.IsBound())
		{
			continue;
		}
		const bool bKeep = Element->Delegate.Execute(DeltaTime);
		std::lock_guard<std::mutex> Guard(Mutex);
		if (!bKeep)
		{
			Element->bRemoved = true;
		}
		else
		{
			Element->FireTime = Now + Element->DelayTime;
		}
	}
}

void FTSTicker::Reset()
{
	std::lock_guard<std::mutex> Guard(Mutex);
	for (const TSharedPtr<FElement>& Element : Elements)
	{
		Element->bRemoved = true;
	}
	Elements.clear();
}

struct FHostTickerAccess
{
	static int32 Count(FTSTicker& Ticker)
	{
		std::lock_guard<std::mutex> Guard(Ticker.Mutex);
		int32 Count = 0;
		for (const TSharedPtr<FTSTicker::FElement>& Element : Ticker.Elements)
		{
			Count += Element->bRemoved ? 0 : 1;
		}
		return Count;
	}
};

namespace UE::Host
{
	int32 GetActiveTickerCount(FTSTicker& Ticker)
	{
		return FHostTickerAccess::Count(Ticker);
	}
}
