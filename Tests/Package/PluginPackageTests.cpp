// Copyright Vantle contributors. All Rights Reserved.
// Scripts/package-plugin.sh on a scratch copy of the plugin salted with what must never ship; the
// archive is opened and compared, file by file, with the plugin folder it came from.
#include "PluginDescriptor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{
	namespace fs = std::filesystem;

	const fs::path SourceDir = VANTLE_SOURCE_DIR;
	const fs::path PluginDir = SourceDir / "Plugins" / "Vantle";

	struct FRun
	{
		int ExitCode = -1;
		std::string Output;
	};

	std::string Quoted(const fs::path& Path)
	{
		std::string Text = "'";
		for (const char Ch : Path.string())
		{
			Text += Ch == '\'' ? std::string("'\\''") : std::string(1, Ch);
		}
		return Text + "'";
	}

	// Runs a shell command; its exit code and everything it printed.
	FRun RunShell(const std::string& Command)
	{
		FRun Result;
		FILE* Pipe = ::popen((Command + " 2>&1").c_str(), "r");
		if (!Pipe)
		{
			return Result;
		}
		char Buffer[4096];
		std::size_t Read = 0;
		while ((Read = std::fread(Buffer, 1, sizeof(Buffer), Pipe)) > 0)
		{
			Result.Output.append(Buffer, Read);
		}
		const int Status = ::pclose(Pipe);
		Result.ExitCode = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
		return Result;
	}

	std::string ReadText(const fs::path& Path)
	{
		std::ifstream Stream(Path, std::ios::binary);
		std::ostringstream Text;
		Text << Stream.rdbuf();
		return Text.str();
	}

	void WriteText(const fs::path& Path, const std::string& Text)
	{
		fs::create_directories(Path.parent_path());
		std::ofstream(Path, std::ios::binary) << Text;
	}

	// What a plugin folder ships: every file except build products, hidden files and editor
	// swap or backup files, relative to the folder.
	std::set<std::string> ShippableFiles(const fs::path& Folder)
	{
		std::set<std::string> Files;
		for (auto It = fs::recursive_directory_iterator(Folder); It != fs::recursive_directory_iterator(); ++It)
		{
			const std::string Name = It->path().filename().string();
			const bool bHidden = !Name.empty() && Name.front() == '.';
			if (It->is_directory())
			{
				if (bHidden || Name == "Binaries" || Name == "Intermediate")
				{
					It.disable_recursion_pending();
				}
				continue;
			}
			const bool bEditorLeftover = Name.back() == '~' || Name.ends_with(".swp") || Name.ends_with(".swo") || (Name.front() == '#' && Name.back() == '#');
			if (!bHidden && !bEditorLeftover)
			{
				Files.insert(fs::relative(It->path(), Folder).generic_string());
			}
		}
		return Files;
	}

	class FPluginPackageTest : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			const ::testing::TestInfo* Info = ::testing::UnitTest::GetInstance()->current_test_info();
			Root = fs::temp_directory_path() / (std::string("VantlePackageTest.") + Info->name() + "." + std::to_string(::getpid()));
			fs::remove_all(Root);
			fs::create_directories(Root);
			Scratch = Root / "Plugins" / "Vantle";
			fs::create_directories(Scratch.parent_path());
			fs::copy(PluginDir, Scratch, fs::copy_options::recursive);
			Output = Root / "Package";
		}
		void TearDown() override { fs::remove_all(Root); }

		FRun Package(const fs::path& Plugin, const fs::path& OutputDir)
		{
			return RunShell(Quoted(SourceDir / "Scripts" / "package-plugin.sh") + " --plugin " + Quoted(Plugin) + " --output " + Quoted(OutputDir));
		}

		std::vector<std::string> ArchivesIn(const fs::path& Folder)
		{
			std::vector<std::string> Names;
			if (fs::is_directory(Folder))
			{
				for (const fs::directory_entry& Entry : fs::directory_iterator(Folder))
				{
					Names.push_back(Entry.path().filename().string());
				}
			}
			return Names;
		}

		fs::path Root;
		fs::path Scratch;
		fs::path Output;
	};
}

TEST_F(FPluginPackageTest, ArchiveHoldsExactlyTheShippablePlugin)
{
	const std::set<std::string> Expected = ShippableFiles(PluginDir);
	ASSERT_TRUE(Expected.contains("Vantle.uplugin"));
	ASSERT_TRUE(Expected.contains("Source/Vantle/Vantle.Build.cs"));
	ASSERT_TRUE(Expected.contains("Resources/Icon128.png"));
	for (const std::string& File : Expected)
	{
		// Anything else would need Config/FilterPlugin.ini to reach a marketplace build.
		const bool bShipsWithoutFilter = File == "Vantle.uplugin" || File.starts_with("Source/") || File.starts_with("Resources/") || File.starts_with("Config/");
		EXPECT_TRUE(bShipsWithoutFilter) << File << " lies outside Source/, Resources/ and Config/";
	}

	// What a working copy collects: build products, the repository's own folders, editor leftovers.
	const std::vector<std::string> Decoys = {
		"Binaries/Linux/libUnrealEditor-Vantle.so",
		"Binaries/Win64/UnrealEditor-Vantle.dll",
		"Intermediate/Build/Linux/Vantle.o",
		"Host/Core/Public/CoreMinimal.h",
		"Tests/Plugin/PanelTests.cpp",
		"Saved/Logs/Vantle.log",
		"Source/Vantle/Intermediate/Stale.h",
		"Source/Vantle/Binaries/Stale.dll",
		"Source/Vantle/Private/.VantleModule.cpp.swp",
		"Source/Vantle/Private/VantlePanel.cpp.swo",
		"Source/Vantle/Private/VantleModule.cpp~",
		"Source/Vantle/Private/#VantlePanel.cpp#",
		"Source/.git/HEAD",
		"Resources/.DS_Store",
	};
	for (const std::string& Decoy : Decoys)
	{
		WriteText(Scratch / Decoy, "must not ship\n");
	}

	const FRun Result = Package(Scratch, Output);
	ASSERT_EQ(Result.ExitCode, 0) << Result.Output;

	FPluginDescriptor Source;
	FText Reason;
	ASSERT_TRUE(Source.Load(UE::Host::FromUtf8((PluginDir / "Vantle.uplugin").string()), &Reason)) << UE::Host::ToUtf8(Reason.ToString());
	EXPECT_FALSE(Source.VersionName.IsEmpty());
	const std::string Archive = "Vantle-" + UE::Host::ToUtf8(Source.VersionName) + "-UE5.8.zip";
	ASSERT_EQ(ArchivesIn(Output), std::vector<std::string>{Archive}) << Result.Output;

	const FRun Listing = RunShell("cmake -E tar tf " + Quoted(Output / Archive));
	ASSERT_EQ(Listing.ExitCode, 0) << Listing.Output;
	std::set<std::string> Entries;
	std::istringstream Lines(Listing.Output);
	for (std::string Line; std::getline(Lines, Line);)
	{
		if (!Line.empty() && Line.back() != '/')
		{
			EXPECT_TRUE(Entries.insert(Line).second) << Line << " is in the archive twice";
		}
	}
	std::set<std::string> ExpectedEntries;
	for (const std::string& File : Expected)
	{
		ExpectedEntries.insert("Vantle/" + File);
	}
	EXPECT_EQ(Entries, ExpectedEntries);

	// The files arrive whole.
	const fs::path Unpacked = Root / "Unpacked";
	fs::create_directories(Unpacked);
	const FRun Extract = RunShell("cd " + Quoted(Unpacked) + " && cmake -E tar xf " + Quoted(Output / Archive));
	ASSERT_EQ(Extract.ExitCode, 0) << Extract.Output;
	for (const std::string& File : Expected)
	{
		EXPECT_EQ(ReadText(Unpacked / "Vantle" / File), ReadText(PluginDir / File)) << File;
	}

	// The packaged descriptor loads.
	const FString DescriptorPath = UE::Host::FromUtf8((Unpacked / "Vantle" / "Vantle.uplugin").string());
	FPluginDescriptor Descriptor;
	ASSERT_TRUE(Descriptor.Load(DescriptorPath, &Reason)) << UE::Host::ToUtf8(Reason.ToString());
	EXPECT_EQ(UE::Host::ToUtf8(Descriptor.EngineVersion).substr(0, 4), "5.8.");
	ASSERT_EQ(Descriptor.Modules.Num(), 1);
	EXPECT_EQ(Descriptor.Modules[0].Name, FName(TEXT("Vantle")));
	EXPECT_EQ(Descriptor.Modules[0].Type, EHostType::Editor);

	// Every source file opens with the copyright line and its year.
	const std::regex Copyright(R"(^// Copyright (\d{4}) Vantle contributors\. All Rights Reserved\.\r?\n)");
	std::set<std::string> Years;
	int32 SourceFiles = 0;
	for (const fs::directory_entry& Entry : fs::recursive_directory_iterator(Unpacked / "Vantle" / "Source"))
	{
		if (!Entry.is_regular_file())
		{
			continue;
		}
		++SourceFiles;
		std::smatch Match;
		const std::string Content = ReadText(Entry.path());
		const bool bFound = std::regex_search(Content, Match, Copyright);
		EXPECT_TRUE(bFound) << Entry.path().filename() << " lacks the copyright line with a year";
		if (bFound)
		{
			Years.insert(Match[1].str());
		}
	}
	EXPECT_GT(SourceFiles, 2);
	EXPECT_LE(Years.size(), 1u) << "the copyright year differs between files";
}

TEST_F(FPluginPackageTest, RefusesWhatItCannotPackFaithfully)
{
	const fs::path Descriptor = Scratch / "Vantle.uplugin";
	const std::string Original = ReadText(Descriptor);
	const auto WithVersionName = [&Original](const std::string& Replacement)
	{
		const std::string Key = "\"VersionName\": \"";
		const std::size_t Start = Original.find(Key);
		const std::size_t End = Original.find('"', Start + Key.size());
		return Original.substr(0, Start) + Replacement + Original.substr(End + 1);
	};

	struct FCase
	{
		const char* Name;
		std::function<void()> Break;
		const char* Message;
	};
	const std::vector<FCase> Cases = {
		{"version that climbs out of the folder", [&] { WriteText(Descriptor, WithVersionName("\"VersionName\": \"../../Escaped\"")); }, "not usable in a file name"},
		{"no version name", [&] { WriteText(Descriptor, WithVersionName("\"Unversioned\": \"\"")); }, "cannot read VersionName"},
		{"descriptor that is not JSON", [&] { WriteText(Descriptor, "{ \"FileVersion\": 3, "); }, "cannot read VersionName"},
		{"no descriptor", [&] { fs::remove(Descriptor); }, "exactly one .uplugin"},
		{"two descriptors", [&] { WriteText(Scratch / "Other.uplugin", Original); }, "exactly one .uplugin"},
		{"symbolic link among the sources", [&] { fs::create_symlink("/etc/hostname", Scratch / "Source" / "Vantle" / "Private" / "Linked.h"); }, "symbolic link"},
		{"no Source folder", [&] { fs::remove_all(Scratch / "Source"); }, "no Source/ folder"},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Name);
		fs::remove_all(Scratch);
		fs::copy(PluginDir, Scratch, fs::copy_options::recursive);
		Case.Break();
		const FRun Result = Package(Scratch, Output);
		EXPECT_NE(Result.ExitCode, 0) << Result.Output;
		EXPECT_NE(Result.Output.find("package-plugin: "), std::string::npos) << Result.Output;
		EXPECT_NE(Result.Output.find(Case.Message), std::string::npos) << Result.Output;
		EXPECT_TRUE(ArchivesIn(Output).empty()) << Result.Output;
		EXPECT_FALSE(fs::exists(Root / "Escaped-UE5.8.zip"));
	}

	// An output folder that cannot be created: its parent is a file.
	fs::remove_all(Scratch);
	fs::copy(PluginDir, Scratch, fs::copy_options::recursive);
	WriteText(Root / "NotAFolder", "file\n");
	const FRun Blocked = Package(Scratch, Root / "NotAFolder" / "Package");
	EXPECT_NE(Blocked.ExitCode, 0);
	EXPECT_NE(Blocked.Output.find("cannot create the output folder"), std::string::npos) << Blocked.Output;
}
