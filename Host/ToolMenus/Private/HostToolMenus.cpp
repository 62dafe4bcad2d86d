// Copyright Vantle contributors. All Rights Reserved.
#include "HostToolMenus.h"

#include "HostCore.h"
#include "HostSlate.h"
#include "HostSlateCore.h"

#include "Brushes/SlateColorBrush.h"
#include "Modules/ModuleManager.h"
#include "Styling/AppStyle.h"
#include "Styling/CoreStyle.h"
#include "ToolMenus.h"
#include "ToolMenusInternal.h"
#include "Widgets/Images/SImage.h"
#include "Widgets/Layout/SBorder.h"
#include "Widgets/Layout/SBox.h"
#include "Widgets/SBoxPanel.h"
#include "Widgets/Text/STextBlock.h"

namespace
{
	FString Escape(const FString& Text)
	{
		return UE::Host::EscapeForProbe(Text);
	}

	bool CanExecute(const FToolMenuEntry& Entry)
	{
		const FUIAction* Action = FToolMenusHostAccess::GetAction(Entry);
		return !Action || Action->CanExecute();
	}

	FString DescribeIcon(const TAttribute<FSlateIcon>& Icon)
	{
		if (!Icon.IsSet())
		{
			return TEXT("-");
		}
		const FSlateIcon& Value = Icon.Get();
		if (!Value.IsSet())
		{
			return TEXT("-");
		}
		return Value.GetStyleSetName().ToString() + TEXT("/") + Value.GetStyleName().ToString();
	}

	// The level editor's menus as the editor registers them at start-up, reduced to the sections
	// and entries extensions anchor on.
	void RegisterEditorMenus(UToolMenus& ToolMenus)
	{
		UToolMenu* MainTools = ToolMenus.RegisterMenu(TEXT("MainFrame.MainMenu.Tools"));
		MainTools->AddSection(TEXT("Programming"), FText::FromString(TEXT("Programming")));
		MainTools->AddSection(TEXT("Instrumentation"), FText::FromString(TEXT("Instrumentation")));

		UToolMenu* LevelTools = ToolMenus.RegisterMenu(TEXT("LevelEditor.MainMenu.Tools"), TEXT("MainFrame.MainMenu.Tools"));
		LevelTools->AddSection(TEXT("Tools"), FText::FromString(TEXT("Tools")));

		ToolMenus.RegisterMenu(TEXT("LevelEditor.LevelEditorToolBar.User"));

		UToolMenu* Sequencer = ToolMenus.RegisterMenu(TEXT("Sequencer.MainToolBar"));
		FToolMenuEntry Actions = FToolMenuEntry::InitToolBarButton(TEXT("Actions"), FUIAction(), FText::FromString(TEXT("Actions")),
			FText::FromString(TEXT("Sequence actions")), FSlateIcon(FAppStyle::GetAppStyleSetName(), TEXT("Icons.Toolbar.Settings")));
		Actions.StyleNameOverride = TEXT("SequencerToolbar");
		Sequencer->AddSection(TEXT("BaseCommands")).AddEntry(Actions);
		Sequencer->AddSection(TEXT("CurveEditor"));
	}

	bool IsRegisteredAsToolBar(const FString& MenuName)
	{
		return MenuName == TEXT("LevelEditor.LevelEditorToolBar.User") || MenuName == TEXT("Sequencer.MainToolBar");
	}

	// One entry as a button shows it: icon, then label. An icon the style lacks leaves its place empty.
	TSharedRef<SWidget> MakeEntryWidget(const FToolMenuEntry& Entry, bool bToolBar)
	{
		const FSlateIcon Icon = Entry.Icon.Get();
		const FSlateBrush* Brush = Icon.IsSet() ? Icon.GetOptionalIcon() : nullptr;
		const float IconSide = bToolBar ? 20.0f : 16.0f;
		TSharedRef<SWidget> Widget = SNew(SBox)
			.Padding(bToolBar ? FMargin(8.0f, 6.0f) : FMargin(12.0f, 5.0f))
			[
				SNew(SHorizontalBox)
				+ SHorizontalBox::Slot().AutoWidth().VAlign(VAlign_Center)
				[
					SNew(SBox).WidthOverride(IconSide).HeightOverride(IconSide)
					[
						Brush ? StaticCastSharedRef<SWidget>(SNew(SImage).Image(Brush)) : StaticCastSharedRef<SWidget>(SNew(SBox))
					]
				]
				+ SHorizontalBox::Slot().AutoWidth().VAlign(VAlign_Center).Padding(FMargin(8.0f, 0.0f, 0.0f, 0.0f))
				[
					SNew(STextBlock).Text(Entry.Label.Get()).Font(FCoreStyle::GetDefaultFontStyle(TEXT("Regular"), 10.0f))
				]
			];
		Widget->SetEnabled(CanExecute(Entry));
		return Widget;
	}

	struct FShownToolBar
	{
		TArray<FGeneratedToolMenuSection> Sections;
		bool bBuilt = false;
	};

	TMap<FName, FShownToolBar>& GetShownToolBars()
	{
		static TMap<FName, FShownToolBar>* ShownToolBars = new TMap<FName, FShownToolBar>();
		return *ShownToolBars;
	}

	TMap<FString, long long>& GetToolBarGetterCallCounts()
	{
		static TMap<FString, long long>* Counts = new TMap<FString, long long>();
		return *Counts;
	}

	FString GetToolBarEntryKey(const FName MenuName, const FName EntryName)
	{
		return MenuName.ToString() + TEXT(" ") + EntryName.ToString();
	}

	FDelegateHandle GToolBarFrameHandle;

	struct FPaintedEntry
	{
		uint64 Frame = 0;
		bool bEnabled = false;
	};
	uint64 GToolBarFrame = 0;

	TMap<FString, FPaintedEntry>& GetPaintedEntries()
	{
		static TMap<FString, FPaintedEntry>* Painted = new TMap<FString, FPaintedEntry>();
		return *Painted;
	}

	bool BuildToolBar(const FName MenuName, FShownToolBar& ToolBar)
	{
		ToolBar.Sections.Reset();
		UToolMenus* ToolMenus = UToolMenus::TryGet();
		ToolBar.bBuilt = ToolMenus && FToolMenusHostAccess::GenerateMenu(*ToolMenus, MenuName, ToolBar.Sections);
		return ToolBar.bBuilt;
	}

	// What a shown tool bar button reads while it is painted (and its tool tip, which a hover may ask for).
	void EvaluateEntry(const FName MenuName, const FToolMenuEntry& Entry)
	{
		long long& Calls = GetToolBarGetterCallCounts().FindOrAdd(GetToolBarEntryKey(MenuName, Entry.Name));
		const UE::Host::FScopedGetterCallSink Counting(&Calls);
		Entry.Label.Get();
		Entry.ToolTip.Get();
		const FSlateIcon Icon = Entry.Icon.Get();
		if (Icon.IsSet())
		{
			Icon.GetIcon();
		}
		bool bEnabled = true;
		if (const FUIAction* Action = FToolMenusHostAccess::GetAction(Entry))
		{
			Calls += (Action->CanExecuteAction.IsBound() ? 1 : 0) + (Action->IsActionVisibleDelegate.IsBound() ? 1 : 0);
			Action->IsActionVisible();
			bEnabled = Action->CanExecute();
		}
		GetPaintedEntries().Add(GetToolBarEntryKey(MenuName, Entry.Name), FPaintedEntry{GToolBarFrame, bEnabled});
	}

	void EvaluateShownToolBars()
	{
		++GToolBarFrame;
		TArray<FName> Names;
		GetShownToolBars().GenerateKeyArray(Names);
		for (const FName& Name : Names)
		{
			FShownToolBar* ToolBar = GetShownToolBars().Find(Name);
			if (!ToolBar || (!ToolBar->bBuilt && !BuildToolBar(Name, *ToolBar)))
			{
				continue;
			}
			// A copy: a getter may hide or rebuild tool bars while it is read.
			const TArray<FGeneratedToolMenuSection> Sections = ToolBar->Sections;
			for (const FGeneratedToolMenuSection& Section : Sections)
			{
				for (const FToolMenuEntry& Entry : Section.Blocks)
				{
					EvaluateEntry(Name, Entry);
				}
			}
			// Menu changes of this frame show from the next frame on.
			if (FShownToolBar* Still = GetShownToolBars().Find(Name))
			{
				BuildToolBar(Name, *Still);
			}
		}
	}
}

namespace UE::Host
{
	void InitToolMenus()
	{
		FModuleManager::Get().LoadModule(TEXT("ToolMenus"));
		if (UToolMenus* ToolMenus = UToolMenus::TryGet())
		{
			RegisterEditorMenus(*ToolMenus);
		}
		if (!GToolBarFrameHandle.IsValid())
		{
			GToolBarFrameHandle = OnSlateFrame().AddLambda([]() { EvaluateShownToolBars(); });
		}
	}

	void ShowToolBar(const FName MenuName)
	{
		GetShownToolBars().FindOrAdd(MenuName);
	}

	void HideToolBar(const FName MenuName)
	{
		GetShownToolBars().Remove(MenuName);
	}

	bool IsToolBarShown(const FName MenuName)
	{
		return GetShownToolBars().Contains(MenuName);
	}

	long long GetToolBarGetterCalls(const FName MenuName, const FName EntryName)
	{
		const long long* Calls = GetToolBarGetterCallCounts().Find(GetToolBarEntryKey(MenuName, EntryName));
		return Calls ? *Calls : 0;
	}

	bool GetToolBarEntryPainted(const FName MenuName, const FName EntryName, bool& bOutEnabled)
	{
		const FPaintedEntry* Painted = GetPaintedEntries().Find(GetToolBarEntryKey(MenuName, EntryName));
		if (!Painted || Painted->Frame != GToolBarFrame)
		{
			return false;
		}
		bOutEnabled = Painted->bEnabled;
		return true;
	}

	void RunToolMenusStartupCallbacks()
	{
		FToolMenusHostAccess::RunStartupCallbacks();
	}

	void ShutdownToolMenus()
	{
		// The tool bars go with the windows that showed them.
		GetShownToolBars().Reset();
		GetToolBarGetterCallCounts().Reset();
		GetPaintedEntries().Reset();
		OnSlateFrame().Remove(GToolBarFrameHandle);
		GToolBarFrameHandle.Reset();
		FModuleManager::Get().UnloadModule(TEXT("ToolMenus"));
		FToolMenusHostAccess::ResetStartupCallbacks();
	}

	TArray<FString> DescribeMenu(const FString& MenuName)
	{
		TArray<FString> Lines;
		UToolMenus* ToolMenus = UToolMenus::TryGet();
		TArray<FGeneratedToolMenuSection> Sections;
		if (!ToolMenus || !FToolMenusHostAccess::GenerateMenu(*ToolMenus, FName(MenuName), Sections))
		{
			return Lines;
		}
		for (const FGeneratedToolMenuSection& Section : Sections)
		{
			for (const FToolMenuEntry& Entry : Section.Blocks)
			{
				Lines.Add(FString::Printf(TEXT("%s %s label=\"%s\" tooltip=\"%s\" icon=%s enabled=%s style=%s"), *Section.Name.ToString(),
					*Entry.Name.ToString(), *Escape(Entry.Label.Get().ToString()), *Escape(Entry.ToolTip.Get().ToString()), *DescribeIcon(Entry.Icon),
					CanExecute(Entry) ? TEXT("true") : TEXT("false"),
					Entry.StyleNameOverride.IsNone() ? TEXT("-") : *Entry.StyleNameOverride.ToString()));
			}
		}
		return Lines;
	}

	TSharedPtr<SWidget> BuildMenuWidget(const FString& MenuName)
	{
		UToolMenus* ToolMenus = UToolMenus::TryGet();
		TArray<FGeneratedToolMenuSection> Sections;
		if (!ToolMenus || !FToolMenusHostAccess::GenerateMenu(*ToolMenus, FName(MenuName), Sections))
		{
			return nullptr;
		}
		const bool bToolBar = IsRegisteredAsToolBar(MenuName);
		static const FSlateColorBrush ToolBarBrush(FLinearColor(FColor(0x24, 0x24, 0x24)));
		static const FSlateColorBrush MenuBrush(FLinearColor(FColor(0x1F, 0x1F, 0x1F)));
		SHorizontalBox::FArguments Row;
		SVerticalBox::FArguments Column;
		for (const FGeneratedToolMenuSection& Section : Sections)
		{
			if (Section.Blocks.IsEmpty())
			{
				continue;
			}
			const FString Heading = Section.Label.Get().ToString();
			if (!bToolBar && !Heading.IsEmpty())
			{
				Column + SVerticalBox::Slot().AutoHeight().Padding(FMargin(12.0f, 8.0f, 12.0f, 2.0f))
				[
					SNew(STextBlock)
						.Text(FText::FromString(Heading.ToUpper()))
						.Font(FCoreStyle::GetDefaultFontStyle(TEXT("Bold"), 8.0f))
						.ColorAndOpacity(FSlateColor(FLinearColor(FColor(0x80, 0x80, 0x80))))
				];
			}
			for (const FToolMenuEntry& Entry : Section.Blocks)
			{
				if (bToolBar)
				{
					Row + SHorizontalBox::Slot().AutoWidth()[MakeEntryWidget(Entry, true)];
				}
				else
				{
					Column + SVerticalBox::Slot().AutoHeight()[MakeEntryWidget(Entry, false)];
				}
			}
		}
		TSharedRef<SWidget> Content = bToolBar
			? StaticCastSharedRef<SWidget>(MakeTDecl<SHorizontalBox>("SHorizontalBox", __FILE__, __LINE__, RequiredArgs::MakeRequiredArgs()) <<= Row)
			: StaticCastSharedRef<SWidget>(MakeTDecl<SVerticalBox>("SVerticalBox", __FILE__, __LINE__, RequiredArgs::MakeRequiredArgs()) <<= Column);
		// Wide enough to be read at full size on a page.
		return SNew(SBorder)
			.BorderImage(bToolBar ? &ToolBarBrush : &MenuBrush)
			.Padding(FMargin(4.0f))
			[
				SNew(SBox).MinDesiredWidth(420.0f)[Content]
			];
	}

	bool RunMenuEntry(const FString& MenuName, const FString& EntryName, FString& OutError)
	{
		OutError.Reset();
		UToolMenus* ToolMenus = UToolMenus::TryGet();
		TArray<FGeneratedToolMenuSection> Sections;
		if (!ToolMenus || !FToolMenusHostAccess::GenerateMenu(*ToolMenus, FName(MenuName), Sections))
		{
			OutError = FString::Printf(TEXT("Menu %s is not registered"), *MenuName);
			return false;
		}
		const FName Name(EntryName);
		for (const FGeneratedToolMenuSection& Section : Sections)
		{
			for (const FToolMenuEntry& Entry : Section.Blocks)
			{
				if (Entry.Name != Name)
				{
					continue;
				}
				const FUIAction* Action = FToolMenusHostAccess::GetAction(Entry);
				if (!Action || !Action->ExecuteAction.IsBound())
				{
					OutError = FString::Printf(TEXT("Entry %s of menu %s has no action to run"), *EntryName, *MenuName);
					return false;
				}
				if (!Action->CanExecute())
				{
					OutError = FString::Printf(TEXT("Entry %s of menu %s is disabled"), *EntryName, *MenuName);
					return false;
				}
				Action->ExecuteAction.Execute();
				return true;
			}
		}
		OutError = FString::Printf(TEXT("Menu %s has no entry %s"), *MenuName, *EntryName);
		return false;
	}

	TArray<FString> GetToolMenuEntriesOfOwner(const FToolMenuOwner& Owner)
	{
		TArray<FString> Result;
		UToolMenus* ToolMenus = UToolMenus::TryGet();
		if (!ToolMenus || !Owner.IsSet())
		{
			return Result;
		}
		for (const UToolMenu* Menu : FToolMenusHostAccess::GetMenus(*ToolMenus))
		{
			for (const FToolMenuSection& Section : Menu->Sections)
			{
				for (const FToolMenuEntry& Entry : Section.Blocks)
				{
					if (Entry.Owner == Owner)
					{
						Result.Add(Menu->MenuName.ToString() + TEXT(" ") + Section.Name.ToString() + TEXT(" ") + Entry.Name.ToString());
					}
				}
			}
		}
		return Result;
	}

	int32 GetPendingToolMenusStartupCallbackCount()
	{
		return FToolMenusHostAccess::GetPendingStartupCallbackCount();
	}
}
