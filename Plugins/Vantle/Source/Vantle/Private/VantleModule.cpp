// Copyright 2026 Vantle contributors. All Rights Reserved.
#include "VantleModule.h"

#include "Delegates/IDelegateInstance.h"
#include "Framework/Docking/TabManager.h"
#include "HAL/IConsoleManager.h"
#include "Input/Reply.h"
#include "McpLogWatcher.h"
#include "Misc/CommandLine.h"
#include "Misc/Parse.h"
#include "Modules/ModuleManager.h"
#include "Styling/SlateStyle.h"
#include "Styling/SlateStyleRegistry.h"
#include "Textures/SlateIcon.h"
#include "ToolMenuOwner.h"
#include "ToolMenus.h"
#include "VantleStyle.h"
#include "Widgets/Docking/SDockTab.h"
#include "Widgets/SNullWidget.h"

namespace
{
	const FName PanelTabId(TEXT("Vantle.Panel"));
	constexpr int32 DefaultMcpPort = 8000;

	// Atoi's reading of the value (leading blanks, a sign, digits; anything else is 0), but an
	// out-of-range number saturates instead of wrapping around into another valid port.
	int64 ParsePortValue(const FString& Text)
	{
		int32 Index = 0;
		while (Index < Text.Len() && (Text[Index] == TEXT(' ') || Text[Index] == TEXT('\t')))
		{
			++Index;
		}
		bool bNegative = false;
		if (Index < Text.Len() && (Text[Index] == TEXT('+') || Text[Index] == TEXT('-')))
		{
			bNegative = Text[Index] == TEXT('-');
			++Index;
		}
		int64 Value = 0;
		for (; Index < Text.Len() && Text[Index] >= TEXT('0') && Text[Index] <= TEXT('9'); ++Index)
		{
			Value = Value * 10 + (Text[Index] - TEXT('0'));
			if (Value > 65535)
			{
				Value = 65536;
				break;
			}
		}
		return bNegative ? -Value : Value;
	}

	int32 ReadMcpPort()
	{
		int64 Port = DefaultMcpPort;
		FString Value;
		if (FParse::Value(FCommandLine::Get(), TEXT("VantleMCPPort="), Value))
		{
			Port = ParsePortValue(Value);
		}
		return static_cast<int32>(Port > 65535 ? 65535 : (Port < 1 ? 1 : Port));
	}
}

FVantleModule::FVantleModule()
	: StatusMessage(TEXT("Changes are applied only when you click. Save the sequence afterwards."))
{
	BindingDetailsText = FText::FromString(GetBindingDetails());
}

FVantleModule::~FVantleModule() = default;

void FVantleModule::StartupModule()
{
	Lifetime = MakeShared<FLifetime>();
	StyleSet = Vantle::CreateStyleSet();
	FSlateStyleRegistry::RegisterSlateStyle(*StyleSet);

	McpWatcher = MakeShared<FMcpLogWatcher>(ReadMcpPort());
	McpWatcher->Register();

	FTabManager::RegisterDefaultTabWindowSize(FTabId(PanelTabId), FVector2D(560.0, 480.0));
	FGlobalTabmanager::Get()
		->RegisterNomadTabSpawner(PanelTabId, FOnSpawnTab::CreateRaw(this, &FVantleModule::SpawnPanelTab))
		.SetDisplayName(FText::FromString(TEXT("Vantle")))
		.SetIcon(FSlateIcon(StyleSet->GetStyleSetName(), TEXT("Vantle.Icon")));

	UToolMenus::RegisterStartupCallback(FSimpleMulticastDelegate::FDelegate::CreateRaw(this, &FVantleModule::RegisterMenus));

	TickerHandle = FTSTicker::GetCoreTicker().AddTicker(FTickerDelegate::CreateRaw(this, &FVantleModule::TickModule), 0.75f);

	OpenCommand = MakeUnique<FAutoConsoleCommand>(TEXT("Vantle.Open"), TEXT("Open Vantle."),
		FConsoleCommandDelegate::CreateRaw(this, &FVantleModule::OpenPanel), ECVF_Default);
	FixReferencesCommand = MakeUnique<FAutoConsoleCommand>(TEXT("Vantle.FixReferences"), TEXT("Repair references of the focused sequence; does not save."),
		FConsoleCommandDelegate::CreateLambda([this]() { FixReferences(); }), ECVF_Default);
	CaptureCommand = MakeUnique<FAutoConsoleCommand>(TEXT("Vantle.Capture"), TEXT("Development: capture the Vantle window to a PNG path."),
		FConsoleCommandWithArgsDelegate::CreateRaw(this, &FVantleModule::CaptureWindow), ECVF_Default);
	StartMcpCommand = MakeUnique<FAutoConsoleCommand>(TEXT("Vantle.StartMCP"), TEXT("Start MCP and verify the local listener and protocol response."),
		FConsoleCommandDelegate::CreateLambda([this]() { McpWatcher->RequestStart(); }), ECVF_Default);
}

void FVantleModule::ShutdownModule()
{
	Lifetime.Reset();
	FTSTicker::RemoveTicker(TickerHandle);
	TickerHandle.Reset();

	UToolMenus::UnRegisterStartupCallback(this);
	if (FModuleManager::Get().IsModuleLoaded(TEXT("ToolMenus")) && UToolMenus::Get())
	{
		UToolMenus::UnregisterOwner(this);
	}

	OpenCommand.Reset();
	CaptureCommand.Reset();
	FixReferencesCommand.Reset();
	StartMcpCommand.Reset();

	McpWatcher->Shutdown();

	if (TSharedPtr<SDockTab> Tab = PanelTab.Pin())
	{
		// A closed tab's window lives on until the next frame, and the panel's widgets read this module
		// and its style set, as does the tab's icon, the brush it was spawned with: they go now, the
		// empty tab goes with its window.
		Tab->SetContent(SNullWidget::NullWidget);
		Tab->SetTabIcon(nullptr);
		Tab->RequestCloseTab();
	}

	FGlobalTabmanager::Get()->UnregisterNomadTabSpawner(PanelTabId);
	FTabManager::UnregisterDefaultTabWindowSize(FTabId(PanelTabId));

	FSlateStyleRegistry::UnRegisterSlateStyle(*StyleSet);
	StyleSet.Reset();
}

void FVantleModule::OpenPanel()
{
	FGlobalTabmanager::Get()->TryInvokeTab(FTabId(PanelTabId), false);
}

bool FVantleModule::TickModule(float DeltaTime)
{
	RefreshReport();
	const bool bPanelOpen = PanelTab.IsValid();
	if (bPanelOpen || McpWatcher->State == static_cast<int32>(EMcpState::Checking))
	{
		McpWatcher->Tick();
	}
	return true;
}

void FVantleModule::RefreshReport()
{
	Report = CheckFocusedSequence();
	BindingDetailsText = FText::FromString(GetBindingDetails());
}

IMPLEMENT_MODULE(FVantleModule, Vantle)
