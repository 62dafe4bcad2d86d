// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Layout/Children.h"
#include "SlotBase.h"
#include "Types/SlateStructs.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SPanel.h"

// A row or column of slots. Auto slots take their content's desired size, fill slots share what
// is left by their coefficients; every slot adds its padding.
class SBoxPanel : public SPanel
{
public:
	template <typename SlotType> class TSlot : public TBasicLayoutWidgetSlot<SlotType>
	{
	public:
		struct FSlotArguments : public TBasicLayoutWidgetSlot<SlotType>::FSlotArguments
		{
			using TBasicLayoutWidgetSlot<SlotType>::FSlotArguments::FSlotArguments;

			bool bHasSizeParam = false;
			FSizeParam::ESizeRule _SizeRule = FSizeParam::SizeRule_Stretch;
			TAttribute<float> _SizeValue;
			TAttribute<float> _MaxSize;
		};

		void Construct(const FChildren& SlotOwner, FSlotArguments&& InArgs)
		{
			TBasicLayoutWidgetSlot<SlotType>::Construct(SlotOwner, std::move(InArgs));
			if (InArgs.bHasSizeParam)
			{
				SizeRule = InArgs._SizeRule;
				SizeValue = InArgs._SizeValue;
			}
			if (InArgs._MaxSize.IsSet())
			{
				MaxSize = InArgs._MaxSize;
			}
		}

		FSizeParam::ESizeRule GetSizeRule() const { return SizeRule; }
		float GetSizeValue() const { return SizeValue.Get(); }
		float GetMaxSize() const { return MaxSize.Get(); }
		void SetSizeParam(const FSizeParam& InSizeParam)
		{
			SizeRule = InSizeParam.SizeRule;
			SizeValue = InSizeParam.Value;
		}

	protected:
		// Fill with coefficient 1, fill alignment, no padding, no maximum.
		TSlot() : TBasicLayoutWidgetSlot<SlotType>(HAlign_Fill, VAlign_Fill) {}

	private:
		FSizeParam::ESizeRule SizeRule = FSizeParam::SizeRule_Stretch;
		TAttribute<float> SizeValue = 1.0f;
		TAttribute<float> MaxSize = 0.0f;
	};


protected:
	explicit SBoxPanel(EOrientation InOrientation) : Orientation(InOrientation) {}

	const EOrientation Orientation;
};

class SHorizontalBox : public SBoxPanel
{
public:
	class FSlot : public SBoxPanel::TSlot<FSlot>
	{
	public:
		struct FSlotArguments : public SBoxPanel::TSlot<FSlot>::FSlotArguments
		{
			using SBoxPanel::TSlot<FSlot>::FSlotArguments::FSlotArguments;

			// Takes the content's desired width.
			FSlotArguments& AutoWidth()
			{
				bHasSizeParam = true;
				_SizeRule = FSizeParam::SizeRule_Auto;
				_SizeValue = 0.0f;
				return *this;
			}
			// Takes a share of the width left after the auto slots.
			FSlotArguments& FillWidth(TAttribute<float> StretchCoefficient)
			{
				bHasSizeParam = true;
				_SizeRule = FSizeParam::SizeRule_Stretch;
				_SizeValue = std::move(StretchCoefficient);
				return *this;
			}
			FSlotArguments& MaxWidth(TAttribute<float> InMaxWidth)
			{
				_MaxSize = std::move(InMaxWidth);
				return *this;
			}
		};

		FSlot() = default;
	};

	static FSlot::FSlotArguments Slot() { return FSlot::FSlotArguments(MakeUnique<FSlot>()); }

	SLATE_BEGIN_ARGS(SHorizontalBox) { _Visibility = EVisibility::SelfHitTestInvisible; }
	SLATE_SLOT_ARGUMENT(FSlot, Slots)
	SLATE_END_ARGS()

	SHorizontalBox() : SBoxPanel(Orient_Horizontal), Children(this) {}
	void Construct(const FArguments& InArgs);

	int32 NumSlots() const { return Children.Num(); }
	const FSlot& GetSlot(int32 SlotIndex) const { return Children[SlotIndex]; }

	virtual FChildren* GetChildren() override { return &Children; }
	virtual void OnArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren) const override;

protected:
	virtual FVector2D ComputeDesiredSize(float LayoutScaleMultiplier) const override;

private:
	TPanelChildren<FSlot> Children;
};

class SVerticalBox : public SBoxPanel
{
public:
	class FSlot : public SBoxPanel::TSlot<FSlot>
	{
	public:
		struct FSlotArguments : public SBoxPanel::TSlot<FSlot>::FSlotArguments
		{
			using SBoxPanel::TSlot<FSlot>::FSlotArguments::FSlotArguments;

			// Takes the content's desired height.
			FSlotArguments& AutoHeight()
			{
				bHasSizeParam = true;
				_SizeRule = FSizeParam::SizeRule_Auto;
				_SizeValue = 0.0f;
				return *this;
			}
			// Takes a share of the height left after the auto slots.
			FSlotArguments& FillHeight(TAttribute<float> StretchCoefficient)
			{
				bHasSizeParam = true;
				_SizeRule = FSizeParam::SizeRule_Stretch;
				_SizeValue = std::move(StretchCoefficient);
				return *this;
			}
			FSlotArguments& MaxHeight(TAttribute<float> InMaxHeight)
			{
				_MaxSize = std::move(InMaxHeight);
				return *this;
			}
		};

		FSlot() = default;
	};

	static FSlot::FSlotArguments Slot() { return FSlot::FSlotArguments(MakeUnique<FSlot>()); }

	SLATE_BEGIN_ARGS(SVerticalBox) { _Visibility = EVisibility::SelfHitTestInvisible; }
	SLATE_SLOT_ARGUMENT(FSlot, Slots)
	SLATE_END_ARGS()

	SVerticalBox() : SBoxPanel(Orient_Vertical), Children(this) {}
	void Construct(const FArguments& InArgs);

	int32 NumSlots() const { return Children.Num(); }
	const FSlot& GetSlot(int32 SlotIndex) const { return Children[SlotIndex]; }

	virtual FChildren* GetChildren() override { return &Children; }
	virtual void OnArrangeChildren(const FGeometry& AllottedGeometry, FArrangedChildren& ArrangedChildren) const override;

protected:
	virtual FVector2D ComputeDesiredSize(float LayoutScaleMultiplier) const override;

private:
	TPanelChildren<FSlot> Children;
};
