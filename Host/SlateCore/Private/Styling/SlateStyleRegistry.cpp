// Copyright Vantle contributors. All Rights Reserved.
#include "Styling/SlateStyleRegistry.h"

#include "Containers/Array.h"
#include "HostSlateCore.h"
#include "Logging/LogMacros.h"
#include "Styling/ISlateStyle.h"

DEFINE_LOG_CATEGORY_STATIC(LogSlateStyleRegistry, Log, All);

namespace
{
	struct FRegisteredStyle
	{
		FName Name;
		const ISlateStyle* Style;
	};

	// Registration order is kept so that the probe lists sets as they were added.
	TArray<FRegisteredStyle>& GetRepository()
	{
		static TArray<FRegisteredStyle>* Repository = new TArray<FRegisteredStyle>();
		return *Repository;
	}
}

void FSlateStyleRegistry::RegisterSlateStyle(const ISlateStyle& InSlateStyle)
{
	const FName Name = InSlateStyle.GetStyleSetName();
	if (Name.IsNone())
	{
		UE_LOG(LogSlateStyleRegistry, Error, TEXT("A style set without a name cannot be registered."));
		return;
	}
	// A taken name is a programming error, as the engine's registry asserts it.
	check(!FindSlateStyle(Name));
	GetRepository().Add(FRegisteredStyle{Name, &InSlateStyle});
}

void FSlateStyleRegistry::UnRegisterSlateStyle(const ISlateStyle& InSlateStyle)
{
	GetRepository().RemoveAll([&InSlateStyle](const FRegisteredStyle& Entry) { return Entry.Style == &InSlateStyle; });
}

void FSlateStyleRegistry::UnRegisterSlateStyle(const FName StyleSetName)
{
	GetRepository().RemoveAll([StyleSetName](const FRegisteredStyle& Entry) { return Entry.Name == StyleSetName; });
}

const ISlateStyle* FSlateStyleRegistry::FindSlateStyle(const FName& InSlateStyleName)
{
	const FRegisteredStyle* Found =
		GetRepository().FindByPredicate([&InSlateStyleName](const FRegisteredStyle& Entry) { return Entry.Name == InSlateStyleName; });
	return Found ? Found->Style : nullptr;
}

TArray<FName> UE::Host::GetRegisteredStyleSetNames()
{
	TArray<FName> Names;
	for (const FRegisteredStyle& Entry : GetRepository())
	{
		Names.Add(Entry.Name);
	}
	return Names;
}
