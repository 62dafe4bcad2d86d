// Copyright Vantle contributors. All Rights Reserved.
// End-to-end runs of the vantle-editor program on scene files, as a user or a script runs it.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <fcntl.h>
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

	// Runs the editor with a hard deadline; its output is collected from both pipes.
	FRun RunEditor(const std::vector<std::string>& Args, double TimeoutSeconds = 30.0)
	{
		FRun Result;
		int OutPipe[2];
		int ErrPipe[2];
		if (pipe(OutPipe) != 0 || pipe(ErrPipe) != 0)
		{
			return Result;
		}
		const pid_t Child = fork();
		if (Child == 0)
		{
			dup2(OutPipe[1], 1);
			dup2(ErrPipe[1], 2);
			close(OutPipe[0]);
			close(ErrPipe[0]);
			const int DevNull = open("/dev/null", O_RDONLY);
			dup2(DevNull, 0);
			std::vector<char*> Argv;
			std::string Binary = VANTLE_EDITOR_BINARY;
			Argv.push_back(Binary.data());
			std::vector<std::string> Copy = Args;
			for (std::string& Arg : Copy)
			{
				Argv.push_back(Arg.data());
			}
			Argv.push_back(nullptr);
			execv(Binary.c_str(), Argv.data());
			_exit(127);
		}
		close(OutPipe[1]);
		close(ErrPipe[1]);
		const auto Deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(TimeoutSeconds);
		pollfd Fds[2] = {{OutPipe[0], POLLIN, 0}, {ErrPipe[0], POLLIN, 0}};
		int Open = 2;
		while (Open > 0)
		{
			const auto Left = std::chrono::duration_cast<std::chrono::milliseconds>(Deadline - std::chrono::steady_clock::now()).count();
			if (Left <= 0)
			{
				Result.bTimedOut = true;
				kill(Child, SIGKILL);
				break;
			}
			if (poll(Fds, 2, static_cast<int>(Left)) <= 0)
			{
				continue;
			}
			for (int Index = 0; Index < 2; ++Index)
			{
				if (Fds[Index].fd >= 0 && (Fds[Index].revents & (POLLIN | POLLHUP)))
				{
					char Buffer[4096];
					const ssize_t Read = read(Fds[Index].fd, Buffer, sizeof(Buffer));
					if (Read <= 0)
					{
						close(Fds[Index].fd);
						Fds[Index].fd = -1;
						--Open;
					}
					else
					{
						(Index == 0 ? Result.Out : Result.Err).append(Buffer, Read);
					}
				}
			}
		}
		int Status = 0;
		waitpid(Child, &Status, 0);
		Result.ExitCode = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
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

TEST(EditorProgram, RepairsTheShowcaseSceneAndQuits)
{
	const FRun Run = RunEditor({Sample("Showcase.json"), "-ExecCmds=Vantle.FixReferences; Quit"});
	ASSERT_FALSE(Run.bTimedOut);
	EXPECT_EQ(Run.ExitCode, 0) << Run.Err;
	EXPECT_TRUE(Contains(Run.Out, "LogTemp: Display: Vantle repair: /Game/")) << Run.Out;
}

TEST(EditorProgram, UnknownCommandsAreReportedAndTheLoopGoesOn)
{
	const FRun Run = RunEditor({Sample("Showcase.json"), "-ExecCmds=Does.Not.Exist 1; Vantle.FixReferences; Quit"});
	EXPECT_EQ(Run.ExitCode, 0);
	EXPECT_TRUE(Contains(Run.Out, "Command not recognized: Does.Not.Exist 1")) << Run.Out;
	EXPECT_TRUE(Contains(Run.Out, "Vantle repair:"));
}

TEST(EditorProgram, BadScenesExitWithStatusTwoAndAPlace)
{
	const std::string Syntax = WriteTemp("syntax.json", "{\n  \"project\": \"X\",\n  \"world\": { \"map\": \n}\n");
	FRun Run = RunEditor({Syntax, "-ExecCmds=Quit"});
	EXPECT_EQ(Run.ExitCode, 2);
	EXPECT_TRUE(Contains(Run.Err, Syntax + ":")) << Run.Err;
	EXPECT_FALSE(Contains(Run.Out, "Vantle repair"));

	const std::string Unknown = WriteTemp("unknown.json", "{ \"project\": \"X\", \"wrold\": null }");
	Run = RunEditor({Unknown, "-ExecCmds=Quit"});
	EXPECT_EQ(Run.ExitCode, 2);
	EXPECT_TRUE(Contains(Run.Err, "wrold")) << Run.Err;

	Run = RunEditor({WriteTemp("missing-dir/none.json", ""), "-ExecCmds=Quit"});
	EXPECT_EQ(Run.ExitCode, 2);
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

TEST(EditorProgram, BadCommandLinesExitWithStatusTwo)
{
	for (const std::vector<std::string>& Args : std::vector<std::vector<std::string>>{
			 {"-FPS=0"}, {"-FPS=abc"}, {"-NoSuchOption"}, {"-DisablePlugins=Sequencer"}, {Sample("Showcase.json"), Sample("Empty.json")}})
	{
		const FRun Run = RunEditor(Args);
		EXPECT_EQ(Run.ExitCode, 2) << Args[0];
		EXPECT_TRUE(Contains(Run.Err, "usage: vantle-editor")) << Run.Err;
	}
}

TEST(EditorProgram, HostCommandsDriveTheScene)
{
	const FRun Run = RunEditor({Sample("Showcase.json"),
		"-ExecCmds=Host.Focus; Vantle.FixReferences; Host.Focus /Game/Nope.Nope; Host.PIE Start; Host.PIE Stop; Host.Wait 0.2; Host.Wait x; Quit"});
	EXPECT_EQ(Run.ExitCode, 0);
	EXPECT_FALSE(Contains(Run.Out, "Vantle repair:")) << Run.Out;
	EXPECT_TRUE(Contains(Run.Out, "LogHeadlessEditor: Warning:")) << Run.Out;
	EXPECT_TRUE(Contains(Run.Out, "Host.Wait takes a number")) << Run.Out;
}
