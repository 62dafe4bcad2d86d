// Copyright Vantle contributors. All Rights Reserved.
#include "UObject/UObjectBase.h"

#include "CoreGlobals.h"

#include <new>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define UE_HOST_POOLED_OBJECTS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define UE_HOST_POOLED_OBJECTS 0
#endif
#endif
#ifndef UE_HOST_POOLED_OBJECTS
#define UE_HOST_POOLED_OBJECTS 1
#endif

namespace
{
	// One bin per 16-byte size step up to 1 KB, filled from 64 KB blocks in address order; freed
	// objects go back to their bin and are handed out again first. Blocks are kept for the life of
	// the program. Under the sanitizers every object is a heap allocation of its own, so that a use
	// after destruction is reported instead of reading the next object of that size.
	constexpr size_t BinStep = 16;
	constexpr size_t LargestBinned = 1024;
	constexpr size_t BlockBytes = 64 * 1024;

	struct FBin
	{
		char* Next = nullptr;
		char* End = nullptr;
		void* Freed = nullptr;
	};

	FBin& GetBin(size_t Size)
	{
		static FBin Bins[LargestBinned / BinStep + 1];
		return Bins[(Size + BinStep - 1) / BinStep];
	}

	size_t BinSize(size_t Size)
	{
		return (Size + BinStep - 1) / BinStep * BinStep;
	}
}

void* UObjectBase::operator new(size_t Size)
{
	// The bins are not locked: objects are made on the game thread only, as the constructor checks.
	check(IsInGameThread());
	if (!UE_HOST_POOLED_OBJECTS || Size == 0 || Size > LargestBinned)
	{
		return ::operator new(Size);
	}
	FBin& Bin = GetBin(Size);
	if (Bin.Freed)
	{
		void* Memory = Bin.Freed;
		Bin.Freed = *static_cast<void**>(Memory);
		return Memory;
	}
	const size_t Bytes = BinSize(Size);
	if (Bin.Next == Bin.End)
	{
		Bin.Next = static_cast<char*>(::operator new(BlockBytes));
		Bin.End = Bin.Next + BlockBytes / Bytes * Bytes;
	}
	void* Memory = Bin.Next;
	Bin.Next += Bytes;
	return Memory;
}

void UObjectBase::operator delete(void* Memory, size_t Size)
{
	if (!Memory)
	{
		return;
	}
	if (!UE_HOST_POOLED_OBJECTS || Size == 0 || Size > LargestBinned)
	{
		::operator delete(Memory);
		return;
	}
	FBin& Bin = GetBin(Size);
	*static_cast<void**>(Memory) = Bin.Freed;
	Bin.Freed = Memory;
}
