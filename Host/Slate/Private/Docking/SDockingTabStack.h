// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/Docking/SDockTab.h"
#include "Widgets/SPanel.h"

// The content of a window that holds a floating tab: the tab's header (the SDockTab widget) in a
// well along the top, the tab's content below it.
class SDockingTabStack : public SPanel
{
public:
	SLATE_BEGIN_ARGS(SDockingTabStack) {}
	SLATE_END_ARGS()

	SDockingTabStack();
	void Construct(const FArguments& InArgs, const TSharedRef<SDockTab>& InTab);

	TSharedRef<SDockTab> GetTab() const { return Tab.ToSharedRef(); }

	virtual FChildren* GetChildren() override { return &Children; }
	virtual void OnArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren) const override;

protected:
	virtual FVector2D ComputeDesiredSize(float LayoutScaleMultiplier) const override;

private:
	// Header first, then content.
	class FStackChildren : public FChildren
	{
	public:
		explicit FStackChildren(SDockingTabStack* InOwner) : FChildren(InOwner), Stack(InOwner) {}
		virtual int32 Num() const override { return Stack->Tab.IsValid() ? 2 : 0; }
		virtual TSharedRef<SWidget> GetChildAt(int32 Index) override;
		virtual TSharedRef<const SWidget> GetChildAt(int32 Index) const override;

	private:
		SDockingTabStack* Stack;
	};

	FStackChildren Children;
	TSharedPtr<SDockTab> Tab;
};
