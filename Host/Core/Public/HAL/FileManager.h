// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/UnrealString.h"

class FArchive;

enum EFileWrite
{
	FILEWRITE_None = 0x00,
	FILEWRITE_NoFail = 0x01,
	FILEWRITE_NoReplaceExisting = 0x02,
	FILEWRITE_EvenIfReadOnly = 0x04,
	FILEWRITE_Append = 0x08,
	FILEWRITE_AllowRead = 0x10,
	FILEWRITE_Silent = 0x20,
};

class IFileManager
{
public:
	virtual ~IFileManager() = default;
	// The platform file manager.
	static CORE_API IFileManager& Get();

	// Creates the folder (with Tree, its missing parents too); true when it exists afterwards.
	virtual bool MakeDirectory(const TCHAR* Path, bool Tree = false) = 0;
	// True for an existing regular file.
	virtual bool FileExists(const TCHAR* Filename) = 0;
	// True for an existing folder.
	virtual bool DirectoryExists(const TCHAR* Path) = 0;
	// Deletes the file; a missing file counts as deleted unless RequireExists.
	virtual bool Delete(const TCHAR* Filename, bool RequireExists = false, bool EvenReadOnly = false, bool Quiet = false) = 0;
	// The file's size in bytes, or -1 when it does not exist.
	virtual int64 FileSize(const TCHAR* Filename) = 0;
};
