// Copyright Vantle contributors. All Rights Reserved.
#include "Brushes/SlateImageBrush.h"
#include "Containers/Ticker.h"
#include "Framework/Application/SlateApplication.h"
#include "Framework/Docking/TabManager.h"
#include "HAL/IConsoleManager.h"
#include "LevelSequenceEditorBlueprintLibrary.h"
#include "Misc/OutputDeviceRedirector.h"
#include "HostSlate.h"
#include "HostSlateCore.h"
#include "HostObjects.h"
#include "HostProjects.h"
#include "HostToolMenus.h"
#include "Styling/SlateStyle.h"
#include "Styling/SlateStyleRegistry.h"
#include "ToolMenuOwner.h"
#include "ToolMenus.h"
#include "UObject/Object.h"
#include "Widgets/Docking/SDockTab.h"
#include "Widgets/SNullWidget.h"
#include "Widgets/Text/STextBlock.h"
#include "VantleStyle.h"
#include "VantleTestEditor.h"

#include <cstdlib>
#include <filesystem>
#include <thread>

using Vantle::Test::FEditorTest;

namespace
{
	const TCHAR* const Commands[] = {TEXT("Vantle.Open"), TEXT("Vantle.FixReferences"), TEXT("Vantle.Capture"), TEXT("Vantle.StartMCP")};

	using ModuleLifecycle = FEditorTest;

	DEFINE_LOG_CATEGORY_STATIC(LogThreadProbe, Log, All);

	// Makes one engine call for each probe line that reaches it, on the thread the log calls it on.
	class FCallingDevice final : public FOutputDevice
	{
	public:
		explicit FCallingDevice(TFunction<void()> InCall) : Call(std::move(InCall)) {}
		virtual bool CanBeUsedOnMultipleThreads() const override { return true; }
		virtual void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category) override
		{
			if (Category == LogThreadProbe.GetCategoryName())
			{
				Call();
				++Calls;
			}
		}
		std::atomic<int32> Calls{0};

	private:
		TFunction<void()> Call;
	};

	// One probe line, logged from the game thread or from a thread of its own; true once the call returned.
	bool CallFromLog(TFunction<void()> Call, bool bFromOtherThread)
	{
		FCallingDevice Device(std::move(Call));
		GLog->AddOutputDevice(&Device);
		auto LogLine = [] { UE_LOG(LogThreadProbe, Display, TEXT("probe")); };
		if (bFromOtherThread)
		{
			std::thread(LogLine).join();
		}
		else
		{
			LogLine();
		}
		GLog->FlushThreadedLogs();
		GLog->RemoveOutputDevice(&Device);
		return Device.Calls == 1;
	}
}

TEST_F(ModuleLifecycle, EngineCallsFromALogThreadFailTheGameThreadCheck)
{
	GTEST_FLAG_SET(death_test_style, "threadsafe");
	const std::pair<const char*, TFunction<void()>> Calls[] = {
		{"slate widget", [] { SNew(STextBlock); }},
		{"slate application", [] { FSlateApplication::Get().Tick(); }},
		{"tab manager", [] { FGlobalTabmanager::Get()->TryInvokeTab(FTabId(TEXT("Vantle.Panel")), false); }},
		{"tool menus", [] { UToolMenus::Get()->ExtendMenu(TEXT("Sequencer.MainToolBar")); }},
		{"object creation", [] { delete new UObject(); }},
		{"object lookup", [] { UE::Host::FindObjectByPath(nullptr, TEXT("EditorEngine_0")); }},
		{"console", [] { IConsoleManager::Get().ProcessUserConsoleInput(TEXT("Vantle.Open"), *GLog, nullptr); }},
		{"sequencer", [] { ULevelSequenceEditorBlueprintLibrary::GetFocusedLevelSequence(); }},
	};
	for (const auto& [Name, Call] : Calls)
	{
		// Allowed on the game thread, an assertion anywhere else, as in the engine's build with checks.
		EXPECT_TRUE(CallFromLog(Call, false)) << Name;
		EXPECT_DEATH(CallFromLog(Call, true), "Assertion failed: IsInGameThread\\(\\)") << Name;
	}
}

TEST_F(ModuleLifecycle, StartUpRegistersEverythingTheModuleOwns)
{
	FVantleModule& Vantle = Module();
	for (const TCHAR* Name : Commands)
	{
		IConsoleObject* Object = IConsoleManager::Get().FindConsoleObject(Name);
		ASSERT_NE(Object, nullptr) << UE::Host::ToUtf8(FString(Name));
		EXPECT_NE(Object->AsCommand(), nullptr);
	}
	EXPECT_EQ(UE::Host::ToUtf8(FString(IConsoleManager::Get().FindConsoleObject(TEXT("Vantle.FixReferences"))->GetHelp())),
		"Repair references of the focused sequence; does not save.");

	const ISlateStyle* Style = FSlateStyleRegistry::FindSlateStyle(TEXT("Vantle.Style"));
	ASSERT_NE(Style, nullptr);
	const FSlateBrush* Icon = Style->GetBrush(TEXT("Vantle.Icon"));
	ASSERT_NE(Icon, nullptr);
	EXPECT_EQ(Icon->GetImageType(), ESlateBrushImageType::Vector);
	EXPECT_EQ(Icon->ImageSize.X, 20.0f);
	EXPECT_EQ(Icon->ImageSize.Y, 20.0f);
	EXPECT_TRUE(Icon->GetResourceName().ToString().EndsWith(TEXT("/Plugins/Vantle/Resources/Vantle.svg"), ESearchCase::CaseSensitive))
		<< UE::Host::ToUtf8(Icon->GetResourceName().ToString());

	EXPECT_TRUE(UE::Host::GetNomadTabSpawnerNames().Contains(FName(TEXT("Vantle.Panel"))));
	const FTabSpawnerEntry* Spawner = UE::Host::FindNomadTabSpawner(TEXT("Vantle.Panel"));
	ASSERT_NE(Spawner, nullptr);
	EXPECT_EQ(UE::Host::GetDefaultTabWindowSize(FTabId(TEXT("Vantle.Panel"))), FVector2D(560.0, 480.0));
	EXPECT_EQ(UE::Host::GetToolMenuEntriesOfOwner(FToolMenuOwner(&Vantle)).Num(), 3);
	EXPECT_TRUE(GLog->IsRedirectingTo(Vantle.McpWatcher.Get()));
	EXPECT_TRUE(Vantle.TickerHandle.IsValid());
}

TEST_F(ModuleLifecycle, ShutDownLeavesNothingBehindEvenWithThePanelOpen)
{
	FVantleModule& Vantle = Module();
	const int32 TickersWithModule = UE::Host::GetActiveTickerCount(FTSTicker::GetCoreTicker());
	Editor.Exec(TEXT("Vantle.Open"));
	TWeakPtr<SDockTab> Tab = Vantle.PanelTab;
	ASSERT_TRUE(Tab.IsValid());
	TSharedPtr<FMcpLogWatcher> Watcher = Vantle.McpWatcher;

	ASSERT_TRUE(FModuleManager::Get().UnloadModule(TEXT("Vantle")));

	for (const TCHAR* Name : Commands)
	{
		EXPECT_EQ(IConsoleManager::Get().FindConsoleObject(Name), nullptr) << UE::Host::ToUtf8(FString(Name));
	}
	EXPECT_EQ(FSlateStyleRegistry::FindSlateStyle(TEXT("Vantle.Style")), nullptr);
	EXPECT_FALSE(UE::Host::GetNomadTabSpawnerNames().Contains(FName(TEXT("Vantle.Panel"))));
	for (const UE::Host::FDefaultTabWindowSizeEntry& Entry : UE::Host::GetDefaultTabWindowSizes())
	{
		EXPECT_NE(Entry.TabId.TabType, FName(TEXT("Vantle.Panel")));
	}
	EXPECT_EQ(UE::Host::GetDefaultTabWindowSize(FTabId(TEXT("Vantle.Panel"))), FVector2D(1000.0, 600.0));
	EXPECT_TRUE(UE::Host::GetToolMenuEntriesOfOwner(FToolMenuOwner(&Vantle)).IsEmpty());
	EXPECT_FALSE(GLog->IsRedirectingTo(Watcher.Get()));
	EXPECT_EQ(UE::Host::GetActiveTickerCount(FTSTicker::GetCoreTicker()), TickersWithModule - 1);
	EXPECT_FALSE(UE::Host::GetOpenTabIds().Contains(FName(TEXT("Vantle.Panel"))));
	// The closed tab's window, emptied by the module, goes when the frame ends.
	ASSERT_TRUE(Tab.IsValid());
	EXPECT_EQ(Tab.Pin()->GetContent(), SNullWidget::NullWidget);
	// Its icon was the style set's brush, which is gone now.
	EXPECT_EQ(Tab.Pin()->GetTabIcon(), nullptr);
	TickFor(0.01);
	EXPECT_FALSE(Tab.IsValid());
	// The watcher outlives the module object only through this test's reference.
	EXPECT_EQ(Watcher.GetSharedReferenceCount(), 1);
}

TEST_F(ModuleLifecycle, MenusAreAddedWhenToolMenusStartsAndRemovedByOwner)
{
	const TArray<FString> Tools = UE::Host::DescribeMenu(TEXT("LevelEditor.MainMenu.Tools"));
	const FString ToolsEntry = FString::Join(Tools, TEXT("\n"));
	EXPECT_TRUE(ToolsEntry.Contains(TEXT("Vantle Vantle.Open label=\"Vantle\" tooltip=\"Small utilities for your current Unreal project.\" icon=Vantle.Style/Vantle.Icon enabled=true"),
		ESearchCase::CaseSensitive)) << UE::Host::ToUtf8(ToolsEntry);
	const FString Toolbar = FString::Join(UE::Host::DescribeMenu(TEXT("LevelEditor.LevelEditorToolBar.User")), TEXT("\n"));
	EXPECT_TRUE(Toolbar.Contains(TEXT("Vantle Vantle.Open label=\"Vantle\" tooltip=\"Open the dockable Vantle panel\" icon=Vantle.Style/Vantle.Icon enabled=true"),
		ESearchCase::CaseSensitive)) << UE::Host::ToUtf8(Toolbar);

	FString Error;
	ASSERT_TRUE(UE::Host::RunMenuEntry(TEXT("LevelEditor.MainMenu.Tools"), TEXT("Vantle.Open"), Error)) << UE::Host::ToUtf8(Error);
	EXPECT_TRUE(Module().PanelTab.IsValid());
	ASSERT_TRUE(UE::Host::RunMenuEntry(TEXT("LevelEditor.LevelEditorToolBar.User"), TEXT("Vantle.Open"), Error));
	EXPECT_EQ(UE::Host::GetOpenTabIds().Num(), 1);
}

TEST_F(ModuleLifecycle, WithoutTheActionsEntryTheSequencerButtonGoesLastInItsSectionWithAWarning)
{
	auto Names = [] {
		std::vector<std::string> Result;
		for (const FString& Line : UE::Host::DescribeMenu(TEXT("Sequencer.MainToolBar")))
		{
			const std::string Text = UE::Host::ToUtf8(Line);
			Result.push_back(Text.substr(0, Text.find(" label=")));
		}
		return Result;
	};
	// Another extension's entry at the default position, added after the plugin's button.
	UToolMenus::Get()->ExtendMenu(TEXT("Sequencer.MainToolBar"))->FindOrAddSection(TEXT("BaseCommands")).AddEntry(FToolMenuEntry::InitToolBarButton(TEXT("Other"), FUIAction()));
	EXPECT_EQ(Names(), (std::vector<std::string>{"BaseCommands Actions", "BaseCommands Vantle.ReferenceStatus", "BaseCommands Other"}));
	EXPECT_TRUE(Log.Matching("Menu item not found").empty());
	// Frames paint the shown tool bar: every brush of the host's own entries is in its styles, so
	// no style warning comes with them.
	TickFor(0.01);
	TickFor(0.01);
	EXPECT_TRUE(Log.Matching("Unable to find").empty());

	// A Sequencer whose tool bar has no "Actions": the insert's default fallback adds the button at
	// the end of its section anyway and logs that the target was not found.
	UToolMenus::Get()->RemoveEntry(TEXT("Sequencer.MainToolBar"), TEXT("BaseCommands"), TEXT("Actions"));
	EXPECT_EQ(Names(), (std::vector<std::string>{"BaseCommands Other", "BaseCommands Vantle.ReferenceStatus"}));
	EXPECT_EQ(Log.Matching("Menu item not found").at(0), "LogToolMenus: Warning: Menu item not found: 'Actions' for insert: 'Vantle.ReferenceStatus'");
}

TEST_F(ModuleLifecycle, TheSequencerButtonFollowsTheReportAndThePlayWorld)
{
	auto Describe = [] {
		for (const FString& Line : UE::Host::DescribeMenu(TEXT("Sequencer.MainToolBar")))
		{
			if (Line.Contains(TEXT("Vantle.ReferenceStatus")))
			{
				return UE::Host::ToUtf8(Line);
			}
		}
		return std::string();
	};
	// Before the first tick the report is empty: no sequence, so the button is disabled.
	EXPECT_EQ(Describe(), "BaseCommands Vantle.ReferenceStatus label=\"Fix References\" tooltip=\"Open a Level Sequence\\nClick: Fix Actor References. "
						  "Details: Tools > Vantle.\" icon=EditorStyle/Icons.Refresh enabled=false style=SequencerToolbar");
	FString Error;
	EXPECT_FALSE(UE::Host::RunMenuEntry(TEXT("Sequencer.MainToolBar"), TEXT("Vantle.ReferenceStatus"), Error));
	TickFor(0.75);
	EXPECT_NE(Describe().find("icon=EditorStyle/Icons.ErrorWithColor enabled=true"), std::string::npos) << Describe();
	ASSERT_TRUE(UE::Host::SetPlayInEditor(true));
	EXPECT_NE(Describe().find("enabled=false"), std::string::npos);
	ASSERT_TRUE(UE::Host::SetPlayInEditor(false));
	ASSERT_TRUE(UE::Host::RunMenuEntry(TEXT("Sequencer.MainToolBar"), TEXT("Vantle.ReferenceStatus"), Error)) << UE::Host::ToUtf8(Error);
	EXPECT_EQ(Log.Matching("Vantle repair:").size(), 1u);
}

TEST_F(ModuleLifecycle, TheStyleNeedsTheDescriptorButNotTheIconFileAndSaysNothing)
{
	// Without the plugin's descriptor: no icon brush at all.
	UE::Host::UnmountAll();
	Log.Clear();
	EXPECT_EQ(Vantle::CreateStyleSet()->GetOptionalBrush(TEXT("Vantle.Icon"), nullptr, nullptr), nullptr);
	EXPECT_TRUE(Log.Matching("Vantle").empty());

	// A plugin folder without Resources/: the brush still points where the icon belongs (Slate
	// reports an unloadable image when it draws it, not before).
	std::string Template = (std::filesystem::temp_directory_path() / "vantle-style-XXXXXX").string();
	ASSERT_NE(mkdtemp(Template.data()), nullptr);
	const std::filesystem::path Folder(Template);
	std::filesystem::copy_file(std::filesystem::path(VANTLE_SOURCE_DIR) / "Plugins/Vantle/Vantle.uplugin", Folder / "Vantle.uplugin");
	FString Error;
	ASSERT_TRUE(UE::Host::MountPlugin(UE::Host::FromUtf8((Folder / "Vantle.uplugin").string()), Error)) << UE::Host::ToUtf8(Error);
	Log.Clear();
	TSharedRef<FSlateStyleSet> Style = Vantle::CreateStyleSet();
	EXPECT_EQ(Style->GetStyleSetName(), FName(TEXT("Vantle.Style")));
	const FSlateBrush* Icon = Style->GetOptionalBrush(TEXT("Vantle.Icon"), nullptr, nullptr);
	ASSERT_NE(Icon, nullptr);
	EXPECT_EQ(UE::Host::ToUtf8(Icon->GetResourceName().ToString()), (Folder / "Resources" / "Vantle.svg").string());
	EXPECT_TRUE(Log.Matching("Vantle").empty());

	// Put the plugin back for the editor's own shut-down.
	UE::Host::UnmountAll();
	std::filesystem::remove_all(Folder);
	ASSERT_TRUE(UE::Host::MountPlugin(FString(VANTLE_SOURCE_DIR) / TEXT("Plugins/Vantle/Vantle.uplugin"), Error));
}
