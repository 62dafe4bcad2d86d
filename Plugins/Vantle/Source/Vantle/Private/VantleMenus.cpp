// Copyright 2026 Vantle contributors. All Rights Reserved.
#include "Framework/Commands/UIAction.h"
#include "Input/Reply.h"
#include "Misc/Attribute.h"
#include "Styling/SlateStyle.h"
#include "Textures/SlateIcon.h"
#include "ToolMenu.h"
#include "ToolMenuDelegates.h"
#include "ToolMenuEntry.h"
#include "ToolMenuMisc.h"
#include "ToolMenuOwner.h"
#include "ToolMenus.h"
#include "ToolMenuSection.h"
#include "VantleModule.h"

void FVantleModule::RegisterMenus()
{
	// Everything registered in this scope belongs to the module and leaves with it.
	FToolMenuOwnerScoped OwnerScope(this);
	UToolMenus* ToolMenus = UToolMenus::Get();
	const FSlateIcon VantleIcon(StyleSet->GetStyleSetName(), TEXT("Vantle.Icon"));
	const TSharedRef<FLifetime> Alive = Lifetime.ToSharedRef();
	// A built menu or tool bar keeps its entries until the editor rebuilds it, which may be after the
	// module is gone; an unbound can-execute counts as enabled, so each entry asks the lifetime itself.
	const TWeakPtr<FLifetime> WeakAlive(Alive);
	const FUIAction OpenAction(FExecuteAction::CreateSPLambda(Alive, [this]() { OpenPanel(); }),
		FCanExecuteAction::CreateLambda([WeakAlive]() { return WeakAlive.IsValid(); }));

	UToolMenu* ToolsMenu = ToolMenus->ExtendMenu(TEXT("LevelEditor.MainMenu.Tools"));
	FToolMenuSection& ToolsSection = ToolsMenu->AddSection(TEXT("Vantle"), FText::FromString(TEXT("Vantle")));
	ToolsSection.AddMenuEntry(TEXT("Vantle.Open"), FText::FromString(TEXT("Vantle")),
		FText::FromString(TEXT("Small utilities for your current Unreal project.")), VantleIcon, OpenAction);

	UToolMenu* LevelToolbar = ToolMenus->ExtendMenu(TEXT("LevelEditor.LevelEditorToolBar.User"));
	FToolMenuSection& LevelSection = LevelToolbar->AddSection(TEXT("Vantle"));
	LevelSection.AddEntry(FToolMenuEntry::InitToolBarButton(TEXT("Vantle.Open"), OpenAction, FText::FromString(TEXT("Vantle")),
		FText::FromString(TEXT("Open the dockable Vantle panel")), VantleIcon));

	UToolMenu* SequencerToolbar = ToolMenus->ExtendMenu(TEXT("Sequencer.MainToolBar"));
	FToolMenuEntry ReferenceStatus = FToolMenuEntry::InitToolBarButton(TEXT("Vantle.ReferenceStatus"),
		FUIAction(FExecuteAction::CreateSPLambda(Alive, [this]() { FixReferences(); }),
			FCanExecuteAction::CreateLambda([WeakAlive, this]() { return WeakAlive.IsValid() && CanFixReferences(); })),
		FText::FromString(TEXT("Fix References")),
		TAttribute<FText>::Create(TAttribute<FText>::FGetter::CreateSPLambda(Alive, [this]() { return GetStatusTooltip(); })),
		TAttribute<FSlateIcon>::Create(TAttribute<FSlateIcon>::FGetter::CreateSPLambda(Alive, [this]() { return GetStatusIcon(); })));
	ReferenceStatus.StyleNameOverride = TEXT("SequencerToolbar");
	ReferenceStatus.InsertPosition = FToolMenuInsert(TEXT("Actions"), EToolMenuInsertType::After);
	SequencerToolbar->FindOrAddSection(TEXT("BaseCommands")).AddEntry(ReferenceStatus);
}
