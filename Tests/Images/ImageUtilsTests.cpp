// Copyright Vantle contributors. All Rights Reserved.
#include "HostCore.h"
#include "HostImage.h"
#include "ImageCore.h"
#include "ImageUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
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

	TEST_F(FImageUtilsTest, MissingExtensionGetsTheDefaultOneAndMissingFoldersAreMade)
	{
		const TArray<FColor> Pixels = MakePixels(2, 2);
		EXPECT_TRUE(FImageUtils::SaveImageByExtension(*PathOf("a/b/c/plain"), FImageView(Pixels.GetData(), 2, 2)));
		EXPECT_TRUE(Exists("a/b/c/plain.png"));
		EXPECT_FALSE(Exists("a/b/c/plain"));
	}

	TEST_F(FImageUtilsTest, RefusedSavesFailWithoutCrashingAndWriteNothing)
	{
		const TArray<FColor> Pixels = MakePixels(2, 2);
		const TArray<FColor> NoPixels;
		const FImageView View(Pixels.GetData(), 2, 2);
		FImageView Slices(Pixels.GetData(), 1, 2);
		Slices.NumSlices = 2;
		uint8 Grey[4] = {1, 2, 3, 4};
		// A parent that is a file cannot become a folder; a path may name an existing folder.
		ASSERT_TRUE(UE::Host::WriteFileBytes(*PathOf("blocker"), "x", 1));
		fs::create_directories(Root / "folder.png");
		const std::pair<FString, FImageView> Refused[] = {
			{PathOf("shot.xyz"), View},
			{PathOf("shot.png.txt"), View},
			// A format the engine writes but this host does not encode fails instead of writing PNG bytes.
			{PathOf("shot.jpg"), View},
			{PathOf("blocker/shot.png"), View},
			{PathOf("folder.png"), View},
			{PathOf("sub/"), View},
			{FString(), View},
			// A failed screenshot leaves a size without pixels.
			{PathOf("nodata.png"), FImageView(NoPixels.GetData(), 4, 4)},
			{PathOf("empty.png"), FImageView(Pixels.GetData(), 0, 0)},
			{PathOf("negative.png"), FImageView(Pixels.GetData(), -2, 2)},
			{PathOf("default.png"), FImageView()},
			{PathOf("slices.png"), Slices},
			{PathOf("grey.png"), FImageView(FImageInfo(2, 2, 1, ERawImageFormat::G8, EGammaSpace::sRGB), Grey)},
		};
		for (const auto& [Path, Image] : Refused)
		{
			EXPECT_FALSE(FImageUtils::SaveImageByExtension(*Path, Image)) << UE::Host::ToUtf8(Path);
		}
		EXPECT_FALSE(FImageUtils::SaveImageByExtension(nullptr, View));
		// A read-only folder (skipped when running as root, which ignores permissions).
		if (::geteuid() != 0)
		{
			fs::create_directories(Root / "locked");
			fs::permissions(Root / "locked", fs::perms::owner_read | fs::perms::owner_exec);
			EXPECT_FALSE(FImageUtils::SaveImageByExtension(*PathOf("locked/shot.png"), View));
		}
		const auto IsFile = [](const fs::directory_entry& Entry) { return Entry.is_regular_file(); };
		EXPECT_EQ(std::count_if(fs::recursive_directory_iterator(Root), fs::recursive_directory_iterator(), IsFile), 1) << "only the blocker";
	}
}
