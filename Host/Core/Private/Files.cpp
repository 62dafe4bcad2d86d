// Copyright Vantle contributors. All Rights Reserved.
#include "HAL/FileManager.h"
#include "HostCore.h"
#include "Misc/FileHelper.h"
#include "Misc/Paths.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace
{
	std::filesystem::path ToPath(const TCHAR* Path)
	{
		return std::filesystem::path(UE::Host::ToUtf8(FStringView(Path)));
	}

	class FFileManagerGeneric final : public IFileManager
	{
	public:
		bool MakeDirectory(const TCHAR* Path, bool Tree) override
		{
			std::error_code Error;
			if (Tree)
			{
				std::filesystem::create_directories(ToPath(Path), Error);
			}
			else
			{
				std::filesystem::create_directory(ToPath(Path), Error);
			}
			return std::filesystem::is_directory(ToPath(Path), Error);
		}

		bool FileExists(const TCHAR* Filename) override
		{
			std::error_code Error;
			return std::filesystem::is_regular_file(ToPath(Filename), Error);
		}

		bool DirectoryExists(const TCHAR* Path) override
		{
			std::error_code Error;
			return std::filesystem::is_directory(ToPath(Path), Error);
		}

		bool Delete(const TCHAR* Filename, bool RequireExists, bool EvenReadOnly, bool Quiet) override
		{
			(void)EvenReadOnly;
			(void)Quiet;
			std::error_code Error;
			const bool bRemoved = std::filesystem::remove(ToPath(Filename), Error);
			return bRemoved || (!RequireExists && !Error);
		}

		int64 FileSize(const TCHAR* Filename) override
		{
			std::error_code Error;
			const auto Size = std::filesystem::file_size(ToPath(Filename), Error);
			return Error ? -1 : static_cast<int64>(Size);
		}
	};
}

namespace UE::Host
{
bool WriteFileBytes(const TCHAR* Filename, const void* Data, int64 Size, uint32 WriteFlags)
	{
		const std::filesystem::path Path = ToPath(Filename);
		if (Path.empty())
		{
			return false;
		}
		std::error_code Error;
		if ((WriteFlags & FILEWRITE_NoReplaceExisting) && std::filesystem::exists(Path, Error))
		{
			return false;
		}
		if (Path.has_parent_path())
		{
			std::filesystem::create_directories(Path.parent_path(), Error);
		}
		std::FILE* File = std::fopen(Path.c_str(), (WriteFlags & FILEWRITE_Append) ? "ab" : "wb");
		if (!File)
		{
			return false;
		}
		const bool bWritten = Size == 0 || std::fwrite(Data, 1, static_cast<size_t>(Size), File) == static_cast<size_t>(Size);
		const bool bClosed = std::fclose(File) == 0;
		return bWritten && bClosed;
	}

bool ReadFileBytes(const TCHAR* Filename, std::string& OutBytes)
	{
		std::ifstream Stream(ToPath(Filename), std::ios::binary);
		if (!Stream)
		{
			return false;
		}
		OutBytes.assign(std::istreambuf_iterator<char>(Stream), std::istreambuf_iterator<char>());
		return !Stream.bad();
	}
}

IFileManager& IFileManager::Get()
{
	static FFileManagerGeneric* Manager = new FFileManagerGeneric();
	return *Manager;
}

bool FFileHelper::SaveStringToFile(FStringView String, const TCHAR* Filename, EEncodingOptions EncodingOptions, IFileManager* FileManager, uint32 WriteFlags)
{
	if (!FileManager)
	{
		return false;
	}
	bool bUnicode = EncodingOptions == EEncodingOptions::ForceUnicode;
	if (EncodingOptions == EEncodingOptions::AutoDetect)
	{
		for (TCHAR Ch : String)
		{
			if (Ch > 0x7F)
			{
				bUnicode = true;
				break;
			}
		}
	}
	std::string Bytes;
	if (bUnicode)
	{
		Bytes.reserve(2 + String.Len() * 2);
		Bytes += '\xFF';
		Bytes += '\xFE';
		for (TCHAR Ch : String)
		{
			Bytes += static_cast<char>(Ch & 0xFF);
			Bytes += static_cast<char>(Ch >> 8);
		}
	}
	else if (EncodingOptions == EEncodingOptions::ForceUTF8 || EncodingOptions == EEncodingOptions::ForceUTF8WithoutBOM)
	{
		if (EncodingOptions == EEncodingOptions::ForceUTF8)
		{
			Bytes = "\xEF\xBB\xBF";
		}
		Bytes += UE::Host::ToUtf8(String);
	}
	else
	{
		// 8-bit: characters outside one byte become '?', as the engine's ANSI conversion does.
		Bytes.reserve(String.Len());
		for (TCHAR Ch : String)
		{
			Bytes += Ch <= 0xFF ? static_cast<char>(Ch) : '?';
		}
	}
	return UE::Host::WriteFileBytes(Filename, Bytes.data(), static_cast<int64>(Bytes.size()), WriteFlags);
}

bool FFileHelper::LoadFileToString(FString& Result, const TCHAR* Filename)
{
	std::string Bytes;
	if (!UE::Host::ReadFileBytes(Filename, Bytes))
	{
		return false;
	}
	if (Bytes.size() >= 2 && static_cast<unsigned char>(Bytes[0]) == 0xFF && static_cast<unsigned char>(Bytes[1]) == 0xFE)
	{
		std::u16string Text;
		for (size_t Index = 2; Index + 1 < Bytes.size(); Index += 2)
		{
			Text += static_cast<char16_t>(static_cast<unsigned char>(Bytes[Index]) | (static_cast<unsigned char>(Bytes[Index + 1]) << 8));
		}
		Result = FString(std::move(Text));
		return true;
	}
	if (Bytes.size() >= 3 && Bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
	{
		Bytes.erase(0, 3);
	}
	Result = UE::Host::FromUtf8(Bytes);
	return true;
}

FString FPaths::ConvertRelativePathToFull(const FString& InPath)
{
	std::error_code Error;
	const std::filesystem::path Full = std::filesystem::absolute(ToPath(*InPath), Error);
	return Error ? InPath : UE::Host::FromUtf8(Full.lexically_normal().string());
}

FString FPaths::GetPath(const FString& InPath)
{
	int32 Slash = INDEX_NONE;
	return InPath.FindLastChar(u'/', Slash) ? InPath.Left(Slash) : FString();
}

FString FPaths::GetCleanFilename(const FString& InPath)
{
	int32 Slash = INDEX_NONE;
	return InPath.FindLastChar(u'/', Slash) ? InPath.Mid(Slash + 1) : InPath;
}

FString FPaths::GetExtension(const FString& InPath, bool bIncludeDot)
{
	const FString Clean = GetCleanFilename(InPath);
	int32 Dot = INDEX_NONE;
	if (!Clean.FindLastChar(u'.', Dot))
	{
		return FString();
	}
	return Clean.Mid(bIncludeDot ? Dot : Dot + 1);
}

FString FPaths::GetBaseFilename(const FString& InPath, bool bRemovePath)
{
	const FString Name = bRemovePath ? GetCleanFilename(InPath) : InPath;
	int32 Dot = INDEX_NONE;
	int32 Slash = INDEX_NONE;
	Name.FindLastChar(u'/', Slash);
	return Name.FindLastChar(u'.', Dot) && Dot > Slash ? Name.Left(Dot) : Name;
}

bool FPaths::FileExists(const FString& InPath)
{
	return IFileManager::Get().FileExists(*InPath);
}

bool FPaths::DirectoryExists(const FString& InPath)
{
	return IFileManager::Get().DirectoryExists(*InPath);
}
