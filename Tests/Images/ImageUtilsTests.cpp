// Copyright Vantle contributors. All Rights Reserved.
#include "HostCore.h"
#include "HostImage.h"
#include "ImageCore.h"
#include "ImageUtils.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace
{
	namespace fs = std::filesystem;

	class FImageUtilsTest : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			Root = fs::temp_directory_path() / ("vantle-images-" + std::to_string(::getpid()) + "-" +
				::testing::UnitTest::GetInstance()->current_test_info()->name());
			fs::remove_all(Root);
			fs::create_directories(Root);
		}
		void TearDown() override
		{
			std::error_code Ignored;
			fs::permissions(Root, fs::perms::owner_all, fs::perm_options::add, Ignored);
			fs::remove_all(Root, Ignored);
		}

		FString PathOf(const std::string& Relative) const { return UE::Host::FromUtf8((Root / Relative).string()); }
		bool Exists(const std::string& Relative) const { return fs::exists(Root / Relative); }
		size_t FileCount() const
		{
			size_t Count = 0;
			for (const fs::directory_entry& Entry : fs::recursive_directory_iterator(Root))
			{
				Count += Entry.is_regular_file() ? 1 : 0;
			}
			return Count;
		}

		// Distinct values in every channel, including partial and zero alpha, so a swapped channel,
		// a premultiplication or a dropped alpha shows up.
		static TArray<FColor> MakePixels(int32 Width, int32 Height)
		{
			TArray<FColor> Pixels;
			for (int32 Y = 0; Y < Height; ++Y)
			{
				for (int32 X = 0; X < Width; ++X)
				{
					const int32 I = Y * Width + X;
					Pixels.Add(FColor(uint8(10 + I * 7), uint8(200 - I * 3), uint8(I * 13), uint8(I % 3 == 0 ? 255 : I % 3 == 1 ? 128 : 0)));
				}
			}
			return Pixels;
		}

		fs::path Root;
	};

	TEST_F(FImageUtilsTest, PngRoundTripKeepsEveryChannelAndAlpha)
	{
		const TArray<FColor> Pixels = MakePixels(5, 3);
		// The extension matches in any case; the file is 8-bit RGBA (colour type 6), not BGRA.
		const FString Path = PathOf("shot.PNG");
		ASSERT_TRUE(FImageUtils::SaveImageByExtension(*Path, FImageView(Pixels.GetData(), 5, 3), 0));
		std::string Bytes;
		ASSERT_TRUE(UE::Host::ReadFileBytes(*Path, Bytes));
		ASSERT_GT(Bytes.size(), 26u);
		EXPECT_EQ(Bytes.substr(1, 3), "PNG");
		EXPECT_EQ(static_cast<unsigned char>(Bytes[24]), 8) << "bit depth";
		EXPECT_EQ(static_cast<unsigned char>(Bytes[25]), 6) << "colour type RGBA";

		TArray<FColor> Loaded;
		FIntPoint Size;
		ASSERT_TRUE(UE::Host::LoadPng(Path, Loaded, Size));
		EXPECT_EQ(Size, FIntPoint(5, 3));
		ASSERT_EQ(Loaded.Num(), Pixels.Num());
		for (int32 Index = 0; Index < Pixels.Num(); ++Index)
		{
			EXPECT_EQ(Loaded[Index], Pixels[Index]) << "pixel " << Index;
		}
	}

	TEST_F(FImageUtilsTest, UnknownOrUnsupportedExtensionWritesNothing)
	{
		const TArray<FColor> Pixels = MakePixels(2, 2);
		const FImageView View(Pixels.GetData(), 2, 2);
		EXPECT_FALSE(FImageUtils::SaveImageByExtension(*PathOf("shot.xyz"), View));
		EXPECT_FALSE(FImageUtils::SaveImageByExtension(*PathOf("shot.png.txt"), View));
		// A format the engine writes but this host does not encode fails instead of writing PNG bytes.
		EXPECT_FALSE(FImageUtils::SaveImageByExtension(*PathOf("shot.jpg"), View));
		EXPECT_EQ(FileCount(), 0u);
	}

	TEST_F(FImageUtilsTest, MissingExtensionGetsTheDefaultOne)
	{
		const TArray<FColor> Pixels = MakePixels(2, 2);
		const FImageView View(Pixels.GetData(), 2, 2);
		// Missing folders are created on the way.
		EXPECT_TRUE(FImageUtils::SaveImageByExtension(*PathOf("a/b/c/plain"), View));
		EXPECT_TRUE(Exists("a/b/c/plain.png"));
		EXPECT_FALSE(Exists("a/b/c/plain"));

		EXPECT_TRUE(FImageUtils::SaveImageAutoFormat(*PathOf("auto"), View));
		EXPECT_TRUE(Exists("auto.png"));
		EXPECT_TRUE(FImageUtils::SaveImageAutoFormat(*PathOf("already.png"), View));
		EXPECT_TRUE(Exists("already.png"));
		EXPECT_FALSE(Exists("already.png.png"));
	}

	TEST_F(FImageUtilsTest, UnwritablePathsFailWithoutCrashing)
	{
		const TArray<FColor> Pixels = MakePixels(2, 2);
		const FImageView View(Pixels.GetData(), 2, 2);

		// A parent that is a file cannot become a folder.
		ASSERT_TRUE(UE::Host::WriteFileBytes(*PathOf("blocker"), "x", 1));
		EXPECT_FALSE(FImageUtils::SaveImageByExtension(*PathOf("blocker/shot.png"), View));

		// The path names an existing folder.
		fs::create_directories(Root / "folder.png");
		EXPECT_FALSE(FImageUtils::SaveImageByExtension(*PathOf("folder.png"), View));

		// A read-only folder (skipped when running as root, which ignores permissions).
		if (::geteuid() != 0)
		{
			fs::create_directories(Root / "locked");
			fs::permissions(Root / "locked", fs::perms::owner_read | fs::perms::owner_exec);
			EXPECT_FALSE(FImageUtils::SaveImageByExtension(*PathOf("locked/shot.png"), View));
			EXPECT_FALSE(Exists("locked/shot.png"));
		}

		EXPECT_FALSE(FImageUtils::SaveImageByExtension(*PathOf("sub/"), View));
		EXPECT_FALSE(Exists("sub/.png"));
		EXPECT_FALSE(FImageUtils::SaveImageByExtension(TEXT(""), View));
		EXPECT_FALSE(FImageUtils::SaveImageByExtension(nullptr, View));
	}

	TEST_F(FImageUtilsTest, InconsistentOrEmptyViewsFail)
	{
		const TArray<FColor> Pixels = MakePixels(2, 2);
		const TArray<FColor> NoPixels;

		// A failed screenshot leaves a size without pixels.
		EXPECT_FALSE(FImageUtils::SaveImageByExtension(*PathOf("nodata.png"), FImageView(NoPixels.GetData(), 4, 4)));
		EXPECT_FALSE(FImageUtils::SaveImageByExtension(*PathOf("empty.png"), FImageView(Pixels.GetData(), 0, 0)));
		EXPECT_FALSE(FImageUtils::SaveImageByExtension(*PathOf("negative.png"), FImageView(Pixels.GetData(), -2, 2)));
		EXPECT_FALSE(FImageUtils::SaveImageByExtension(*PathOf("default.png"), FImageView()));

		FImageView Slices(Pixels.GetData(), 1, 2);
		Slices.NumSlices = 2;
		EXPECT_FALSE(FImageUtils::SaveImageByExtension(*PathOf("slices.png"), Slices));

		uint8 Grey[4] = {1, 2, 3, 4};
		const FImageView GreyView(FImageInfo(2, 2, 1, ERawImageFormat::G8, EGammaSpace::sRGB), Grey);
		EXPECT_FALSE(FImageUtils::SaveImageByExtension(*PathOf("grey.png"), GreyView));

		EXPECT_EQ(FileCount(), 0u);
	}

	// The PNG chunk checksum, so a test can forge a header libpng accepts.
	uint32 Crc32(const uint8* Data, int32 Size)
	{
		uint32 Crc = 0xFFFFFFFFu;
		for (int32 Index = 0; Index < Size; ++Index)
		{
			Crc ^= Data[Index];
			for (int32 Bit = 0; Bit < 8; ++Bit)
			{
				Crc = (Crc >> 1) ^ (0xEDB88320u & (0u - (Crc & 1u)));
			}
		}
		return ~Crc;
	}

	TEST(HostPngTest, DamagedOrForeignDataIsRefusedWithAMessage)
	{
		TArray<FColor> Pixels;
		FIntPoint Size;
		FString Error;
		const std::string NotPng = "GIF89a this is not a png";
		EXPECT_FALSE(UE::Host::DecodePng(reinterpret_cast<const uint8*>(NotPng.data()), NotPng.size(), Pixels, Size, Error));
		EXPECT_FALSE(Error.IsEmpty());
		EXPECT_TRUE(Pixels.IsEmpty());

		// A valid PNG cut in half: header readable, pixel data missing.
		const TArray<FColor> Source = {FColor(1, 2, 3), FColor(4, 5, 6), FColor(7, 8, 9), FColor(10, 11, 12)};
		TArray<uint8> Bytes;
		ASSERT_TRUE(UE::Host::EncodePng(FImageView(Source.GetData(), 2, 2), Bytes, Error));
		EXPECT_FALSE(UE::Host::DecodePng(Bytes.GetData(), Bytes.Num() / 2, Pixels, Size, Error));
		EXPECT_FALSE(Error.IsEmpty());

		// A well-formed header that claims a 20000-pixel-wide image is refused before any allocation.
		TArray<uint8> Huge = Bytes;
		const uint32 Width = 20000;
		for (int32 Index = 0; Index < 4; ++Index)
		{
			Huge[16 + Index] = uint8(Width >> (24 - 8 * Index));
		}
		const uint32 Crc = Crc32(Huge.GetData() + 12, 17);
		for (int32 Index = 0; Index < 4; ++Index)
		{
			Huge[29 + Index] = uint8(Crc >> (24 - 8 * Index));
		}
		EXPECT_FALSE(UE::Host::DecodePng(Huge.GetData(), Huge.Num(), Pixels, Size, Error));
		EXPECT_TRUE(Error.Contains(TEXT("20000"))) << UE::Host::ToUtf8(Error);

		EXPECT_FALSE(UE::Host::LoadPng(TEXT("/nonexistent/vantle/none.png"), Pixels, Size));
		EXPECT_EQ(Size, FIntPoint(0, 0));
	}
}
