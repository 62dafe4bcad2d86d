// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"

namespace ERawImageFormat
{
	enum Type : uint8
	{
		G8,
		BGRA8,
		BGRE8,
		RGBA16,
		RGBA16F,
		RGBA32F,
		G16,
		R16F,
		R32F,
		MAX,
		Invalid = 0xFF,
	};

	// Bytes of one pixel of the format; 0 for MAX and Invalid.
	IMAGECORE_API int32 GetBytesPerPixel(Type Format);
}

// Size, slice count, pixel format and gamma of an image, without its pixels.
struct FImageInfo
{
	int32 SizeX = 0;
	int32 SizeY = 0;
	int32 NumSlices = 0;
	ERawImageFormat::Type Format = ERawImageFormat::Invalid;
	EGammaSpace GammaSpace = EGammaSpace::Invalid;

	// An empty description: no size, invalid format and gamma.
	FImageInfo() = default;
	// Describes NumSlices slices of InSizeX by InSizeY pixels of the format and gamma.
	FImageInfo(int32 InSizeX, int32 InSizeY, int32 InNumSlices, ERawImageFormat::Type InFormat, EGammaSpace InGammaSpace)
		: SizeX(InSizeX), SizeY(InSizeY), NumSlices(InNumSlices), Format(InFormat), GammaSpace(InGammaSpace)
	{
	}

	// Pixels over all slices.
	int64 GetNumPixels() const { return int64(SizeX) * int64(SizeY) * int64(NumSlices); }
	// Bytes of one pixel of Format.
	int64 GetBytesPerPixel() const { return ERawImageFormat::GetBytesPerPixel(Format); }
	// Bytes of all slices: pixels times bytes per pixel.
	int64 GetImageSizeBytes() const { return GetNumPixels() * GetBytesPerPixel(); }
	// Positive sizes and slice count, a known format and gamma; float formats must be linear.
	IMAGECORE_API bool IsImageInfoValid() const;
};

// A description plus a pointer to pixels owned by someone else: the memory must outlive the view.
struct FImageView : public FImageInfo
{
	void* RawData = nullptr;

	// No pixels and an empty description.
	FImageView() = default;
	// Views InRawData as the image InInfo describes.
	FImageView(const FImageInfo& InInfo, void* InRawData) : FImageInfo(InInfo), RawData(InRawData) {}
	// Views FColor pixels as one BGRA8 slice, sRGB unless told otherwise; nothing is copied.
	FImageView(const FColor* InColors, int32 InSizeX, int32 InSizeY, EGammaSpace InGammaSpace = EGammaSpace::sRGB)
		: FImageInfo(InSizeX, InSizeY, 1, ERawImageFormat::BGRA8, InGammaSpace), RawData(const_cast<FColor*>(InColors))
	{
	}
};
