// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/Array.h"
#include "Layout/Margin.h"
#include "Misc/Attribute.h"
#include "Templates/SharedPointer.h"
#include "Templates/UniquePtr.h"
#include "Types/SlateEnums.h"

class FChildren;
class SWidget;

// One child of a panel. Attaching a widget makes the slot's owner the widget's parent.
class FSlotBase
{
public:
	FSlotBase();
	virtual ~FSlotBase();
	FSlotBase(const FSlotBase&) = delete;
	FSlotBase& operator=(const FSlotBase&) = delete;

	const TSharedRef<SWidget>& GetWidget() const { return Widget; }
	void AttachWidget(const TSharedRef<SWidget>& InWidget);
	TSharedRef<SWidget> DetachWidget();
	void SetOwner(const FChildren& InParent) { OwnerChildren = &InParent; }
	const FChildren* GetOwner() const { return OwnerChildren; }

private:
	const FChildren* OwnerChildren = nullptr;
	TSharedRef<SWidget> Widget;
};

template <typename SlotType> class TSlotBase : public FSlotBase
{
public:
	// What Slot() returns: the slot being declared and its content, until the panel takes both.
	struct FSlotArguments
	{
		explicit FSlotArguments(TUniquePtr<SlotType> InSlot) : Slot(std::move(InSlot)) {}
		FSlotArguments(FSlotArguments&&) = default;
		FSlotArguments& operator=(FSlotArguments&&) = default;

		typename SlotType::FSlotArguments& operator[](const TSharedRef<SWidget>& InChildWidget)
		{
			ChildWidget = InChildWidget;
			return Me();
		}
		typename SlotType::FSlotArguments& Expose(SlotType*& OutVarToInit)
		{
			OutVarToInit = Slot.Get();
			return Me();
		}

		TUniquePtr<SlotType> StealSlot() { return std::move(Slot); }
		const TSharedPtr<SWidget>& GetAttachedWidget() const { return ChildWidget; }

	protected:
		typename SlotType::FSlotArguments& Me() { return static_cast<typename SlotType::FSlotArguments&>(*this); }

	private:
		TUniquePtr<SlotType> Slot;
		TSharedPtr<SWidget> ChildWidget;
	};

	void Construct(const FChildren& SlotOwner, FSlotArguments&& InArgs)
	{
		if (InArgs.GetAttachedWidget().IsValid())
		{
			AttachWidget(InArgs.GetAttachedWidget().ToSharedRef());
		}
	}
};

// A slot with padding and alignment, the common base of box, scroll and single-child slots.
template <typename SlotType> class TBasicLayoutWidgetSlot : public TSlotBase<SlotType>
{
public:
	struct FSlotArguments : public TSlotBase<SlotType>::FSlotArguments
	{
		using TSlotBase<SlotType>::FSlotArguments::FSlotArguments;

		typename SlotType::FSlotArguments& Padding(TAttribute<FMargin> InPadding)
		{
			_Padding = std::move(InPadding);
			return this->Me();
		}
		typename SlotType::FSlotArguments& Padding(float Uniform) { return Padding(TAttribute<FMargin>(FMargin(Uniform))); }
		typename SlotType::FSlotArguments& Padding(float Horizontal, float Vertical) { return Padding(TAttribute<FMargin>(FMargin(Horizontal, Vertical))); }
		typename SlotType::FSlotArguments& Padding(float Left, float Top, float Right, float Bottom)
		{
			return Padding(TAttribute<FMargin>(FMargin(Left, Top, Right, Bottom)));
		}
		typename SlotType::FSlotArguments& HAlign(EHorizontalAlignment InHAlignment)
		{
			_HAlignment = InHAlignment;
			bHasHAlignment = true;
			return this->Me();
		}
		typename SlotType::FSlotArguments& VAlign(EVerticalAlignment InVAlignment)
		{
			_VAlignment = InVAlignment;
			bHasVAlignment = true;
			return this->Me();
		}

		TAttribute<FMargin> _Padding;
		EHorizontalAlignment _HAlignment = HAlign_Fill;
		EVerticalAlignment _VAlignment = VAlign_Fill;
		bool bHasHAlignment = false;
		bool bHasVAlignment = false;
	};

	void Construct(const FChildren& SlotOwner, FSlotArguments&& InArgs)
	{
		TSlotBase<SlotType>::Construct(SlotOwner, std::move(InArgs));
		if (InArgs._Padding.IsSet())
		{
			Padding = std::move(InArgs._Padding);
		}
		if (InArgs.bHasHAlignment)
		{
			HAlignment = InArgs._HAlignment;
		}
		if (InArgs.bHasVAlignment)
		{
			VAlignment = InArgs._VAlignment;
		}
	}

	FMargin GetPadding() const { return Padding.Get(); }
	void SetPadding(TAttribute<FMargin> InPadding) { Padding = std::move(InPadding); }
	EHorizontalAlignment GetHorizontalAlignment() const { return HAlignment; }
	EVerticalAlignment GetVerticalAlignment() const { return VAlignment; }
	void SetHorizontalAlignment(EHorizontalAlignment InHAlignment) { HAlignment = InHAlignment; }
	void SetVerticalAlignment(EVerticalAlignment InVAlignment) { VAlignment = InVAlignment; }

protected:
	TBasicLayoutWidgetSlot(EHorizontalAlignment InHAlign = HAlign_Fill, EVerticalAlignment InVAlign = VAlign_Fill) : HAlignment(InHAlign), VAlignment(InVAlign)
	{
	}

private:
	TAttribute<FMargin> Padding = FMargin(0.0f);
	EHorizontalAlignment HAlignment;
	EVerticalAlignment VAlignment;
};
