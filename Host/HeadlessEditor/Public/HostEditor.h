// Copyright Vantle contributors. All Rights Reserved.
// The headless editor: command line, start-up and shut-down in the editor's order, the engine loop
// and the console. Used by the vantle-editor program and by tests that boot the plugin.
#pragma once

#include "Containers/Array.h"
#include "Containers/UnrealString.h"
#include "Misc/OutputDevice.h"
#include "Templates/Function.h"
#include "Templates/UniquePtr.h"

#include <deque>
#include <memory>

class FAutoConsoleCommand;
class UWorld;

namespace UE::Host
{
	class FAutomationRunner;

	struct FEditorOptions
	{
		FString ScenePath;
		// -PluginDir: the folder holding Vantle.uplugin; empty means Plugins/Vantle of the working
		// folder, else the checkout this program was built in.
		FString PluginDir;
		TArray<FString> ExecCmds;
		bool bDisableMcpPlugin = false;
		double FramesPerSecond = 60.0;
		// The full command line as FCommandLine reports it.
		FString CommandLine;
		// Echo every log line to standard output as "Category: Verbosity: Message".
		bool bLogToStdout = true;
		// Feed buffered log devices from a dedicated thread, as the editor does.
		bool bLogThread = true;
		// Read console lines from standard input when it is a terminal (the program; tests leave it off).
		bool bReadStdin = false;
		// -Stdin: read them from a pipe or a file as well; the end of input quits.
		bool bReadStdinAlways = false;
		// --help, -help or -h: print the usage and start nothing.
		bool bShowHelp = false;
		// -ReportExportPath=DIR: where "Automation RunTests" writes index.json.
		FString ReportExportPath;
	};

	// Reads "vantle-editor [SCENE.json] [-ExecCmds=...] [-VantleMCPPort=N] [-DisablePlugins=...] [-PluginDir=DIR] [-FPS=N] [-Stdin] [--help]".
	bool ParseEditorCommandLine(const TArray<FString>& Args, FEditorOptions& OutOptions, FString& OutError);
	// The usage text: every switch and every console command the headless editor adds, one a line.
	FString GetEditorUsage();

	// The world console commands run in: the editor world, or none without an editor.
	UWorld* GetEditorWorldForConsole();

	// Where the repository lives: the sample scenes are found relative to it.
	FString GetProjectRoot();

	// The plugin descriptor to mount: DIR/Vantle.uplugin for -PluginDir=DIR, else Plugins/Vantle of
	// the working folder when it has one, else the checkout this program was built in. The last
	// choice is never silent: OutNote then says where the plugin comes from.
	FString ResolvePluginFile(const FString& PluginDir, FString& OutNote);

	class FHeadlessEditor
	{
	public:
		FHeadlessEditor();
		~FHeadlessEditor();

		// Loads the scene, creates the editor, Slate and ToolMenus, mounts and starts the plugins.
		// False with a message (and nothing started) when the scene or the plugin cannot be loaded.
		bool Init(const FEditorOptions& Options, FString& OutError);
		// One engine frame: queued console input, the core ticker (HTTP completions ride on it), then
		// Slate: every open window laid out with its getters evaluated, the shown tool bars (the level
		// editor's always, Sequencer's while a sequence is open) evaluated, closed windows destroyed.
		void Tick(double DeltaSeconds);
		// Runs frames at the configured rate until Quit; returns the exit code.
		int32 Run();
		// Unloads the plugins (ShutdownModule) and tears the editor down. Safe to call twice.
		void Shutdown();

		// Runs a console line as the editor console does; logs "Command not recognized" otherwise.
		void Exec(const FString& Line);
		void QueueCommand(const FString& Line);
		bool IsQuitRequested() const { return bQuitRequested; }
		bool HasPendingCommands() const { return !PendingCommands.empty() || WaitUntil > 0.0; }

		struct FHostCommand
		{
			FString Name;
			FString Help;
			TFunction<void(const TArray<FString>&)> Handler;
		};
		// The console commands the headless editor adds (Quit and Host.*), in the order of the usage;
		// their handlers act on Self (never run when only listing them).
		static TArray<FHostCommand> MakeHostCommands(FHeadlessEditor* Self);

	private:
		void RegisterHostCommands();
		void RunDueCommand();

		FEditorOptions Options;
		bool bInitialized = false;
		bool bQuitRequested = false;
		double WaitUntil = 0.0;
		std::deque<FString> PendingCommands;
		TUniquePtr<FAutomationRunner> Automation;
		TUniquePtr<FOutputDevice> StdoutDevice;
		TArray<TUniquePtr<FAutoConsoleCommand>> HostCommands;
		TArray<FString> LoadedPluginModules;
		struct FStdinReader;
		std::unique_ptr<FStdinReader> StdinReader;
	};
}
