// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Framework/Docking/TabManager.h"
#include "Internationalization/Text.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/Layout/SBorder.h"

class SWindow;

namespace UE::Host
{
	struct FSlateWidgetAccess;
}

enum ETabRole : uint8
{
	MajorTab,
	PanelTab,
	NomadTab,
	DocumentTab,
	NumRoles,
};

// A dockable tab. The widget itself is the tab's header in its tab well (icon and label); the
// content it was given is shown in the area below the well. The window that holds the tab owns
// it; others should keep weak pointers.
class SDockTab : public SBorder
{
public:
	DECLARE_DELEGATE_OneParam(FOnTabClosedCallback, TSharedRef<SDockTab>);
	DECLARE_DELEGATE_RetVal(bool, FCanCloseTab);

	SLATE_BEGIN_ARGS(SDockTab) : _ContentPadding(FMargin(0.0f)), _TabRole(ETabRole::PanelTab) {}
	SLATE_DEFAULT_SLOT(FArguments, Content)
	SLATE_ATTRIBUTE(FMargin, ContentPadding)
	SLATE_ARGUMENT(ETabRole, TabRole)
	SLATE_ATTRIBUTE(FText, Label)
	SLATE_EVENT(FOnTabClosedCallback, OnTabClosed)
	SLATE_EVENT(FCanCloseTab, OnCanCloseTab)
	SLATE_END_ARGS()

	SDockTab();
	void Construct(const FArguments& InArgs);

	// The widget given as the tab's content.
	TSharedRef<SWidget> GetContent() { return Content; }
	virtual void SetContent(TSharedRef<SWidget> InContent) override;
	FMargin GetContentPadding() const { return ContentPadding.Get(); }

	// Closes the tab (and the window it floats in) unless OnCanCloseTab refuses or it is closed already; true when it closed now.
	bool RequestCloseTab();
	bool CanCloseTab() const { return !OnCanCloseTab.IsBound() || OnCanCloseTab.Execute(); }

	ETabRole GetTabRole() const { return TabRole; }
	// The window showing the tab, or null.
	TSharedPtr<SWindow> GetParentWindow() const;
	void SetTabManager(const TSharedPtr<FTabManager>& InTabManager) { MyTabManager = InTabManager; }
	const FTabId GetLayoutIdentifier() const { return LayoutIdentifier; }
	void SetLayoutIdentifier(const FTabId& TabId) { LayoutIdentifier = TabId; }

	void SetLabel(const TAttribute<FText>& InTabLabel) { TabLabel = InTabLabel; }
	FText GetTabLabel() const { return TabLabel.Get(); }
	void SetTabIcon(const TAttribute<const FSlateBrush*> InTabIcon) { TabIcon = InTabIcon; }
	const FSlateBrush* GetTabIcon() const { return TabIcon.Get(); }
	void SetOnTabClosed(const FOnTabClosedCallback& InDelegate) { OnTabClosed = InDelegate; }
	void SetCanCloseTab(const FCanCloseTab& InDelegate) { OnCanCloseTab = InDelegate; }

	// Whether the tab is the one in front in its window, and whether that window is the active one.
	bool IsActive() const;

private:
	friend struct UE::Host::FSlateWidgetAccess;
	friend class FTabManager;

	TSharedRef<SWidget> Content;
	TAttribute<FMargin> ContentPadding;
	ETabRole TabRole = ETabRole::PanelTab;
	TAttribute<FText> TabLabel;
	TAttribute<const FSlateBrush*> TabIcon;
	FOnTabClosedCallback OnTabClosed;
	FCanCloseTab OnCanCloseTab;
	TWeakPtr<FTabManager> MyTabManager;
	FTabId LayoutIdentifier;
	bool bIsForeground = false;
	bool bIsClosed = false;
};
