// Copyright 2026 Vantle contributors. All Rights Reserved.
#pragma once

#include "BindingReport.h"
#include "Containers/Ticker.h"
#include "CoreMinimal.h"
#include "Modules/ModuleInterface.h"

class FAutoConsoleCommand;
class FMcpLogWatcher;
class FReply;
struct FSlateColor;
struct FSlateIcon;
class FSlateStyleSet;
class FSpawnTabArgs;
class SDockTab;

class FVantleModule : public IModuleInterface
{
public:
	FVantleModule();
	virtual ~FVantleModule() override;

	virtual void StartupModule() override;
	virtual void ShutdownModule() override;

	void OpenPanel();
	bool TickModule(float DeltaTime);
	void RefreshReport();
	TSharedRef<SDockTab> SpawnPanelTab(const FSpawnTabArgs& Args);
	void RegisterMenus();
	void CaptureWindow(const TArray<FString>& Args);

	// Repair and recheck.
	bool CanFixReferences() const;
	FReply FixReferences();
	FReply CheckAgain();

	// Reference status texts, polled by the panel and the Sequencer toolbar.
	FText GetStatusTitle() const;
	FText GetStatusTooltip() const;
	FSlateIcon GetStatusIcon() const;
	FSlateColor GetStatusColor() const;
	FText GetSequenceLabel() const;
	FText GetContextLabel() const;
	FString GetCheckedCountText() const;
	FString GetMissingCountText() const;
	FString GetUncertainCountText() const;
	// Built from the report; the panel shows the text made once per refresh, since Slate asks every frame.
	FString GetBindingDetails() const;
	FText GetBindingDetailsText() const { return BindingDetailsText; }

	// MCP status presentation.
	FText GetMcpButtonLabel() const;
	bool IsMcpButtonEnabled() const;
	FReply OnMcpButtonClicked();
	FText GetMcpStatusText() const;
	FSlateColor GetMcpStatusColor() const;

	// Owned by the module alone. Tool bar buttons hold their delegates weakly to it: a built tool bar
	// keeps its buttons until the editor rebuilds its menus on the next tick, after the module is gone.
	struct FLifetime
	{
	};
	TSharedPtr<FLifetime> Lifetime;

	FBindingReport Report;
	FText BindingDetailsText;
	TWeakPtr<SDockTab> PanelTab;
	FTSTicker::FDelegateHandle TickerHandle;
	TUniquePtr<FAutoConsoleCommand> OpenCommand;
	TUniquePtr<FAutoConsoleCommand> CaptureCommand;
	TUniquePtr<FAutoConsoleCommand> FixReferencesCommand;
	TUniquePtr<FAutoConsoleCommand> StartMcpCommand;
	TSharedPtr<FSlateStyleSet> StyleSet;
	TSharedPtr<FMcpLogWatcher> McpWatcher;
	FString StatusMessage;
};
