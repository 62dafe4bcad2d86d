// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/StringView.h"
#include "Containers/UnrealString.h"
#include "HAL/FileManager.h"

struct FFileHelper
{
	enum class EEncodingOptions
	{
		AutoDetect,
		ForceAnsi,
		ForceUnicode,
		ForceUTF8,
		ForceUTF8WithoutBOM,
	};

	// AutoDetect: 8-bit when every character is ASCII, otherwise UTF-16LE with a byte-order mark.
	static CORE_API bool SaveStringToFile(FStringView String, const TCHAR* Filename, EEncodingOptions EncodingOptions = EEncodingOptions::AutoDetect,
		IFileManager* FileManager = &IFileManager::Get(), uint32 WriteFlags = 0);
	// Reads 8-bit, UTF-8 (with or without BOM) or UTF-16 with BOM.
	static CORE_API bool LoadFileToString(FString& Result, const TCHAR* Filename);
};
