// Copyright Vantle contributors. All Rights Reserved.
#include "ImageCore.h"

namespace ERawImageFormat
{
	int32 GetBytesPerPixel(Type Format)
	{
		switch (Format)
		{
		case G8:
			return 1;
		case G16:
		case R16F:
			return 2;
		case BGRA8:
		case BGRE8:
		case R32F:
			return 4;
		case RGBA16:
		case RGBA16F:
			return 8;
		case RGBA32F:
			return 16;
		default:
			return 0;
		}
	}
}

bool FImageInfo::IsImageInfoValid() const
{
	if (SizeX <= 0 || SizeY <= 0 || NumSlices <= 0 || ERawImageFormat::GetBytesPerPixel(Format) == 0)
	{
		return false;
	}
	if (GammaSpace == EGammaSpace::Invalid)
	{
		return false;
	}
	// Only the 8-bit colour formats carry a gamma curve; everything wider is linear by definition.
	const bool bEightBitColour = Format == ERawImageFormat::G8 || Format == ERawImageFormat::BGRA8;
	return bEightBitColour || GammaSpace == EGammaSpace::Linear;
}
