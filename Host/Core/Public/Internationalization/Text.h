// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/UnrealString.h"
#include "UObject/NameTypes.h"

#include <memory>

// Display text. Everything here is culture-invariant (FromString); nothing is localised.
class FText
{
public:
	FText() = default;

	static FText FromString(const FString& String) { FText Result; Result.Text = std::make_shared<const FString>(String); return Result; }
	static FText FromString(FString&& String) { FText Result; Result.Text = std::make_shared<const FString>(std::move(String)); return Result; }
	static FText FromName(const FName& Name) { return FromString(Name.ToString()); }

	const FString& ToString() const;
	bool IsEmpty() const { return ToString().IsEmpty(); }
	bool IdenticalTo(const FText& Other) const { return ToString().Equals(Other.ToString(), ESearchCase::CaseSensitive); }

private:
	std::shared_ptr<const FString> Text;
};
