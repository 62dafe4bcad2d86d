// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/Array.h"
#include "Templates/SharedPointer.h"
#include "Templates/UniquePtr.h"

class SWidget;

// The children of a widget, as the layout and tree walks see them.
class FChildren
{
public:
	explicit FChildren(SWidget* InOwner) : Owner(InOwner) {}
	virtual ~FChildren() = default;
	FChildren(const FChildren&) = delete;
	FChildren& operator=(const FChildren&) = delete;

	virtual int32 Num() const = 0;
	virtual TSharedRef<SWidget> GetChildAt(int32 Index) = 0;
	virtual TSharedRef<const SWidget> GetChildAt(int32 Index) const = 0;

	SWidget& GetOwner() const { return *Owner; }

protected:
	SWidget* Owner;
};

// For widgets that can have no children.
class FNoChildren : public FChildren
{
public:
	FNoChildren() : FChildren(nullptr) {}
	virtual int32 Num() const override { return 0; }
	virtual TSharedRef<SWidget> GetChildAt(int32 Index) override;
	virtual TSharedRef<const SWidget> GetChildAt(int32 Index) const override;
};

// Owns the slots of a panel; each slot holds one child widget.
template <typename SlotType> class TPanelChildren : public FChildren
{
public:
	explicit TPanelChildren(SWidget* InOwner) : FChildren(InOwner) {}

	virtual int32 Num() const override { return Slots.Num(); }
	virtual TSharedRef<SWidget> GetChildAt(int32 Index) override { return Slots[Index]->GetWidget(); }
	virtual TSharedRef<const SWidget> GetChildAt(int32 Index) const override { return Slots[Index]->GetWidget(); }

	const SlotType& operator[](int32 Index) const { return *Slots[Index]; }
	SlotType& operator[](int32 Index) { return *Slots[Index]; }

	void AddSlot(typename SlotType::FSlotArguments&& SlotArgument)
	{
		TUniquePtr<SlotType> NewSlot = SlotArgument.StealSlot();
		check(NewSlot.Get());
		NewSlot->SetOwner(*this);
		NewSlot->Construct(*this, std::move(SlotArgument));
		Slots.Add(std::move(NewSlot));
	}
	void AddSlots(TArray<typename SlotType::FSlotArguments>&& SlotArguments)
	{
		for (typename SlotType::FSlotArguments& Argument : SlotArguments)
		{
			AddSlot(std::move(Argument));
		}
	}
	void Empty() { Slots.Empty(); }

private:
	TArray<TUniquePtr<SlotType>> Slots;
};

#include "SlotBase.h"

// The one child of a compound widget or box, with its padding and alignment.
class FSingleWidgetChildrenWithBasicLayoutSlot : public FChildren, public FSlotBase
{
public:
	explicit FSingleWidgetChildrenWithBasicLayoutSlot(SWidget* InOwner, EHorizontalAlignment InHAlign = HAlign_Fill, EVerticalAlignment InVAlign = VAlign_Fill)
		: FChildren(InOwner), HAlignment(InHAlign), VAlignment(InVAlign)
	{
		SetOwner(*this);
	}

	virtual int32 Num() const override { return 1; }
	virtual TSharedRef<SWidget> GetChildAt(int32 Index) override { return GetWidget(); }
	virtual TSharedRef<const SWidget> GetChildAt(int32 Index) const override { return GetWidget(); }

	FSingleWidgetChildrenWithBasicLayoutSlot& operator[](const TSharedRef<SWidget>& InWidget)
	{
		AttachWidget(InWidget);
		return *this;
	}
	FSingleWidgetChildrenWithBasicLayoutSlot& Padding(TAttribute<FMargin> InPadding)
	{
		SlotPadding = std::move(InPadding);
		return *this;
	}
	FSingleWidgetChildrenWithBasicLayoutSlot& Padding(float Uniform) { return Padding(TAttribute<FMargin>(FMargin(Uniform))); }
	FSingleWidgetChildrenWithBasicLayoutSlot& Padding(float Horizontal, float Vertical) { return Padding(TAttribute<FMargin>(FMargin(Horizontal, Vertical))); }
	FSingleWidgetChildrenWithBasicLayoutSlot& Padding(float Left, float Top, float Right, float Bottom)
	{
		return Padding(TAttribute<FMargin>(FMargin(Left, Top, Right, Bottom)));
	}
	FSingleWidgetChildrenWithBasicLayoutSlot& HAlign(EHorizontalAlignment InHAlignment)
	{
		HAlignment = InHAlignment;
		return *this;
	}
	FSingleWidgetChildrenWithBasicLayoutSlot& VAlign(EVerticalAlignment InVAlignment)
	{
		VAlignment = InVAlignment;
		return *this;
	}

	FMargin GetPadding() const { return SlotPadding.Get(); }
	void SetPadding(TAttribute<FMargin> InPadding) { SlotPadding = std::move(InPadding); }
	EHorizontalAlignment GetHorizontalAlignment() const { return HAlignment; }
	EVerticalAlignment GetVerticalAlignment() const { return VAlignment; }

private:
	TAttribute<FMargin> SlotPadding = FMargin(0.0f);
	EHorizontalAlignment HAlignment;
	EVerticalAlignment VAlignment;
};

using FCompoundWidgetOneChildSlot = FSingleWidgetChildrenWithBasicLayoutSlot;
