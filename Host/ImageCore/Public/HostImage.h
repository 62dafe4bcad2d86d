// Copyright Vantle contributors. All Rights Reserved.
// Host-only PNG encoding and decoding, for the host's image writer and for tests that compare
// pictures. The plugin never includes this header.
#pragma once

#include "CoreMinimal.h"
#include "ImageCore.h"

namespace UE::Host
{
	// Largest image the host reads or writes, per side and in total, so a hostile header cannot
	// ask for unbounded memory.
	inline constexpr int32 MaxImageSide = 16384;
	inline constexpr int64 MaxImagePixels = int64(8192) * 8192;

	// Why the view cannot be saved as one 8-bit BGRA slice; empty when it can.
	IMAGECORE_API FString DescribeUnsavableImage(const FImageView& Image);

	// Encodes one BGRA8 slice as an 8-bit RGBA PNG, alpha as given. An sRGB view is tagged sRGB.
	// False with a message for anything else.
	IMAGECORE_API bool EncodePng(const FImageView& Image, TArray<uint8>& OutBytes, FString& OutError);

	// Decodes any PNG to 8-bit BGRA pixels, row by row from the top. False with a message for data
	// that is not a PNG, is damaged, or is larger than the limits above.
	IMAGECORE_API bool DecodePng(const uint8* Data, int64 Size, TArray<FColor>& OutPixels, FIntPoint& OutSize, FString& OutError);

	// Reads and decodes a PNG file; false (and empty outputs) when it cannot.
	IMAGECORE_API bool LoadPng(const FString& Path, TArray<FColor>& OutPixels, FIntPoint& OutSize);
	IMAGECORE_API bool LoadPng(const FString& Path, TArray<FColor>& OutPixels, FIntPoint& OutSize, FString& OutError);
}
