// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/UnrealString.h"

#include <utility>

class FPaths
{
public:
	// Joins with '/', adding none where a part already ends in one and skipping empty parts.
	template <typename... PathTypes>
	static FString Combine(PathTypes&&... InPaths)
	{
		FString Result;
		(Append(Result, FString(std::forward<PathTypes>(InPaths))), ...);
		return Result;
	}
	// The project folder, relative, ending in '/'.
	// The project's Saved folder, relative, ending in '/'.
	// The absolute, normalised form of a path.
	static CORE_API FString ConvertRelativePathToFull(const FString& InPath);
	// Everything before the last '/'.
	static CORE_API FString GetPath(const FString& InPath);
	// Everything after the last '/'.
	static CORE_API FString GetCleanFilename(const FString& InPath);
	// The file name's extension, with or without its dot; empty when it has none.
	static CORE_API FString GetExtension(const FString& InPath, bool bIncludeDot = false);
	// The file name without its extension (and without its folder unless told otherwise).
	static CORE_API FString GetBaseFilename(const FString& InPath, bool bRemovePath = true);
	// True for an existing regular file.
	static CORE_API bool FileExists(const FString& InPath);
	// True for an existing folder.
	static CORE_API bool DirectoryExists(const FString& InPath);

private:
	static void Append(FString& Result, const FString& Part)
	{
		if (Part.IsEmpty())
		{
			return;
		}
		if (!Result.IsEmpty() && !Result.EndsWith(TEXT("/")) && !Part.StartsWith(TEXT("/")))
		{
			Result += TEXT("/");
		}
		Result += Part;
	}
};
