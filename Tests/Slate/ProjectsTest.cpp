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

	const FPluginDescriptor& Descriptor = Plugin->GetDescriptor();
	ASSERT_EQ(Descriptor.Modules.Num(), 2);
	EXPECT_EQ(Descriptor.Modules[0].Name, FName(TEXT("Sample")));
	EXPECT_EQ(Descriptor.Modules[0].Type, EHostType::Editor);
	EXPECT_EQ(Descriptor.Modules[0].LoadingPhase, ELoadingPhase::Default);
	EXPECT_EQ(Descriptor.Modules[1].Type, EHostType::Runtime);
	ASSERT_EQ(Descriptor.Plugins.Num(), 1);
	EXPECT_TRUE(Descriptor.Plugins[0].bEnabled);

	EXPECT_EQ(IPluginManager::Get().FindPlugin(TEXT("Other")), nullptr);
	EXPECT_TRUE(UE::Host::SetPluginEnabled(TEXT("Sample"), false));
	EXPECT_EQ(IPluginManager::Get().FindEnabledPlugin(TEXT("Sample")), nullptr);
	EXPECT_TRUE(IPluginManager::Get().GetEnabledPlugins().IsEmpty());
	EXPECT_EQ(IPluginManager::Get().GetDiscoveredPlugins().Num(), 1);
}

TEST_F(FProjectsTest, BadDescriptorsAreRefusedWithTheirFileAndAReasonOnOneLine)
{
	struct FCase
	{
		const char* File;
		std::string Json;
		const char* Reason;
	};
	const FCase Cases[] = {
		{"Broken/Broken.uplugin", "{\n\t\"FileVersion\": 3,\n\t\"Modules\": [ { \"Name\": \"X\" ]\n}\n", ":3:"},
		// Columns count characters, not bytes: the closing brace is the 9th character of line 1 (the 11th byte).
		{"Umlaut/Umlaut.uplugin", "{ \"\xc3\xa4\xc3\xb6\": } ", ":1:9: "},
		{"Empty/Empty.uplugin", "", ": "},
		{"Binary/Binary.uplugin", std::string("\xff\xfe\x00\x01garbage", 11), ": "},
		{"Sample/Sample.json", ValidDescriptor, "not a .uplugin file"},
		{"Huge/Huge.uplugin", "{\"FileVersion\": 3, \"Description\": \"" + std::string(5 * 1024 * 1024, 'x') + "\"}", "too large"},
		{"Invalid/Invalid.uplugin", R"([1, 2])", "not a JSON object"},
		{"Invalid/Invalid.uplugin", R"({ "Version": 1 })", "'FileVersion' is missing"},
		{"Invalid/Invalid.uplugin", R"({ "FileVersion": 4 })", "file version 4 is not supported"},
		{"Invalid/Invalid.uplugin", R"({ "FileVersion": "3" })", "'FileVersion' must be an integer"},
		{"Invalid/Invalid.uplugin", R"({ "FileVersion": 3, "FriendlyName": 5 })", "'FriendlyName' must be a string"},
		{"Invalid/Invalid.uplugin", R"({ "FileVersion": 3, "Modules": {} })", "'Modules' must be an array"},
		{"Invalid/Invalid.uplugin", R"({ "FileVersion": 3, "Modules": [ { "Type": "Editor" } ] })", "module 0 has no 'Name'"},
		{"Invalid/Invalid.uplugin", R"({ "FileVersion": 3, "Modules": [ { "Name": "M" } ] })", "module 'M' has no 'Type'"},
		{"Invalid/Invalid.uplugin", R"({ "FileVersion": 3, "Modules": [ { "Name": "M", "Type": "Editorial" } ] })", "module 'M' has an unknown Type 'Editorial'"},
		{"Invalid/Invalid.uplugin", R"({ "FileVersion": 3, "Modules": [ { "Name": "M", "Type": "Editor", "LoadingPhase": "Late" } ] })", "unknown LoadingPhase 'Late'"},
		{"Invalid/Invalid.uplugin", R"({ "FileVersion": 3, "Plugins": [ { "Enabled": true } ] })", "plugin reference 0 has no 'Name'"},
		// Names quoted from the file keep every reason on one line.
		{"Invalid/Invalid.uplugin", R"({"FileVersion":3,"Modules":[{"Name":"a\nb\u0001","Type":"X\r"}]})", R"(: module 'a\nb\u0001' has an unknown Type 'X\r')"},
	};
	for (const FCase& Case : Cases)
	{
		const FString Path = Write(Case.File, Case.Json);
		const std::string Error = Mount(Path);
		EXPECT_NE(Error.find(Case.Reason), std::string::npos) << Case.Json.substr(0, 200) << " gave: " << Error;
		EXPECT_EQ(Error.rfind(UE::Host::ToUtf8(Path) + ":", 0), 0u) << Error;
	}
	const FString Missing = UE::Host::FromUtf8((Root / "Nowhere/Nowhere.uplugin").string());
	EXPECT_EQ(Mount(Missing), UE::Host::ToUtf8(Missing) + ": file not found");
	EXPECT_TRUE(UE::Host::GetMountedPluginNames().IsEmpty());
}

TEST_F(FProjectsTest, NameClashesAreRefusedAndWideDescriptorsRead)
{
	const FString First = Write("A/Sample/Sample.uplugin", ValidDescriptor);
	const FString Second = Write("B/Sample/Sample.uplugin", ValidDescriptor);
	ASSERT_EQ(Mount(First), "");
	EXPECT_NE(Mount(Second).find("already mounted"), std::string::npos);
	// The same file again is read again, not an error.
	EXPECT_EQ(Mount(First), "");
	EXPECT_EQ(UE::Host::GetMountedPluginNames().Num(), 1);

	// Saved by a Windows editor: UTF-16 with a byte-order mark.
	std::string Utf16("\xff\xfe", 2);
	for (const char Ch : std::string(ValidDescriptor))
	{
		Utf16 += Ch;
		Utf16 += '\0';
	}
	ASSERT_EQ(Mount(Write("Wide/Wide.uplugin", Utf16)), "");
	EXPECT_EQ(IPluginManager::Get().FindPlugin(TEXT("Wide"))->GetDescriptor().Modules.Num(), 2);
}

TEST(FPluginDescriptorTest, ReadReportsPositionsAndANulNeverShortensTheText)
{
	FPluginDescriptor Descriptor;
	FText Reason;
	EXPECT_FALSE(Descriptor.Read(TEXT("{\n  \"FileVersion\": 3,,\n}"), &Reason));
	EXPECT_EQ(UE::Host::ToUtf8(Reason.ToString()).rfind("2:", 0), 0u) << UE::Host::ToUtf8(Reason.ToString());
	EXPECT_TRUE(Descriptor.Read(TEXT("{ \"FileVersion\": 3, \"EnabledByDefault\": false }"), &Reason));
	EXPECT_EQ(Descriptor.EnabledByDefault, EPluginEnabledByDefault::Disabled);

	// A NUL must not end the text early: the descriptor before it is not the whole file.
	FString Text = TEXT("{\"FileVersion\":3}");
	Text.AppendChar(TCHAR(0));
	Text += TEXT("{\"evil\":");
	EXPECT_FALSE(Descriptor.Read(Text, &Reason));
	EXPECT_TRUE(Reason.ToString().Contains(TEXT("NUL"))) << UE::Host::ToUtf8(Reason.ToString());
}
