// Copyright Vantle contributors. All Rights Reserved.
#include "HostImage.h"

#include "HostCore.h"

#include <png.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace UE::Host
{
	namespace
	{
		// libpng's simplified API reports its errors in the image struct instead of jumping out of
		// our frames, which keeps C++ objects safe from longjmp.
		struct FPngImage
		{
			png_image Image;
			FPngImage()
			{
				std::memset(&Image, 0, sizeof(Image));
				Image.version = PNG_IMAGE_VERSION;
			}
			~FPngImage() { png_image_free(&Image); }
			FString Message() const { return FString(Image.message); }
		};
	}

	FString DescribeUnsavableImage(const FImageView& Image)
	{
		if (Image.SizeX <= 0 || Image.SizeY <= 0)
		{
			return FString::Printf(TEXT("the image is empty (%d x %d)"), Image.SizeX, Image.SizeY);
		}
		if (Image.NumSlices != 1)
		{
			return FString::Printf(TEXT("the image has %d slices; only one can be written"), Image.NumSlices);
		}
		if (Image.Format != ERawImageFormat::BGRA8)
		{
			return FString::Printf(TEXT("pixel format %d is not supported; only BGRA8 is"), int32(Image.Format));
		}
		if (Image.GammaSpace == EGammaSpace::Invalid)
		{
			return TEXT("the image has no gamma space");
		}
		if (Image.SizeX > MaxImageSide || Image.SizeY > MaxImageSide || Image.GetNumPixels() > MaxImagePixels)
		{
			return FString::Printf(TEXT("the image is too large (%d x %d)"), Image.SizeX, Image.SizeY);
		}
		if (!Image.RawData)
		{
			return FString::Printf(TEXT("the image has no pixel data for its size %d x %d"), Image.SizeX, Image.SizeY);
		}
		return FString();
	}

	bool EncodePng(const FImageView& Image, TArray<uint8>& OutBytes, FString& OutError)
	{
		OutBytes.Reset();
		OutError = DescribeUnsavableImage(Image);
		if (!OutError.IsEmpty())
		{
			return false;
		}

		FPngImage Png;
		Png.Image.width = static_cast<png_uint_32>(Image.SizeX);
		Png.Image.height = static_cast<png_uint_32>(Image.SizeY);
		// FColor is B, G, R, A in memory; libpng swaps to the file's RGBA order.
		Png.Image.format = PNG_FORMAT_BGRA;
		if (Image.GammaSpace != EGammaSpace::sRGB)
		{
			Png.Image.flags |= PNG_IMAGE_FLAG_COLORSPACE_NOT_sRGB;
		}
		const png_int_32 RowStride = Image.SizeX * 4;

		png_alloc_size_t Size = 0;
		if (!png_image_write_to_memory(&Png.Image, nullptr, &Size, 0, Image.RawData, RowStride, nullptr) || Size == 0)
		{
			OutError = FString::Printf(TEXT("PNG encoding failed: %s"), *Png.Message());
			return false;
		}
		OutBytes.SetNum(static_cast<int32>(Size));
		if (!png_image_write_to_memory(&Png.Image, OutBytes.GetData(), &Size, 0, Image.RawData, RowStride, nullptr))
		{
			OutBytes.Reset();
			OutError = FString::Printf(TEXT("PNG encoding failed: %s"), *Png.Message());
			return false;
		}
		OutBytes.SetNum(static_cast<int32>(Size));
		return true;
	}

	bool DecodePng(const uint8* Data, int64 Size, TArray<FColor>& OutPixels, FIntPoint& OutSize, FString& OutError)
	{
		OutPixels.Reset();
		OutSize = FIntPoint(0, 0);
		OutError.Reset();
		if (!Data || Size <= 0)
		{
			OutError = TEXT("no PNG data");
			return false;
		}

		FPngImage Png;
		if (!png_image_begin_read_from_memory(&Png.Image, Data, static_cast<size_t>(Size)))
		{
			OutError = FString::Printf(TEXT("not a readable PNG: %s"), *Png.Message());
			return false;
		}
		const int64 Width = Png.Image.width;
		const int64 Height = Png.Image.height;
		if (Width <= 0 || Height <= 0 || Width > MaxImageSide || Height > MaxImageSide || Width * Height > MaxImagePixels)
		{
			OutError = FString::Printf(TEXT("PNG size %lld x %lld is outside the supported range"), Width, Height);
			return false;
		}

		Png.Image.format = PNG_FORMAT_BGRA;
		TArray<FColor> Pixels;
		Pixels.SetNum(static_cast<int32>(Width * Height));
		if (!png_image_finish_read(&Png.Image, nullptr, Pixels.GetData(), static_cast<png_int_32>(Width * 4), nullptr))
		{
			OutError = FString::Printf(TEXT("damaged PNG: %s"), *Png.Message());
			return false;
		}
		OutPixels = std::move(Pixels);
		OutSize = FIntPoint(static_cast<int32>(Width), static_cast<int32>(Height));
		return true;
	}

	bool LoadPng(const FString& Path, TArray<FColor>& OutPixels, FIntPoint& OutSize, FString& OutError)
	{
		std::string Bytes;
		if (!ReadFileBytes(*Path, Bytes))
		{
			OutPixels.Reset();
			OutSize = FIntPoint(0, 0);
			OutError = FString::Printf(TEXT("cannot read %s"), *Path);
			return false;
		}
		return DecodePng(reinterpret_cast<const uint8*>(Bytes.data()), static_cast<int64>(Bytes.size()), OutPixels, OutSize, OutError);
	}

	bool LoadPng(const FString& Path, TArray<FColor>& OutPixels, FIntPoint& OutSize)
	{
		FString Ignored;
		return LoadPng(Path, OutPixels, OutSize, Ignored);
	}
}
