// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "ImageCore.h"

// Saving pixels to image files.
class FImageUtils
{
public:
	// Writes the image in the format its file extension names (a missing extension gets the
	// default one for the pixels, ".png" for BGRA8), creating missing folders; false when the
	// extension names no writable format, the image is empty or inconsistent, or the file cannot
	// be written. Nothing is written on failure.
	static ENGINE_API bool SaveImageByExtension(const TCHAR* Filename, const FImageView& InImage, int32 Quality = 0);

	// Writes the image in the default format for its pixels (PNG for BGRA8), adding that
	// format's extension to the file name; false as above.
	static ENGINE_API bool SaveImageAutoFormat(const TCHAR* Filename, const FImageView& InImage, int32 Quality = 0);
};
