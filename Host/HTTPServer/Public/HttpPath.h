// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/UnrealString.h"

// A server-relative HTTP path such as "/mcp".
struct FHttpPath
{
	// Empty path; not valid for binding.
	FHttpPath() = default;
	// Takes the path as given.
	FHttpPath(FString InPath) : Path(InPath) {}

	// The path text.
	const FString& GetPath() const { return Path; }
	// True for an absolute path ("/" followed by path characters) without blanks, query or fragment.
	bool IsValidPath() const;

protected:
	FString Path;
};
