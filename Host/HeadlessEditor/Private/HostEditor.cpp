// Copyright Vantle contributors. All Rights Reserved.
#include "HostEditor.h"

#include "Containers/Ticker.h"
#include "CoreGlobals.h"
#include "HAL/IConsoleManager.h"
#include "HAL/PlatformTime.h"
#include "Framework/Application/SlateApplication.h"
#include "HostAutomation.h"
#include "HostCore.h"
#include "LevelSequenceEditorBlueprintLibrary.h"
#include "HostProjects.h"
#include "HostScene.h"
#include "HostSlate.h"
#include "HostToolMenus.h"
#include "Interfaces/IPluginManager.h"
#include "Misc/CommandLine.h"
#include "Misc/OutputDeviceRedirector.h"
#include "Misc/Paths.h"
#include "Modules/ModuleManager.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <mutex>
#include <thread>
#include <unistd.h>

DEFINE_LOG_CATEGORY_STATIC(LogHeadlessEditor, Log, All);

namespace
{
	const FName LevelEditorToolBarName(TEXT("LevelEditor.LevelEditorToolBar.User"));
	const FName SequencerToolBarName(TEXT("Sequencer.MainToolBar"));
}

namespace UE::Host
{
	namespace
	{
		// Prints each line as the editor's console shows it, in the order the log received them.
		class FStdoutOutputDevice final : public FOutputDevice
		{
		public:
			virtual void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category) override
			{
				const FString Line = FormatLogLine(V, Verbosity, Category.IsNone() ? FString() : Category.ToString()) + TEXT("\n");
				const std::string Utf8 = ToUtf8(Line);
				std::fwrite(Utf8.data(), 1, Utf8.size(), stdout);
				std::fflush(stdout);
			}
		};

		FString QuoteIfNeeded(const FString& Arg)
		{
			int32 Equals = INDEX_NONE;
			if (!Arg.Contains(TEXT(" ")) || Arg.Contains(TEXT("\"")))
			{
				return Arg;
			}
			// -Key=Value with blanks in the value: quote the value, as a shell user would have typed it.
			if (Arg.StartsWith(TEXT("-")) && Arg.FindChar(TEXT('='), Equals))
			{
				return Arg.Left(Equals + 1) + TEXT("\"") + Arg.Mid(Equals + 1) + TEXT("\"");
			}
			return TEXT("\"") + Arg + TEXT("\"");
		}

		bool ParseFps(const FString& Text, double& OutFps)
		{
			if (!Text.IsNumeric())
			{
				return false;
			}
			const double Value = FCString::Atod(*Text);
			if (!(Value >= 1.0 && Value <= 1000.0))
			{
				return false;
			}
			OutFps = Value;
			return true;
		}
	}

	FString GetProjectRoot()
	{
		// The current folder when it is a checkout (scripts run from there), else where we were built.
		std::error_code Error;
		if (std::filesystem::exists("Plugins/Vantle/Vantle.uplugin", Error))
		{
			return FromUtf8(std::filesystem::current_path(Error).string());
		}
		return FString(VANTLE_SOURCE_DIR);
	}

	FString ResolvePluginFile(const FString& PluginDir, FString& OutNote)
	{
		OutNote.Reset();
		std::error_code Error;
		if (!PluginDir.IsEmpty())
		{
			const std::filesystem::path Absolute = std::filesystem::absolute(ToUtf8(PluginDir), Error);
			return (Error ? PluginDir : FromUtf8(Absolute.lexically_normal().string())) / TEXT("Vantle.uplugin");
		}
		if (std::filesystem::exists("Plugins/Vantle/Vantle.uplugin", Error))
		{
			return FromUtf8(std::filesystem::current_path(Error).string()) / TEXT("Plugins/Vantle/Vantle.uplugin");
		}
		const FString Fallback = FString(VANTLE_SOURCE_DIR) / TEXT("Plugins/Vantle");
		OutNote = FString::Printf(TEXT("No Plugins/Vantle in %s and no -PluginDir: mounting the plugin of the checkout this editor was built from, %s"),
			*FromUtf8(std::filesystem::current_path(Error).string()), *Fallback);
		return Fallback / TEXT("Vantle.uplugin");
	}

	bool ParseEditorCommandLine(const TArray<FString>& Args, FEditorOptions& OutOptions, FString& OutError)
	{
		FEditorOptions Parsed;
		TArray<FString> Quoted;
		for (const FString& Arg : Args)
		{
			Quoted.Add(QuoteIfNeeded(Arg));
			if (!Arg.StartsWith(TEXT("-")))
			{
				if (!Parsed.ScenePath.IsEmpty())
				{
					OutError = FString::Printf(TEXT("more than one scene file given: '%s' and '%s'"), *Parsed.ScenePath, *Arg);
					return false;
				}
				Parsed.ScenePath = Arg;
				continue;
			}
			FString Key = Arg.Mid(1);
			FString Value;
			int32 Equals = INDEX_NONE;
			if (Key.FindChar(TEXT('='), Equals))
			{
				Value = Key.Mid(Equals + 1);
				Key = Key.Left(Equals);
			}
			if (Key == TEXT("-help") || Key == TEXT("help") || Key == TEXT("h"))
			{
				Parsed.bShowHelp = true;
			}
			else if (Key == TEXT("Stdin") && Equals == INDEX_NONE)
			{
				Parsed.bReadStdinAlways = true;
			}
			else if (Key == TEXT("ExecCmds"))
			{
				TArray<FString> Commands;
				Value.ParseIntoArray(Commands, TEXT(";"), true);
				for (const FString& Command : Commands)
				{
					const FString Trimmed = Command.TrimStartAndEnd();
					if (!Trimmed.IsEmpty())
					{
						Parsed.ExecCmds.Add(Trimmed);
					}
				}
			}
			else if (Key == TEXT("ReportExportPath"))
			{
				Parsed.ReportExportPath = Value;
			}
			else if (Key == TEXT("VantleMCPPort"))
			{
				// Read by the plugin itself from the command line.
			}
			else if (Key == TEXT("DisablePlugins"))
			{
				TArray<FString> Names;
				Value.ParseIntoArray(Names, TEXT(","), true);
				for (const FString& Name : Names)
				{
					const FString Trimmed = Name.TrimStartAndEnd();
					if (Trimmed == TEXT("ModelContextProtocol"))
					{
						Parsed.bDisableMcpPlugin = true;
					}
					else
					{
						OutError = FString::Printf(TEXT("-DisablePlugins: unknown plugin '%s' (only ModelContextProtocol can be disabled)"), *Trimmed);
						return false;
					}
				}
			}
			else if (Key == TEXT("PluginDir"))
			{
				if (Value.IsEmpty())
				{
					OutError = TEXT("-PluginDir= needs the folder that holds Vantle.uplugin");
					return false;
				}
				Parsed.PluginDir = Value;
			}
			else if (Key == TEXT("FPS"))
			{
				if (!ParseFps(Value, Parsed.FramesPerSecond))
				{
					OutError = FString::Printf(TEXT("-FPS=%s: expected a number of frames per second from 1 to 1000"), *Value);
					return false;
				}
			}
			else
			{
				OutError = FString::Printf(TEXT("unknown option '%s'"), *Arg);
				return false;
			}
		}
		if (Parsed.ScenePath.IsEmpty())
		{
			Parsed.ScenePath = GetProjectRoot() / TEXT("Samples/Scenes/Showcase.json");
		}
		Parsed.CommandLine = FString::Join(Quoted, TEXT(" "));
		OutOptions = Parsed;
		return true;
	}

	FString GetEditorUsage()
	{
		FString Usage = TEXT(
			"usage: vantle-editor [SCENE.json] [-ExecCmds=\"Cmd A; Cmd B\"] [-VantleMCPPort=N]\n"
			"                     [-DisablePlugins=ModelContextProtocol] [-PluginDir=DIR] [-FPS=60] [-Stdin] [-ReportExportPath=DIR] [--help]\n"
			"\n"
			"  SCENE.json              the scene to open (default: Samples/Scenes/Showcase.json)\n"
			"  -ExecCmds=\"A; B\"        console commands run one per frame after start-up, before any input\n"
			"  -VantleMCPPort=N        the port the plugin's MCP monitor checks (default 8000)\n"
			"  -DisablePlugins=ModelContextProtocol\n"
			"                          start without the Model Context Protocol plugin\n"
			"  -PluginDir=DIR          the plugin folder, holding Vantle.uplugin (default: Plugins/Vantle of the\n"
			"                          working folder, else the checkout this program was built from)\n"
			"  -FPS=N                  frames per second from 1 to 1000 (default 60)\n"
			"  -ReportExportPath=DIR   where \"Automation RunTests\" writes its JSON report, DIR/index.json\n"
			"  -Stdin                  read console commands line by line from standard input even when it\n"
			"                          is a pipe or a file (a terminal is always read); end of input quits\n"
			"  --help, -help, -h       print this text and exit\n"
			"\n"
			"Console commands of the headless editor (the plugin adds Vantle.*):\n");
		for (const FHeadlessEditor::FHostCommand& Command : FHeadlessEditor::MakeHostCommands(nullptr))
		{
			FString Name = TEXT("  ") + Command.Name;
			while (Name.Len() < 26)
			{
				Name += TEXT(" ");
			}
			Usage += Name + Command.Help + TEXT("\n");
		}
		Usage += TEXT("\nExit status: 0 after Quit or the end of -Stdin input; 2 for a bad command line or scene file;\n"
					  "255 after Quit when an \"Automation RunTests\" run had a failed test or matched none.\n");
		return Usage;
	}

	// Lines read on a thread of their own. The state is shared with the thread, which is detached
	// (a blocking read cannot be interrupted) and may outlive the editor.
	struct FHeadlessEditor::FStdinReader
	{
		struct FState
		{
			std::mutex Mutex;
			std::deque<FString> Lines;
			bool bEndOfInput = false;
		};
		std::shared_ptr<FState> State = std::make_shared<FState>();

		void Start(bool bPrompt)
		{
			std::thread([State = State, bPrompt]
				{
					char Buffer[4096];
					std::string Pending;
					while (true)
					{
						if (bPrompt)
						{
							std::fputs("> ", stdout);
							std::fflush(stdout);
						}
						if (!std::fgets(Buffer, sizeof(Buffer), stdin))
						{
							break;
						}
						Pending += Buffer;
						// A line longer than the buffer arrives in pieces.
						if (Pending.empty() || (Pending.back() != '\n' && !std::feof(stdin)))
						{
							continue;
						}
						std::lock_guard<std::mutex> Guard(State->Mutex);
						State->Lines.push_back(FromUtf8(Pending.c_str()).TrimStartAndEnd());
						Pending.clear();
					}
					std::lock_guard<std::mutex> Guard(State->Mutex);
					if (!Pending.empty())
					{
						State->Lines.push_back(FromUtf8(Pending.c_str()).TrimStartAndEnd());
					}
					State->bEndOfInput = true;
				})
				.detach();
		}

		enum class EPop : uint8
		{
			Line,
			Nothing,
			EndOfInput,
		};
		EPop Pop(FString& OutLine)
		{
			std::lock_guard<std::mutex> Guard(State->Mutex);
			if (State->Lines.empty())
			{
				return State->bEndOfInput ? EPop::EndOfInput : EPop::Nothing;
			}
			OutLine = State->Lines.front();
			State->Lines.pop_front();
			return EPop::Line;
		}
	};

	FHeadlessEditor::FHeadlessEditor() = default;

	FHeadlessEditor::~FHeadlessEditor()
	{
		Shutdown();
	}

	bool FHeadlessEditor::Init(const FEditorOptions& InOptions, FString& OutError)
	{
		check(!bInitialized);
		Options = InOptions;
		FCommandLine::Set(*Options.CommandLine);

		FOutputDeviceRedirector* Log = FOutputDeviceRedirector::Get();
		Log->EnableBacklog(true);
		if (Options.bLogToStdout)
		{
			StdoutDevice = MakeUnique<FStdoutOutputDevice>();
			Log->AddOutputDevice(StdoutDevice.Get());
		}
		if (Options.bLogThread)
		{
			Log->TryStartDedicatedPrimaryThread();
		}

		if (!LoadSceneFile(Options.ScenePath, OutError))
		{
			Shutdown();
			return false;
		}
		CreateEditor();
		InitSlateApplication();
		InitToolMenus();

		FString PluginNote;
		const FString PluginFile = ResolvePluginFile(Options.PluginDir, PluginNote);
		if (!PluginNote.IsEmpty())
		{
			UE_LOG(LogHeadlessEditor, Display, TEXT("%s"), *PluginNote);
		}
		if (!MountPlugin(PluginFile, OutError))
		{
			Shutdown();
			return false;
		}
		bInitialized = true;
		Automation = MakeUnique<FAutomationRunner>(Options.ReportExportPath);
		RegisterHostCommands();

		// Engine plugins load before project plugins.
		if (!Options.bDisableMcpPlugin)
		{
			FModuleManager::Get().LoadModule(TEXT("ModelContextProtocol"));
		}
		TSharedPtr<IPlugin> Plugin = IPluginManager::Get().FindPlugin(TEXT("Vantle"));
		for (const FModuleDescriptor& Module : Plugin->GetDescriptor().Modules)
		{
			if (!FModuleManager::Get().LoadModule(Module.Name))
			{
				UE_LOG(LogHeadlessEditor, Error, TEXT("Module %s of plugin Vantle is not part of this build"), *Module.Name.ToString());
				continue;
			}
			LoadedPluginModules.Add(Module.Name.ToString());
		}

		// The editor's own start-up ends here: menus are built and the log stops keeping a backlog.
		RunToolMenusStartupCallbacks();
		Log->EnableBacklog(false);
		// The level editor's tool bar is on screen for as long as the editor runs.
		ShowToolBar(LevelEditorToolBarName);

		for (const FString& Command : Options.ExecCmds)
		{
			PendingCommands.push_back(Command);
		}
		const bool bTerminal = isatty(0) != 0;
		if ((Options.bReadStdin && bTerminal) || Options.bReadStdinAlways)
		{
			StdinReader = std::make_unique<FStdinReader>();
			StdinReader->Start(bTerminal);
		}
		return true;
	}

	void FHeadlessEditor::QueueCommand(const FString& Line)
	{
		PendingCommands.push_back(Line);
	}

	void FHeadlessEditor::RunDueCommand()
	{
		// Commands after "Automation RunTests" (Quit above all) wait until the run is complete.
		if (Automation && Automation->IsRunning())
		{
			return;
		}
		if (WaitUntil > 0.0)
		{
			if (FPlatformTime::Seconds() < WaitUntil)
			{
				return;
			}
			WaitUntil = 0.0;
		}
		if (!PendingCommands.empty())
		{
			const FString Command = PendingCommands.front();
			PendingCommands.pop_front();
			Exec(Command);
			return;
		}
		FString Line;
		if (!StdinReader)
		{
			return;
		}
		switch (StdinReader->Pop(Line))
		{
		case FStdinReader::EPop::Line:
			Exec(Line);
			break;
		case FStdinReader::EPop::EndOfInput:
			// Input ran out with nothing left to run: as if the last line had been Quit.
			bQuitRequested = true;
			break;
		default:
			break;
		}
	}

	void FHeadlessEditor::Tick(double DeltaSeconds)
	{
		if (!bInitialized)
		{
			return;
		}
		RunDueCommand();
		FTSTicker::GetCoreTicker().Tick(static_cast<float>(DeltaSeconds));
		if (Automation)
		{
			Automation->Tick();
		}
		// Sequencer shows its tool bar while it has a sequence open.
		if (ULevelSequenceEditorBlueprintLibrary::GetFocusedLevelSequence())
		{
			ShowToolBar(SequencerToolBarName);
		}
		else
		{
			HideToolBar(SequencerToolBarName);
		}
		if (FSlateApplication::IsInitialized())
		{
			FSlateApplication::Get().Tick();
		}
	}

	int32 FHeadlessEditor::Run()
	{
		using Clock = std::chrono::steady_clock;
		const auto FrameTime = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / Options.FramesPerSecond));
		auto Last = Clock::now();
		auto NextFrame = Last;
		while (!bQuitRequested)
		{
			const auto Now = Clock::now();
			Tick(std::chrono::duration<double>(Now - Last).count());
			Last = Now;
			NextFrame += FrameTime;
			if (NextFrame < Clock::now())
			{
				NextFrame = Clock::now();
			}
			std::this_thread::sleep_until(NextFrame);
		}
		return Automation ? Automation->GetExitCode() : 0;
	}

	void FHeadlessEditor::Exec(const FString& Line)
	{
		const FString Trimmed = Line.TrimStartAndEnd();
		if (Trimmed.IsEmpty())
		{
			return;
		}
		FStdoutOutputDevice Fallback;
		FOutputDevice& Output = GLog ? static_cast<FOutputDevice&>(*GLog) : static_cast<FOutputDevice&>(Fallback);
		if (!IConsoleManager::Get().ProcessUserConsoleInput(*Trimmed, Output, GetEditorWorldForConsole()))
		{
			UE_LOG(LogHeadlessEditor, Warning, TEXT("Command not recognized: %s"), *Trimmed);
		}
	}

	void FHeadlessEditor::Shutdown()
	{
		FOutputDeviceRedirector* Log = FOutputDeviceRedirector::Get();
		if (bInitialized)
		{
			// A run cut short still reports: the test under way failed, the rest did not run.
			Automation.Reset();
			for (int32 Index = LoadedPluginModules.Num() - 1; Index >= 0; --Index)
			{
				FModuleManager::Get().UnloadModule(*LoadedPluginModules[Index]);
			}
			LoadedPluginModules.Reset();
			FModuleManager::Get().UnloadModule(TEXT("ModelContextProtocol"));
			FModuleManager::Get().UnloadModule(TEXT("HTTPServer"));
			FModuleManager::Get().UnloadModule(TEXT("HTTP"));
			HostCommands.Reset();
			bInitialized = false;
		}
		ShutdownToolMenus();
		ShutdownSlateApplication();
		DestroyEditor();
		ResetScene();
		UnmountAll();
		Log->FlushThreadedLogs();
		Log->SetCurrentThreadAsPrimaryThread();
		if (StdoutDevice)
		{
			Log->RemoveOutputDevice(StdoutDevice.Get());
			StdoutDevice.Reset();
		}
		FTSTicker::GetCoreTicker().Reset();
		PendingCommands.clear();
		WaitUntil = 0.0;
		bQuitRequested = false;
	}
}
