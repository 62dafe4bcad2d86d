// Copyright Vantle contributors. All Rights Reserved.
#include "ImageUtils.h"

#include "HostCore.h"
#include "HostImage.h"
#include "Misc/Paths.h"

DEFINE_LOG_CATEGORY_STATIC(LogImageUtils, Log, All);

namespace
{
	// Formats the engine's image writers know. Only PNG is encoded here; the others are refused
	// with a message rather than written in a format their extension does not promise.
	const TCHAR* const KnownExtensions[] = {TEXT("png"), TEXT("jpg"), TEXT("jpeg"), TEXT("bmp"), TEXT("exr"), TEXT("tga"),
		TEXT("hdr"), TEXT("tif"), TEXT("tiff"), TEXT("dds")};

	bool IsKnownExtension(const FString& Extension)
	{
		for (const TCHAR* Known : KnownExtensions)
		{
			if (Extension == Known)
			{
				return true;
			}
		}
		return false;
	}

	// BGRA8 (the only pixels written here) defaults to PNG, as in the engine.
	const TCHAR* DefaultExtensionFor(const FImageView& Image)
	{
		return TEXT("png");
	}

	bool WriteImage(const FString& Path, const FString& Extension, const FImageView& Image)
	{
		if (!Extension.Equals(TEXT("png"), ESearchCase::IgnoreCase))
		{
			if (IsKnownExtension(Extension))
			{
				UE_LOG(LogImageUtils, Warning, TEXT("Cannot save %s: the host writes PNG only, not .%s"), *Path, *Extension);
			}
			else
			{
				UE_LOG(LogImageUtils, Warning, TEXT("Cannot save %s: no image format has the extension .%s"), *Path, *Extension);
			}
			return false;
		}

		TArray<uint8> Bytes;
		FString Error;
		if (!UE::Host::EncodePng(Image, Bytes, Error))
		{
			UE_LOG(LogImageUtils, Warning, TEXT("Cannot save %s: %s"), *Path, *Error);
			return false;
		}
		if (!UE::Host::WriteFileBytes(*Path, Bytes.GetData(), Bytes.Num()))
		{
			UE_LOG(LogImageUtils, Warning, TEXT("Cannot write %s"), *Path);
			return false;
		}
		return true;
	}
}

bool FImageUtils::SaveImageByExtension(const TCHAR* Filename, const FImageView& InImage, int32 Quality)
{
	(void)Quality;
	if (!Filename || !*Filename)
	{
		UE_LOG(LogImageUtils, Warning, TEXT("Cannot save an image without a file name"));
		return false;
	}
	FString Path(Filename);
	if (FPaths::GetCleanFilename(Path).IsEmpty())
	{
		UE_LOG(LogImageUtils, Warning, TEXT("Cannot save an image to %s: it names a folder, not a file"), *Path);
		return false;
	}
	FString Extension = FPaths::GetExtension(Path);
	if (Extension.IsEmpty())
	{
		Extension = DefaultExtensionFor(InImage);
		if (!Path.EndsWith(TEXT(".")))
		{
			Path += TEXT(".");
		}
		Path += Extension;
	}
	return WriteImage(Path, Extension, InImage);
}

bool FImageUtils::SaveImageAutoFormat(const TCHAR* Filename, const FImageView& InImage, int32 Quality)
{
	(void)Quality;
	if (!Filename || !*Filename)
	{
		UE_LOG(LogImageUtils, Warning, TEXT("Cannot save an image without a file name"));
		return false;
	}
	const FString Extension = DefaultExtensionFor(InImage);
	FString Path(Filename);
	if (FPaths::GetCleanFilename(Path).IsEmpty())
	{
		UE_LOG(LogImageUtils, Warning, TEXT("Cannot save an image to %s: it names a folder, not a file"), *Path);
		return false;
	}
	if (!FPaths::GetExtension(Path).Equals(Extension, ESearchCase::IgnoreCase))
	{
		Path += TEXT(".");
		Path += Extension;
	}
	return WriteImage(Path, Extension, InImage);
}
