// Copyright Vantle contributors. All Rights Reserved.
// End-to-end runs of the vantle-editor program on scene files, as a user or a script runs it.
#include "McpTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace
{
	struct FRun
	{
		int ExitCode = -1;
		std::string Out;
		std::string Err;
		bool bTimedOut = false;
	};

	// What the editor reads on standard input: nothing (/dev/null), a pipe or a file with this text.
	struct FInput
	{
		enum EKind
		{
			None,
			Pipe,
			File,
		} Kind = None;
		std::string Text;
	};

	std::string WriteTemp(const std::string& Name, const std::string& Content);

	std::string Quoted(const std::string& Text)
	{
		std::string Result = "'";
		for (const char Ch : Text)
		{
			Result += Ch == '\'' ? std::string("'\\''") : std::string(1, Ch);
		}
		return Result + "'";
	}

	std::string ReadAll(const std::string& Path)
	{
		std::ifstream Stream(Path, std::ios::binary);
		return std::string(std::istreambuf_iterator<char>(Stream), std::istreambuf_iterator<char>());
	}

	// Runs the editor through the shell with a hard deadline (in WorkingDir when given).
	FRun RunEditor(const std::vector<std::string>& Args, double TimeoutSeconds = 30.0, const FInput& Input = FInput(), const std::string& WorkingDir = std::string())
	{
		static int32 Runs = 0;
		const std::string Tag = std::to_string(++Runs);
		const std::string InputFile = Input.Kind == FInput::None ? std::string("/dev/null") : WriteTemp("stdin-" + Tag + ".txt", Input.Text);
		const std::string ErrFile = WriteTemp("stderr-" + Tag + ".txt", "");
		std::string Command = (WorkingDir.empty() ? std::string() : "cd " + Quoted(WorkingDir) + " && ") + (Input.Kind == FInput::Pipe ? "cat " + Quoted(InputFile) + " | " : std::string())
			+ "timeout -s KILL " + std::to_string(TimeoutSeconds) + " " + Quoted(VANTLE_EDITOR_BINARY);
		for (const std::string& Arg : Args)
		{
			Command += " " + Quoted(Arg);
		}
		Command += (Input.Kind == FInput::Pipe ? std::string() : " < " + Quoted(InputFile)) + " 2> " + Quoted(ErrFile);
		FRun Result;
		FILE* Pipe = popen(Command.c_str(), "r");
		if (!Pipe)
		{
			return Result;
		}
		char Buffer[4096];
		for (size_t Read = 0; (Read = fread(Buffer, 1, sizeof(Buffer), Pipe)) > 0;)
		{
			Result.Out.append(Buffer, Read);
		}
		const int Status = pclose(Pipe);
		Result.ExitCode = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
		Result.bTimedOut = Result.ExitCode == 128 + SIGKILL;
		Result.Err = ReadAll(ErrFile);
		std::filesystem::remove(ErrFile);
		if (Input.Kind != FInput::None)
		{
			std::filesystem::remove(InputFile);
		}
		return Result;
	}

	std::string Sample(const char* Name)
	{
		return std::string(VANTLE_SOURCE_DIR) + "/Samples/Scenes/" + Name;
	}

	std::string WriteTemp(const std::string& Name, const std::string& Content)
	{
		const std::filesystem::path Path = std::filesystem::temp_directory_path() / ("vantle-editor-test-" + std::to_string(getpid()) + "-" + Name);
		std::ofstream(Path) << Content;
		return Path.string();
	}

	bool Contains(const std::string& Haystack, const std::string& Needle)
	{
		return Haystack.find(Needle) != std::string::npos;
	}
}

TEST(EditorProgram, BadScenesAndCommandLinesExitWithStatusTwoAndSayWhy)
{
	const std::string Syntax = WriteTemp("syntax.json", "{\n  \"project\": \"X\",\n  \"world\": { \"map\": \n}\n");
	const std::string Missing = WriteTemp("missing-dir/none.json", "");
	const std::string Usage = "usage: vantle-editor";
	const std::pair<std::vector<std::string>, std::string> Cases[] = {{{Syntax, "-ExecCmds=Quit"}, Syntax + ":"}, {{Missing, "-ExecCmds=Quit"}, Missing + ":"},
		{{"-FPS=0"}, Usage}, {{"-FPS=abc"}, Usage}, {{"-NoSuchOption"}, Usage}, {{"-DisablePlugins=Sequencer"}, Usage},
		{{Sample("Showcase.json"), Sample("Empty.json")}, Usage}, {{"--helpme"}, "unknown option '--helpme'"}, {{"-PluginDir="}, "-PluginDir= needs"}};
	for (const auto& [Args, Message] : Cases)
	{
		const FRun Run = RunEditor(Args);
		EXPECT_EQ(Run.ExitCode, 2) << Args[0];
		EXPECT_TRUE(Contains(Run.Err, Message)) << Args[0] << ": " << Run.Err;
		EXPECT_FALSE(Contains(Run.Out, "Vantle repair")) << Args[0];
	}
}

TEST(EditorProgram, RefusedScenesGiveOneLineAndLeaveTheOpenSceneWorking)
{
	const std::string SameName = WriteTemp("same-name.json", R"({"sequences":[{"path":"/a\u0000x"},{"path":"/a\u0000y"}]})");
	const std::string EditorMap = WriteTemp("editor-map.json", R"({"world":{"map":"EditorEngine_0"}})");
	for (const std::string& Bad : {SameName, EditorMap})
	{
		const FRun Refused = RunEditor({Bad, "-ExecCmds=Quit"});
		ASSERT_FALSE(Refused.bTimedOut);
		EXPECT_EQ(Refused.ExitCode, 2) << Refused.Err;
		EXPECT_EQ(std::count(Refused.Err.begin(), Refused.Err.end(), '\n'), 1) << Refused.Err;
		EXPECT_TRUE(Contains(Refused.Err, "vantle-editor: " + Bad + ":1:")) << Refused.Err;

		// Over an open scene: refused with a warning, and the scene that was open still repairs.
		const FRun Kept = RunEditor({Sample("Showcase.json"), "-ExecCmds=Host.LoadScene " + Bad + "; Vantle.FixReferences; Quit"});
		ASSERT_FALSE(Kept.bTimedOut);
		EXPECT_EQ(Kept.ExitCode, 0) << Kept.Err;
		EXPECT_TRUE(Contains(Kept.Out, "LogHeadlessEditor: Warning: " + Bad + ":1:")) << Kept.Out;
		EXPECT_TRUE(Contains(Kept.Out, "LogTemp: Display: Vantle repair: /Game/Cinematics/Intro.Intro;")) << Kept.Out;
	}
}

TEST(EditorProgram, HostCommandsDriveTheScene)
{
	const FRun Run = RunEditor({Sample("Showcase.json"),
		"-ExecCmds=Does.Not.Exist 1; Host.Focus; Vantle.FixReferences; Host.Focus /Game/Nope.Nope; Host.PIE Start; Host.PIE Stop; Host.Wait 0.2; Host.Wait x; Quit"});
	EXPECT_EQ(Run.ExitCode, 0);
	// An unknown command is reported and the commands after it still run.
	EXPECT_TRUE(Contains(Run.Out, "Command not recognized: Does.Not.Exist 1")) << Run.Out;
	EXPECT_FALSE(Contains(Run.Out, "Vantle repair:")) << Run.Out;
	EXPECT_TRUE(Contains(Run.Out, "LogHeadlessEditor: Warning:")) << Run.Out;
	EXPECT_TRUE(Contains(Run.Out, "Host.Wait takes a number")) << Run.Out;
}

TEST(EditorProgram, HelpPrintsEverySwitchAndHostCommand)
{
	for (const char* Switch : {"--help", "-help", "-h"})
	{
		const FRun Run = RunEditor({Switch});
		ASSERT_FALSE(Run.bTimedOut);
		EXPECT_EQ(Run.ExitCode, 0) << Switch;
		EXPECT_TRUE(Run.Err.empty()) << Run.Err;
		for (const char* Expected : {"usage: vantle-editor", "-ExecCmds=", "-VantleMCPPort=", "-DisablePlugins=ModelContextProtocol", "-FPS=", "-Stdin",
				 "--help, -help, -h", "Quit", "Automation", "Host.LoadScene", "Host.Focus", "Host.PIE", "Host.Spawn", "Host.Destroy", "Host.Wait", "Host.Stall",
				 "Host.Http", "Host.Click", "Host.CloseTab", "Host.DumpWidgets", "Host.Menu", "Host.CaptureMenu", "Host.CaptureTab", "-PluginDir=", "-ReportExportPath="})
		{
			EXPECT_TRUE(Contains(Run.Out, Expected)) << Switch << " lacks " << Expected;
		}
		// Help starts nothing: no scene is loaded and no plugin logs.
		EXPECT_FALSE(Contains(Run.Out, "Log")) << Run.Out;
	}
}

TEST(EditorProgram, ThePluginFolderComesFromTheSwitchOrTheWorkingFolderOrItSaysWhere)
{
	// A folder without Plugins/Vantle: the checkout the program was built from, and a line saying so.
	const std::filesystem::path Elsewhere = std::filesystem::temp_directory_path() / ("vantle-editor-test-" + std::to_string(getpid()) + "-elsewhere");
	std::filesystem::create_directories(Elsewhere);
	const std::string Checkout = std::string(VANTLE_SOURCE_DIR) + "/Plugins/Vantle";
	FRun Run = RunEditor({Sample("Showcase.json"), "-ExecCmds=Vantle.FixReferences; Quit"}, 30.0, FInput(), Elsewhere.string());
	ASSERT_FALSE(Run.bTimedOut);
	EXPECT_EQ(Run.ExitCode, 0) << Run.Err;
	EXPECT_TRUE(Contains(Run.Out, "LogHeadlessEditor: Display: No Plugins/Vantle in " + Elsewhere.string() + " and no -PluginDir:")) << Run.Out;
	EXPECT_TRUE(Contains(Run.Out, Checkout)) << Run.Out;
	EXPECT_TRUE(Contains(Run.Out, "Vantle repair: /Game/")) << Run.Out;

	// -PluginDir names the folder, relative to the working folder too: no note, the plugin runs.
	Run = RunEditor({Sample("Showcase.json"), "-PluginDir=" + std::filesystem::relative(Checkout, Elsewhere).string(), "-ExecCmds=Vantle.FixReferences; Quit"}, 30.0, FInput(),
		Elsewhere.string());
	EXPECT_EQ(Run.ExitCode, 0) << Run.Err;
	EXPECT_FALSE(Contains(Run.Out, "No Plugins/Vantle")) << Run.Out;
	EXPECT_TRUE(Contains(Run.Out, "Vantle repair: /Game/")) << Run.Out;

	// A folder without the descriptor: refused at start-up, with the path.
	Run = RunEditor({Sample("Showcase.json"), "-PluginDir=" + Elsewhere.string(), "-ExecCmds=Quit"});
	EXPECT_EQ(Run.ExitCode, 2);
	EXPECT_TRUE(Contains(Run.Err, Elsewhere.string() + "/Vantle.uplugin")) << Run.Err;
	std::filesystem::remove_all(Elsewhere);
}

namespace
{
	// Width and height from a PNG file's header; 0 x 0 when it is not one.
	std::pair<unsigned, unsigned> PngSize(const std::string& Path)
	{
		std::ifstream Stream(Path, std::ios::binary);
		unsigned char Header[24] = {};
		if (!Stream.read(reinterpret_cast<char*>(Header), sizeof(Header)) || std::string(reinterpret_cast<char*>(Header) + 12, 4) != "IHDR")
		{
			return {0, 0};
		}
		auto Read = [&Header](int At) { return (unsigned(Header[At]) << 24) | (unsigned(Header[At + 1]) << 16) | (unsigned(Header[At + 2]) << 8) | Header[At + 3]; };
		return {Read(16), Read(20)};
	}
}

TEST(EditorProgram, HostPicturesOfMenusAndOfABandOfATab)
{
	const std::filesystem::path Folder = std::filesystem::temp_directory_path() / ("vantle-editor-test-" + std::to_string(getpid()) + "-pictures");
	std::filesystem::create_directories(Folder);
	const std::string Base = Folder.string() + "/";
	const FRun Run = RunEditor({Sample("Showcase.json"),
		"-ExecCmds=Vantle.Open; Host.ResizeTab Vantle.Panel 560 680; Host.Wait 1; Host.CaptureTab Vantle.Panel " + Base + "tab.png; Host.CaptureTab Vantle.Panel " + Base +
			"band.png 02 / UNREAL MCP | Focused sequence only; Host.CaptureMenu Sequencer.MainToolBar " + Base + "toolbar.png; Host.CaptureMenu LevelEditor.MainMenu.Tools " +
			Base + "tools.png; Host.CaptureTab Vantle.Panel " + Base + "none.png NO SUCH TEXT; Host.CaptureMenu No.Such.Menu " + Base + "none.png; Host.CaptureMenu; Quit"});
	ASSERT_FALSE(Run.bTimedOut);
	EXPECT_EQ(Run.ExitCode, 0) << Run.Err;
	const auto Tab = PngSize(Base + "tab.png");
	const auto Band = PngSize(Base + "band.png");
	EXPECT_EQ(Tab.first, 560u);
	EXPECT_EQ(Band.first, 560u);
	// The MCP band: its header and its one row, not the whole window.
	EXPECT_GT(Band.second, 40u);
	EXPECT_LT(Band.second, Tab.second / 4);
	for (const char* Menu : {"toolbar.png", "tools.png"})
	{
		EXPECT_GE(PngSize(Base + Menu).first, 420u) << Menu;
	}
	EXPECT_FALSE(std::filesystem::exists(Base + "none.png"));
	EXPECT_TRUE(Contains(Run.Out, "LogHeadlessEditor: Warning: Tab Vantle.Panel shows no text 'NO SUCH TEXT'")) << Run.Out;
	EXPECT_TRUE(Contains(Run.Out, "LogHeadlessEditor: Warning: Menu No.Such.Menu is not registered")) << Run.Out;
	EXPECT_TRUE(Contains(Run.Out, "LogHeadlessEditor: Warning: Host.CaptureMenu takes a menu name and a .png path")) << Run.Out;
	std::filesystem::remove_all(Base);
}

TEST(EditorProgram, StdinDrivesTheEditorLineByLine)
{
	// Piped, as a script runs it: each line is a console command, Quit ends with status 0.
	FRun Run = RunEditor({Sample("Showcase.json"), "-Stdin"}, 30.0, FInput{FInput::Pipe, "Vantle.FixReferences\nQuit\nVantle.FixReferences\n"});
	ASSERT_FALSE(Run.bTimedOut);
	EXPECT_EQ(Run.ExitCode, 0) << Run.Err;
	EXPECT_EQ(Run.Out.find("Vantle repair: /Game/"), Run.Out.rfind("Vantle repair: /Game/")) << "one repair, then Quit: " << Run.Out;
	EXPECT_TRUE(Contains(Run.Out, "Vantle repair: /Game/")) << Run.Out;
	// No prompt when the input is not a terminal.
	EXPECT_FALSE(Contains(Run.Out, "> ")) << Run.Out;

	// The end of a file ends the editor as Quit does, after its last line (here without a line feed).
	Run = RunEditor({Sample("Showcase.json"), "-Stdin"}, 30.0, FInput{FInput::File, "\n  Does.Not.Exist  \r\nVantle.FixReferences"});
	ASSERT_FALSE(Run.bTimedOut);
	EXPECT_EQ(Run.ExitCode, 0) << Run.Err;
	EXPECT_TRUE(Contains(Run.Out, "Command not recognized: Does.Not.Exist")) << Run.Out;
	EXPECT_TRUE(Contains(Run.Out, "Vantle repair: /Game/")) << Run.Out;

	// -ExecCmds runs first, its waits included: the focus is gone before the piped repair runs.
	Run = RunEditor({Sample("Showcase.json"), "-Stdin", "-ExecCmds=Host.Wait 0.2; Host.Focus"}, 30.0, FInput{FInput::Pipe, "Vantle.FixReferences\n"});
	ASSERT_FALSE(Run.bTimedOut);
	EXPECT_EQ(Run.ExitCode, 0) << Run.Err;
	EXPECT_TRUE(Contains(Run.Out, "No sequence has focus")) << Run.Out;
	EXPECT_FALSE(Contains(Run.Out, "Vantle repair: /Game/")) << Run.Out;

	// Without -Stdin a pipe is not read: the editor runs until its own Quit.
	Run = RunEditor({Sample("Showcase.json"), "-ExecCmds=Host.Wait 0.3; Quit"}, 30.0, FInput{FInput::Pipe, "Vantle.FixReferences\n"});
	EXPECT_EQ(Run.ExitCode, 0) << Run.Err;
	EXPECT_FALSE(Contains(Run.Out, "Vantle repair")) << Run.Out;

	// An empty input with -Stdin quits once start-up is done.
	Run = RunEditor({Sample("Showcase.json"), "-Stdin"}, 30.0, FInput{FInput::File, ""});
	ASSERT_FALSE(Run.bTimedOut);
	EXPECT_EQ(Run.ExitCode, 0) << Run.Err;
}

TEST(EditorProgram, TheMcpServerAnswersOutsideProgramsWhileTheEditorRunsFrames)
{
	const uint32 Port = McpTest::FindFreePort();
	ASSERT_NE(Port, 0u);
	std::atomic<bool> bEditorDone{false};
	McpTest::FHttpReply Answer;
	std::thread Client(
		[&]
		{
			while (!bEditorDone.load() && Answer.Body.find(R"("id":"outside","result":{})") == std::string::npos)
			{
				Answer = McpTest::PostMcp(Port, R"({"jsonrpc":"2.0","id":"outside","method":"ping"})");
				std::this_thread::sleep_for(std::chrono::milliseconds(50));
			}
		});
	const FRun Run = RunEditor({Sample("Showcase.json"), "-ExecCmds=ModelContextProtocol.StartServer " + std::to_string(Port) +
		"; Host.Wait 3; Host.Stall 0.1; Host.Stall x; Host.Http Off; Host.Http Maybe; Host.Http On; Quit"});
	bEditorDone.store(true);
	Client.join();
	EXPECT_EQ(Run.ExitCode, 0) << Run.Err;
	EXPECT_EQ(Answer.Status, 200) << Answer.Body;
	EXPECT_NE(Answer.Body.find(R"("id":"outside","result":{})"), std::string::npos) << Answer.Body;
	for (const char* Expected : {"Stalled the game thread for 0.1 s", "Host.Stall takes a number", "HTTP disabled", "Host.Http takes On or Off", "HTTP enabled"})
	{
		EXPECT_TRUE(Contains(Run.Out, Expected)) << Expected << "\n" << Run.Out;
	}
}
