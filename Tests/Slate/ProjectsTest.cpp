// Copyright Vantle contributors. All Rights Reserved.
#include "HostCore.h"
#include "HostProjects.h"
#include "Interfaces/IPluginManager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace
{
	// Each test mounts from a folder of its own and leaves nothing mounted.
	class FProjectsTest : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			const ::testing::TestInfo* Info = ::testing::UnitTest::GetInstance()->current_test_info();
			Root = std::filesystem::temp_directory_path() / (std::string("VantleProjectsTest.") + Info->name() + "." + std::to_string(::getpid()));
			std::filesystem::remove_all(Root);
			std::filesystem::create_directories(Root);
		}
		void TearDown() override
		{
			UE::Host::UnmountAll();
			EXPECT_TRUE(UE::Host::GetMountedPluginNames().IsEmpty());
			std::filesystem::remove_all(Root);
		}

		FString Write(const std::string& RelativePath, const std::string& Content)
		{
			const std::filesystem::path Path = Root / RelativePath;
			std::filesystem::create_directories(Path.parent_path());
			const FString File = UE::Host::FromUtf8(Path.string());
			EXPECT_TRUE(UE::Host::WriteFileBytes(*File, Content.data(), static_cast<int64>(Content.size())));
			return File;
		}

		std::string Mount(const FString& Path)
		{
			FString Error;
			const bool bMounted = UE::Host::MountPlugin(Path, Error);
			EXPECT_EQ(bMounted, Error.IsEmpty());
			return UE::Host::ToUtf8(Error);
		}

		std::filesystem::path Root;
	};

	const char* const ValidDescriptor = R"({
	"FileVersion": 3,
	"Version": 2,
	"VersionName": "0.2",
	"FriendlyName": "Sample",
	"CanContainContent": false,
	"IsBetaVersion": true,
	"Modules": [
		{ "Name": "Sample", "Type": "Editor", "LoadingPhase": "Default" },
		{ "Name": "SampleRuntime", "Type": "Runtime" }
	],
	"Plugins": [ { "Name": "LevelSequenceEditor", "Enabled": true } ]
})";
}

TEST_F(FProjectsTest, MountedPluginIsFoundWithItsDescriptorAndFolders)
{
	const FString Path = Write("Plugins/Sample/Sample.uplugin", ValidDescriptor);
	ASSERT_EQ(Mount(Path), "");

	const TSharedPtr<IPlugin> Plugin = IPluginManager::Get().FindPlugin(TEXT("sample"));
	ASSERT_TRUE(Plugin.IsValid());
	EXPECT_EQ(IPluginManager::Get().FindPlugin("Sample"), Plugin);
	EXPECT_EQ(IPluginManager::Get().FindEnabledPlugin(TEXT("Sample")), Plugin);
	EXPECT_EQ(UE::Host::ToUtf8(Plugin->GetName()), "Sample");
	EXPECT_EQ(UE::Host::ToUtf8(Plugin->GetBaseDir()), (Root / "Plugins/Sample").string());
	EXPECT_EQ(UE::Host::ToUtf8(Plugin->GetContentDir()), (Root / "Plugins/Sample/Content").string());
	EXPECT_TRUE(Plugin->IsEnabled());
	EXPECT_FALSE(Plugin->CanContainContent());

	const FPluginDescriptor& Descriptor = Plugin->GetDescriptor();
	EXPECT_EQ(Descriptor.FileVersion, 3);
	EXPECT_EQ(Descriptor.Version, 2);
	EXPECT_EQ(UE::Host::ToUtf8(Descriptor.VersionName), "0.2");
	EXPECT_TRUE(Descriptor.bIsBetaVersion);
	ASSERT_EQ(Descriptor.Modules.Num(), 2);
	EXPECT_EQ(Descriptor.Modules[0].Name, FName(TEXT("Sample")));
	EXPECT_EQ(Descriptor.Modules[0].Type, EHostType::Editor);
	EXPECT_EQ(Descriptor.Modules[0].LoadingPhase, ELoadingPhase::Default);
	EXPECT_EQ(Descriptor.Modules[1].Type, EHostType::Runtime);
	ASSERT_EQ(Descriptor.Plugins.Num(), 1);
	EXPECT_TRUE(Descriptor.Plugins[0].bEnabled);
	EXPECT_FALSE(Descriptor.Plugins[0].bOptional);

	EXPECT_EQ(IPluginManager::Get().FindPlugin(TEXT("Other")), nullptr);
	EXPECT_TRUE(UE::Host::SetPluginEnabled(TEXT("Sample"), false));
	EXPECT_EQ(IPluginManager::Get().FindEnabledPlugin(TEXT("Sample")), nullptr);
	EXPECT_TRUE(IPluginManager::Get().GetEnabledPlugins().IsEmpty());
	EXPECT_EQ(IPluginManager::Get().GetDiscoveredPlugins().Num(), 1);
}

TEST_F(FProjectsTest, MalformedJsonIsRefusedWithItsPosition)
{
	const FString Path = Write("Broken/Broken.uplugin", "{\n\t\"FileVersion\": 3,\n\t\"Modules\": [ { \"Name\": \"X\" ]\n}\n");
	const std::string Error = Mount(Path);
	EXPECT_EQ(Error.rfind(UE::Host::ToUtf8(Path) + ":3:", 0), 0u) << Error;
	EXPECT_EQ(IPluginManager::Get().FindPlugin(TEXT("Broken")), nullptr);

	EXPECT_NE(Mount(Write("Empty/Empty.uplugin", "")), "");
	EXPECT_NE(Mount(Write("Binary/Binary.uplugin", std::string("\xff\xfe\x00\x01garbage", 11))), "");
	EXPECT_TRUE(UE::Host::GetMountedPluginNames().IsEmpty());
}

TEST_F(FProjectsTest, InvalidDescriptorsAreRefusedWithAReason)
{
	struct FCase
	{
		const char* Json;
		const char* Reason;
	};
	const FCase Cases[] = {
		{R"([1, 2])", "not a JSON object"},
		{R"({ "Version": 1 })", "'FileVersion' is missing"},
		{R"({ "FileVersion": 4 })", "file version 4 is not supported"},
		{R"({ "FileVersion": "3" })", "'FileVersion' must be an integer"},
		{R"({ "FileVersion": 3, "FriendlyName": 5 })", "'FriendlyName' must be a string"},
		{R"({ "FileVersion": 3, "Modules": {} })", "'Modules' must be an array"},
		{R"({ "FileVersion": 3, "Modules": [ { "Type": "Editor" } ] })", "module 0 has no 'Name'"},
		{R"({ "FileVersion": 3, "Modules": [ { "Name": "M" } ] })", "module 'M' has no 'Type'"},
		{R"({ "FileVersion": 3, "Modules": [ { "Name": "M", "Type": "Editorial" } ] })", "module 'M' has an unknown Type 'Editorial'"},
		{R"({ "FileVersion": 3, "Modules": [ { "Name": "M", "Type": "Editor", "LoadingPhase": "Late" } ] })", "unknown LoadingPhase 'Late'"},
		{R"({ "FileVersion": 3, "Plugins": [ { "Enabled": true } ] })", "plugin reference 0 has no 'Name'"},
	};
	for (const FCase& Case : Cases)
	{
		const FString Path = Write("Invalid/Invalid.uplugin", Case.Json);
		const std::string Error = Mount(Path);
		EXPECT_NE(Error.find(Case.Reason), std::string::npos) << Case.Json << " gave: " << Error;
		EXPECT_EQ(Error.rfind(UE::Host::ToUtf8(Path) + ": ", 0), 0u) << Error;
	}
	EXPECT_TRUE(UE::Host::GetMountedPluginNames().IsEmpty());
}

TEST_F(FProjectsTest, MissingFilesAndNameClashesAreRefused)
{
	const FString Missing = UE::Host::FromUtf8((Root / "Nowhere/Nowhere.uplugin").string());
	EXPECT_EQ(Mount(Missing), UE::Host::ToUtf8(Missing) + ": file not found");
	EXPECT_NE(Mount(Write("Sample/Sample.json", ValidDescriptor)).find("not a .uplugin file"), std::string::npos);

	const FString First = Write("A/Sample/Sample.uplugin", ValidDescriptor);
	const FString Second = Write("B/Sample/Sample.uplugin", ValidDescriptor);
	ASSERT_EQ(Mount(First), "");
	EXPECT_NE(Mount(Second).find("already mounted"), std::string::npos);
	// The same file again is read again, not an error.
	EXPECT_EQ(Mount(First), "");
	EXPECT_EQ(UE::Host::GetMountedPluginNames().Num(), 1);
}

TEST_F(FProjectsTest, DescriptorsInOtherEncodingsAndOversizedFilesAreHandled)
{
	// Saved by a Windows editor: UTF-16 with a byte-order mark.
	std::string Utf16("\xff\xfe", 2);
	for (const char Ch : std::string(ValidDescriptor))
	{
		Utf16 += Ch;
		Utf16 += '\0';
	}
	ASSERT_EQ(Mount(Write("Wide/Wide.uplugin", Utf16)), "");
	EXPECT_EQ(IPluginManager::Get().FindPlugin(TEXT("Wide"))->GetDescriptor().Modules.Num(), 2);

	// Columns count characters, not bytes: the closing brace is the 9th character of line 1 (the 11th byte).
	const std::string Error = Mount(Write("Umlaut/Umlaut.uplugin", "{ \"\xc3\xa4\xc3\xb6\": } "));
	EXPECT_NE(Error.find(":1:9: "), std::string::npos) << Error;

	EXPECT_NE(Mount(Write("Huge/Huge.uplugin", "{\"FileVersion\": 3, \"Description\": \"" + std::string(5 * 1024 * 1024, 'x') + "\"}")).find("too large"),
			  std::string::npos);
}

TEST(FPluginDescriptorTest, ReadReportsLineAndColumnWithoutAFileName)
{
	FPluginDescriptor Descriptor;
	FText Reason;
	EXPECT_FALSE(Descriptor.Read(TEXT("{\n  \"FileVersion\": 3,,\n}"), &Reason));
	EXPECT_EQ(UE::Host::ToUtf8(Reason.ToString()).rfind("2:", 0), 0u) << UE::Host::ToUtf8(Reason.ToString());
	EXPECT_TRUE(Descriptor.Read(TEXT("{ \"FileVersion\": 3, \"EnabledByDefault\": false }"), &Reason));
	EXPECT_EQ(Descriptor.EnabledByDefault, EPluginEnabledByDefault::Disabled);
	EXPECT_EQ(EHostType::FromString(TEXT("editor")), EHostType::Editor);
	EXPECT_EQ(EHostType::FromString(TEXT("Nonsense")), EHostType::Max);
	EXPECT_EQ(FString(ELoadingPhase::ToString(ELoadingPhase::PostEngineInit)), FString(TEXT("PostEngineInit")));
}

TEST(FPluginDescriptorTest, NulAndControlCharactersNeverShortenOrSplitAReason)
{
	FPluginDescriptor Descriptor;
	FText Reason;
	// A NUL must not end the text early: the descriptor before it is not the whole file.
	FString Text = TEXT("{\"FileVersion\":3}");
	Text.AppendChar(TCHAR(0));
	Text += TEXT("{\"evil\":");
	EXPECT_FALSE(Descriptor.Read(Text, &Reason));
	EXPECT_TRUE(Reason.ToString().Contains(TEXT("NUL"))) << UE::Host::ToUtf8(Reason.ToString());

	// Names quoted from the file keep every reason on one line.
	EXPECT_FALSE(Descriptor.Read(TEXT("{\"FileVersion\":3,\"Modules\":[{\"Name\":\"a\\nb\\u0001\",\"Type\":\"X\\r\"}]}"), &Reason));
	EXPECT_EQ(Reason.ToString(), FString(TEXT("module 'a\\nb\\u0001' has an unknown Type 'X\\r'")));
}
