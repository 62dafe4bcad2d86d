// Copyright Vantle contributors. All Rights Reserved.
#include "HostObjects.h"
#include "CoreGlobals.h"
#include "UObject/Object.h"

#include <map>
#include <unordered_map>

namespace
{
	struct FObjectKey
	{
		const UObjectBase* Outer;
		uint32 Name;

		bool operator==(const FObjectKey& Other) const { return Outer == Other.Outer && Name == Other.Name; }
	};

	struct FObjectKeyHash
	{
		size_t operator()(const FObjectKey& Key) const
		{
			return std::hash<const void*>()(Key.Outer) ^ (static_cast<size_t>(Key.Name) * 0x9E3779B97F4A7C15ull);
		}
	};

	// The engine's object hash: objects by (outer, name) and by outer. Children are ordered by
	// creation so that iteration is deterministic.
	struct FObjectRegistry
	{
		uint64 NextSerial = 1;
		int32 Count = 0;
		// Moves on whenever an object appears, disappears or is renamed, so lookups can be cached.
		uint64 Generation = 1;
		std::unordered_map<FObjectKey, UObjectBase*, FObjectKeyHash> ByName;
		std::unordered_map<const UObjectBase*, std::map<uint64, UObjectBase*>> ByOuter;
	};

	// Never destroyed: objects owned by static storage may leave it during shut-down.
	FObjectRegistry& GetRegistry()
	{
		static FObjectRegistry* Registry = new FObjectRegistry();
		return *Registry;
	}

	bool IsDelimiter(TCHAR Ch)
	{
		return Ch == u'.' || Ch == u':';
	}
}

UObjectBase::UObjectBase()
{
	check(IsInGameThread());
	FObjectRegistry& Registry = GetRegistry();
	SerialNumber = Registry.NextSerial++;
	++Registry.Count;
	++Registry.Generation;
	Registry.ByOuter[nullptr].emplace(SerialNumber, this);
}

UObjectBase::~UObjectBase()
{
	FObjectRegistry& Registry = GetRegistry();
	++Registry.Generation;
	auto Inner = Registry.ByOuter.find(this);
	if (Inner != Registry.ByOuter.end())
	{
		// Orphans keep existing but lose the place they were found by.
		std::map<uint64, UObjectBase*> Orphans = std::move(Inner->second);
		Registry.ByOuter.erase(Inner);
		for (const auto& [Serial, Orphan] : Orphans)
		{
			if (!Orphan->NamePrivate.IsNone())
			{
				Registry.ByName.erase(FObjectKey{this, Orphan->NamePrivate.GetComparisonIndex()});
			}
			Orphan->NamePrivate = FName();
			Orphan->OuterPrivate = nullptr;
			Registry.ByOuter[nullptr].emplace(Serial, Orphan);
		}
	}
	if (!NamePrivate.IsNone())
	{
		auto Named = Registry.ByName.find(FObjectKey{OuterPrivate, NamePrivate.GetComparisonIndex()});
		if (Named != Registry.ByName.end() && Named->second == this)
		{
			Registry.ByName.erase(Named);
		}
	}
	auto Siblings = Registry.ByOuter.find(OuterPrivate);
	if (Siblings != Registry.ByOuter.end())
	{
		Siblings->second.erase(SerialNumber);
		if (Siblings->second.empty())
		{
			Registry.ByOuter.erase(Siblings);
		}
	}
	--Registry.Count;
}

void UObjectBase::LowLevelRename(FName NewName, UObject* NewOuter)
{
	FObjectRegistry& Registry = GetRegistry();
	++Registry.Generation;
	UObject* TargetOuter = NewOuter ? NewOuter : OuterPrivate;
	if (!NamePrivate.IsNone())
	{
		auto Named = Registry.ByName.find(FObjectKey{OuterPrivate, NamePrivate.GetComparisonIndex()});
		if (Named != Registry.ByName.end() && Named->second == this)
		{
			Registry.ByName.erase(Named);
		}
	}
	if (TargetOuter != OuterPrivate)
	{
		auto Siblings = Registry.ByOuter.find(OuterPrivate);
		if (Siblings != Registry.ByOuter.end())
		{
			Siblings->second.erase(SerialNumber);
			if (Siblings->second.empty())
			{
				Registry.ByOuter.erase(Siblings);
			}
		}
		Registry.ByOuter[TargetOuter].emplace(SerialNumber, this);
	}
	NamePrivate = NewName;
	OuterPrivate = TargetOuter;
	if (!NamePrivate.IsNone())
	{
		Registry.ByName[FObjectKey{OuterPrivate, NamePrivate.GetComparisonIndex()}] = this;
	}
}

bool UObject::Rename(const TCHAR* NewName, UObject* NewOuter, ERenameFlags Flags)
{
	const FName TargetName = NewName ? FName(NewName) : GetFName();
	UObject* TargetOuter = NewOuter ? NewOuter : GetOuter();
	for (const UObject* Outer = TargetOuter; Outer; Outer = Outer->GetOuter())
	{
		if (Outer == this)
		{
			return false;
		}
	}
	if (!TargetName.IsNone())
	{
		FObjectRegistry& Registry = GetRegistry();
		auto Existing = Registry.ByName.find(FObjectKey{TargetOuter, TargetName.GetComparisonIndex()});
		if (Existing != Registry.ByName.end() && Existing->second != this)
		{
			return false;
		}
	}
	if (Flags & REN_Test)
	{
		return true;
	}
	LowLevelRename(TargetName, TargetOuter);
	return true;
}

namespace UE::Host
{
	UObject* FindObjectByPath(const UObject* Outer, FStringView Path)
	{
		check(IsInGameThread());
		FObjectRegistry& Registry = GetRegistry();
		const UObjectBase* Current = Outer;
		int32 Start = 0;
		const int32 Len = Path.Len();
		if (Len == 0)
		{
			return nullptr;
		}
		while (Start <= Len)
		{
			int32 End = Start;
			while (End < Len && !IsDelimiter(Path[End]))
			{
				++End;
			}
			if (End == Start)
			{
				return nullptr;
			}
			const FName Segment(FString(End - Start, Path.GetData() + Start));
			auto Found = Registry.ByName.find(FObjectKey{Current, Segment.GetComparisonIndex()});
			if (Found == Registry.ByName.end())
			{
				return nullptr;
			}
			Current = Found->second;
			Start = End + 1;
			if (End == Len)
			{
				break;
			}
		}
		return static_cast<UObject*>(const_cast<UObjectBase*>(Current));
	}

	TArray<UObject*> GetObjectsWithOuterInOrder(const UObject* Outer)
	{
		TArray<UObject*> Result;
		FObjectRegistry& Registry = GetRegistry();
		auto Children = Registry.ByOuter.find(Outer);
		if (Children != Registry.ByOuter.end())
		{
			Result.Reserve(static_cast<int32>(Children->second.size()));
			for (const auto& [Serial, Child] : Children->second)
			{
				Result.Add(static_cast<UObject*>(Child));
			}
		}
		return Result;
	}

	int32 GetObjectCount()
	{
		return GetRegistry().Count;
	}
}

namespace UE::Host
{
	uint64 GetObjectRegistryGeneration()
	{
		return GetRegistry().Generation;
	}
}
