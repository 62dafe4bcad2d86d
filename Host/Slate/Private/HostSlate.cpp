// Copyright Vantle contributors. All Rights Reserved.
#include "HostSlate.h"

#include "HostCore.h"

#include "Docking/SDockingTabStack.h"
#include "Framework/Application/SlateApplication.h"
#include "HostSlateAccess.h"
#include "Widgets/Docking/SDockTab.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/SWindow.h"
#include "Widgets/Text/STextBlock.h"

namespace UE::Host
{
	// Reaches the tab manager's protected registry for the probes.
	struct FTabManagerAccess : public FTabManager
	{
		static TMap<FName, TSharedRef<FTabSpawnerEntry>>& NomadSpawners() { return GetNomadTabSpawner(); }
		static const TMap<FTabId, FVector2D>& DefaultSizes() { return DefaultTabWindowSizeMap; }
		static FVector2D DefaultSize(const FTabId& TabId) { return GetDefaultTabWindowSize(TabId); }
	};
}

namespace
{
	FString Quote(const FString& Text)
	{
		return TEXT("\"") + UE::Host::EscapeForProbe(Text) + TEXT("\"");
	}

	bool IsNullWidget(const SWidget& Widget)
	{
		return &Widget == &SNullWidget::NullWidget.Get();
	}

	FString DescribeWidget(const SWidget& Widget)
	{
		FString Line = Widget.GetTypeAsString();
		if (const STextBlock* Text = dynamic_cast<const STextBlock*>(&Widget))
		{
			Line += TEXT(" text=") + Quote(Text->GetText().ToString());
			const FLinearColor Color = UE::Host::ResolveSlateColor(UE::Host::FSlateWidgetAccess::GetColorAndOpacity(*Text), Widget);
			Line += TEXT(" color=#") + Color.ToFColor(true).ToHex();
		}
		else if (const SDockTab* Tab = dynamic_cast<const SDockTab*>(&Widget))
		{
			Line += TEXT(" text=") + Quote(Tab->GetTabLabel().ToString());
		}
		const bool bEnabled = UE::Host::IsWidgetEnabledInHierarchy(Widget);
		if (dynamic_cast<const SButton*>(&Widget) || !bEnabled)
		{
			Line += bEnabled ? TEXT(" enabled=true") : TEXT(" enabled=false");
		}
		if (UE::Host::FWidgetAccess::HasToolTipText(Widget))
		{
			const FString ToolTip = UE::Host::FWidgetAccess::GetToolTipText(Widget).ToString();
			if (!ToolTip.IsEmpty())
			{
				Line += TEXT(" tooltip=") + Quote(ToolTip);
			}
		}
		return Line;
	}

	void DumpRecursive(const TSharedRef<SWidget>& Widget, int32 Depth, TArray<FString>& OutLines)
	{
		if (IsNullWidget(Widget.Get()))
		{
			return;
		}
		FString Indent;
		for (int32 Level = 0; Level < Depth; ++Level)
		{
			Indent += TEXT("  ");
		}
		OutLines.Add(Indent + DescribeWidget(Widget.Get()));
		if (FChildren* Children = Widget->GetChildren())
		{
			for (int32 Index = 0; Index < Children->Num(); ++Index)
			{
				DumpRecursive(Children->GetChildAt(Index), Depth + 1, OutLines);
			}
		}
	}

	// The label of a button: the text of the first text block inside it.
	const STextBlock* FindFirstTextBlock(const TSharedRef<SWidget>& Widget)
	{
		if (const STextBlock* Text = dynamic_cast<const STextBlock*>(&Widget.Get()))
		{
			return Text;
		}
		if (FChildren* Children = Widget->GetChildren())
		{
			for (int32 Index = 0; Index < Children->Num(); ++Index)
			{
				if (const STextBlock* Found = FindFirstTextBlock(Children->GetChildAt(Index)))
				{
					return Found;
				}
			}
		}
		return nullptr;
	}

	bool IsVisibleInHierarchy(const SWidget& Widget)
	{
		if (!Widget.GetVisibility().IsVisible())
		{
			return false;
		}
		for (TSharedPtr<SWidget> Parent = Widget.GetParentWidget(); Parent.IsValid(); Parent = Parent->GetParentWidget())
		{
			if (!Parent->GetVisibility().IsVisible())
			{
				return false;
			}
		}
		return true;
	}

	void CollectButtons(const TSharedRef<SWidget>& Widget, const FString& LabelText, TArray<TSharedRef<SButton>>& OutButtons)
	{
		if (dynamic_cast<SButton*>(&Widget.Get()))
		{
			const STextBlock* Label = FindFirstTextBlock(Widget);
			if (Label && Label->GetText().ToString().Equals(LabelText, ESearchCase::CaseSensitive))
			{
				OutButtons.Add(StaticCastSharedRef<SButton>(Widget));
			}
		}
		if (FChildren* Children = Widget->GetChildren())
		{
			for (int32 Index = 0; Index < Children->Num(); ++Index)
			{
				CollectButtons(Children->GetChildAt(Index), LabelText, OutButtons);
			}
		}
	}

	TSharedPtr<SDockTab> FindOpenTab(const FName TabId)
	{
		for (const TSharedRef<SDockTab>& Tab : UE::Host::GetOpenTabs())
		{
			if (Tab->GetLayoutIdentifier().TabType == TabId)
			{
				return Tab;
			}
		}
		return nullptr;
	}
}

TArray<FString> UE::Host::DumpWidgets(const TSharedRef<SWidget>& Root)
{
	TArray<FString> Lines;
	DumpRecursive(Root, 0, Lines);
	return Lines;
}

TArray<FString> UE::Host::DumpTab(const TSharedRef<SDockTab>& Tab)
{
	// The tab's own line stands for its header; its content follows one level deeper.
	TArray<FString> Lines;
	Lines.Add(DescribeWidget(Tab.Get()));
	DumpRecursive(Tab->GetContent(), 1, Lines);
	return Lines;
}

TArray<FString> UE::Host::DumpWidgets()
{
	TArray<FString> Lines;
	for (const TSharedRef<SDockTab>& Tab : GetOpenTabs())
	{
		Lines.Append(DumpTab(Tab));
	}
	return Lines;
}

TArray<FString> UE::Host::DumpWidgets(const FName TabId)
{
	const TSharedPtr<SDockTab> Tab = FindOpenTab(TabId);
	return Tab.IsValid() ? DumpTab(Tab.ToSharedRef()) : TArray<FString>();
}

UE::Host::EClickResult UE::Host::ClickButton(const FString& LabelText)
{
	TArray<TSharedRef<SButton>> Matches;
	for (const TSharedRef<SDockTab>& Tab : GetOpenTabs())
	{
		CollectButtons(Tab->GetContent(), LabelText, Matches);
	}
	bool bAnyDisabled = false;
	for (const TSharedRef<SButton>& Button : Matches)
	{
		if (!IsVisibleInHierarchy(Button.Get()))
		{
			continue;
		}
		if (!IsWidgetEnabledInHierarchy(Button.Get()))
		{
			bAnyDisabled = true;
			continue;
		}
		Button->SimulateClick();
		return EClickResult::Clicked;
	}
	return bAnyDisabled ? EClickResult::Disabled : EClickResult::NotFound;
}

const TCHAR* UE::Host::LexToString(EClickResult Result)
{
	switch (Result)
	{
	case EClickResult::Clicked:
		return TEXT("Clicked");
	case EClickResult::Disabled:
		return TEXT("Disabled");
	default:
		return TEXT("NotFound");
	}
}

bool UE::Host::CloseTab(const FName TabId)
{
	const TSharedPtr<SDockTab> Tab = FindOpenTab(TabId);
	return Tab.IsValid() && Tab->RequestCloseTab();
}

bool UE::Host::ResizeTab(const FName TabId, const FVector2D& ClientSize)
{
	const TSharedPtr<SDockTab> Tab = FindOpenTab(TabId);
	const TSharedPtr<SWindow> Window = Tab.IsValid() ? Tab->GetParentWindow() : nullptr;
	const auto InRange = [](double Side) { return Side >= 1.0 && Side <= MaxResizeSide; };
	if (!Window.IsValid() || !InRange(ClientSize.X) || !InRange(ClientSize.Y))
	{
		return false;
	}
	Window->Resize(ClientSize);
	return true;
}

TArray<TSharedRef<SDockTab>> UE::Host::GetOpenTabs()
{
	TArray<TSharedRef<SDockTab>> Tabs;
	if (!FSlateApplication::IsInitialized())
	{
		return Tabs;
	}
	for (const TSharedRef<SWindow>& Window : FSlateApplication::Get().GetTopLevelWindows())
	{
		FChildren* Children = Window->GetChildren();
		for (int32 Index = 0; Index < Children->Num(); ++Index)
		{
			const SDockingTabStack* Stack = dynamic_cast<const SDockingTabStack*>(&Children->GetChildAt(Index).Get());
			if (Stack && !FSlateWidgetAccess::IsClosed(Stack->GetTab().Get()))
			{
				Tabs.Add(Stack->GetTab());
			}
		}
	}
	return Tabs;
}

TArray<FName> UE::Host::GetOpenTabIds()
{
	TArray<FName> Ids;
	for (const TSharedRef<SDockTab>& Tab : GetOpenTabs())
	{
		Ids.Add(Tab->GetLayoutIdentifier().TabType);
	}
	return Ids;
}

TArray<FName> UE::Host::GetNomadTabSpawnerNames()
{
	TArray<FName> Names;
	FTabManagerAccess::NomadSpawners().GenerateKeyArray(Names);
	return Names;
}

const FTabSpawnerEntry* UE::Host::FindNomadTabSpawner(const FName TabId)
{
	const TSharedRef<FTabSpawnerEntry>* Entry = FTabManagerAccess::NomadSpawners().Find(TabId);
	return Entry ? &Entry->Get() : nullptr;
}

TArray<UE::Host::FDefaultTabWindowSizeEntry> UE::Host::GetDefaultTabWindowSizes()
{
	TArray<FDefaultTabWindowSizeEntry> Entries;
	for (const auto& Pair : FTabManagerAccess::DefaultSizes())
	{
		Entries.Add(FDefaultTabWindowSizeEntry{Pair.Key, Pair.Value});
	}
	return Entries;
}

FVector2D UE::Host::GetDefaultTabWindowSize(const FTabId& TabId)
{
	return FTabManagerAccess::DefaultSize(TabId);
}

TArray<UE::Host::FArrangedWidgetRecord> UE::Host::ArrangeTab(const FName TabId)
{
	const TSharedPtr<SDockTab> Tab = FindOpenTab(TabId);
	if (!Tab.IsValid())
	{
		return TArray<FArrangedWidgetRecord>();
	}
	const TSharedPtr<SWindow> Window = Tab->GetParentWindow();
	return Window.IsValid() ? ArrangeWindow(Window.ToSharedRef()) : TArray<FArrangedWidgetRecord>();
}

TArray<UE::Host::FArrangedWidgetRecord> UE::Host::ArrangeWindow(const TSharedRef<SWindow>& Window)
{
	return ArrangeWidgetTree(Window, Window->GetClientSizeInScreen());
}
