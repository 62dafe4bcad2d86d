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
	static CORE_API FString ProjectDir();
	static CORE_API FString ProjectSavedDir();
	static CORE_API FString ConvertRelativePathToFull(const FString& InPath);
	static CORE_API FString GetPath(const FString& InPath);
	static CORE_API FString GetCleanFilename(const FString& InPath);
	static CORE_API FString GetExtension(const FString& InPath, bool bIncludeDot = false);
	static CORE_API FString GetBaseFilename(const FString& InPath, bool bRemovePath = true);
	static CORE_API bool FileExists(const FString& InPath);
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
