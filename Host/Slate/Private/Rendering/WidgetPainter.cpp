// Copyright Vantle contributors. All Rights Reserved.
#include "../Docking/SDockingTabStack.h"
#include "../HostSlateAccess.h"
#include "HostSlateRenderer.h"
#include "RenderResources.h"
#include "SlateCanvas.h"
#include "WidgetPainter.h"
#include "Widgets/Images/SImage.h"
#include "Widgets/SWindow.h"

#include <algorithm>

namespace
{
	using namespace UE::Host::Rendering;

	// SBorder keeps its background tint protected; a member pointer taken in a derived scope reads it.
	struct FBorderAccess : public SBorder
	{
		static FSlateColor GetBackgroundColor(const SBorder& Border)
		{
			constexpr TAttribute<FSlateColor> SBorder::*Member = &FBorderAccess::BorderBackgroundColor;
			return (Border.*Member).Get();
		}
	};

	// The product of the colour-and-opacity tints of the widget's ancestors (what Slate hands down while painting).
	FLinearColor GetInheritedTint(const SWidget& Widget)
	{
		FLinearColor Tint = FLinearColor::White;
		for (TSharedPtr<SWidget> Parent = Widget.GetParentWidget(); Parent.IsValid(); Parent = Parent->GetParentWidget())
		{
			if (const SCompoundWidget* Compound = dynamic_cast<const SCompoundWidget*>(Parent.Get()))
			{
				Tint = Tint * Compound->GetColorAndOpacity();
			}
		}
		return Tint;
	}

	FSlateRect GetRect(const UE::Host::FArrangedWidgetRecord& Record)
	{
		return FSlateRect(Record.Position, Record.Position + Record.Size);
	}

	// One brush over Rect, multiplied by Tint (linear, like the brush's own tint).
	void DrawBrush(FCanvas* Canvas, const FSlateBrush& Brush, const FSlateRect& Rect, const FLinearColor& Tint, const SWidget& Widget, bool bDisabled)
	{
		const FLinearColor BrushColor = UE::Host::ResolveSlateColor(Brush.TintColor, Widget) * Tint;
		if (!Canvas)
		{
			return;
		}
		auto Shade = [bDisabled](const FLinearColor& Color) { return bDisabled ? ApplyDisabledEffect(ToCanvasColor(Color)) : ToCanvasColor(Color); };
		switch (Brush.GetDrawType())
		{
		case ESlateBrushDrawType::NoDrawType:
			return;
		case ESlateBrushDrawType::RoundedBox:
		{
			const FSlateBrushOutlineSettings& Outline = Brush.OutlineSettings;
			FVector4 Radii = Outline.CornerRadii;
			if (Outline.RoundingType == ESlateBrushRoundingType::HalfHeightRadius)
			{
				const double Half = (Rect.Bottom - Rect.Top) * 0.5;
				Radii = FVector4(Half, Half, Half, Half);
			}
			const FLinearColor OutlineColor = UE::Host::ResolveSlateColor(Outline.Color, Widget) * Tint;
			Canvas->DrawRoundedBox(Rect, Radii, Shade(BrushColor), Shade(OutlineColor), Outline.Width);
			return;
		}
		default:
			break;
		}
		// Image, Box and Border: a file when the brush names one, otherwise a solid fill of its tint.
		if (Brush.GetResourceName().IsNone())
		{
			Canvas->FillRect(Rect, Shade(BrushColor));
		}
		else
		{
			DrawImageFile(*Canvas, Brush.GetResourceName().ToString(), Rect, ToCanvasColor(BrushColor), bDisabled);
		}
	}

	void PaintBorder(FCanvas* Canvas, const SBorder& Border, const FSlateRect& Rect, const FLinearColor& Tint, bool bEnabled)
	{
		const FSlateBrush* Brush = Border.GetBorderImage();
		bool bDisabledEffect = !bEnabled;
		if (const SButton* Button = dynamic_cast<const SButton*>(&Border))
		{
			// A button shows its state through its own brush, never through the disabled effect.
			bDisabledEffect = false;
			const FButtonStyle* Style = UE::Host::FSlateWidgetAccess::GetStyle(*Button);
			if (!bEnabled && Style)
			{
				Brush = &Style->Disabled;
			}
		}
		if (Brush)
		{
			DrawBrush(Canvas, *Brush, Rect, Tint * UE::Host::ResolveSlateColor(FBorderAccess::GetBackgroundColor(Border), Border), Border, bDisabledEffect);
		}
	}

	void PaintTextBlock(FCanvas* Canvas, const STextBlock& Text, const UE::Host::FArrangedWidgetRecord& Record, const FLinearColor& Tint, bool bEnabled)
	{
		const FLinearColor Color = UE::Host::ResolveSlateColor(UE::Host::FSlateWidgetAccess::GetColorAndOpacity(Text), Text) * Tint;
		const FText& Shown = Text.GetText();
		const FSlateFontInfo Font = UE::Host::FSlateWidgetAccess::GetFont(Text);
		const float WrappingWidth = UE::Host::FSlateWidgetAccess::GetWrappingWidth(Text);
		if (Canvas)
		{
			DrawText(*Canvas, Shown.ToString(), Font, WrappingWidth, Record.Position, ToCanvasColor(Color), !bEnabled);
		}
	}

	void PaintScrollBar(FCanvas& Canvas, const SScrollBox& ScrollBox, const UE::Host::FArrangedWidgetRecord& Record)
	{
		const FGeometry Geometry(Record.Position, Record.Size);
		if (!UE::Host::FSlateWidgetAccess::IsScrollBarNeeded(ScrollBox, Geometry))
		{
			return;
		}
		const double ContentHeight = ScrollBox.GetDesiredSize().Y;
		const double ViewHeight = Record.Size.Y;
		if (ContentHeight <= 0.0 || ViewHeight <= 0.0)
		{
			return;
		}
		const double Track = ViewHeight - 4.0;
		const double ThumbHeight = std::max(16.0, Track * ViewHeight / ContentHeight);
		const double MaxOffset = std::max(1.0, ContentHeight - ViewHeight);
		const double Offset = std::clamp<double>(ScrollBox.GetScrollOffset(), 0.0, MaxOffset);
		const double ThumbTop = Record.Position.Y + 2.0 + (Track - ThumbHeight) * (Offset / MaxOffset);
		const double Left = Record.Position.X + Record.Size.X - UE::Host::ScrollBarWidth + 2.0;
		Canvas.DrawRoundedBox(FSlateRect(Left, ThumbTop, Left + 8.0, ThumbTop + ThumbHeight), FVector4(4.0, 4.0, 4.0, 4.0),
							  ToCanvasColor(FColor(0x55, 0x55, 0x55)), FCanvasColor(), 0.0);
	}

	// Reads what Slate's paint reads; draws it when there is a canvas.
	void PaintWidget(FCanvas* Canvas, const UE::Host::FArrangedWidgetRecord& Record)
	{
		const TSharedPtr<SWidget> Widget = Record.Widget.Pin();
		if (!Widget.IsValid() || Record.Size.X <= 0.0 || Record.Size.Y <= 0.0 || !Widget->GetVisibility().IsVisible())
		{
			return;
		}
		const FSlateRect Rect = GetRect(Record);
		const bool bEnabled = UE::Host::IsWidgetEnabledInHierarchy(*Widget);
		const FLinearColor Tint = GetInheritedTint(*Widget);

		if (Canvas)
		{
			Canvas->PushClip(Record.ClipRect);
		}
		if (dynamic_cast<const SWindow*>(Widget.Get()))
		{
			if (Canvas)
			{
				Canvas->FillRect(Rect, ToCanvasColor(UE::Host::WindowBackgroundColor));
			}
		}
		else if (const SDockingTabStack* Stack = dynamic_cast<const SDockingTabStack*>(Widget.Get()))
		{
			const double WellHeight = std::min<double>(Stack->GetTab()->GetDesiredSize().Y, Record.Size.Y);
			if (Canvas)
			{
				Canvas->FillRect(FSlateRect(Rect.Left, Rect.Top, Rect.Right, Rect.Top + WellHeight), ToCanvasColor(UE::Host::TabWellColor));
			}
		}
		else if (const SBorder* Border = dynamic_cast<const SBorder*>(Widget.Get()))
		{
			PaintBorder(Canvas, *Border, Rect, Tint, bEnabled);
		}
		else if (const STextBlock* Text = dynamic_cast<const STextBlock*>(Widget.Get()))
		{
			PaintTextBlock(Canvas, *Text, Record, Tint, bEnabled);
		}
		else if (const SImage* Image = dynamic_cast<const SImage*>(Widget.Get()))
		{
			if (const FSlateBrush* Brush = UE::Host::FWidgetAccess::GetImage(*Image))
			{
				const FLinearColor ImageColor = UE::Host::ResolveSlateColor(UE::Host::FWidgetAccess::GetColorAndOpacity(*Image), *Image) * Tint;
				DrawBrush(Canvas, *Brush, Rect, ImageColor, *Image, !bEnabled);
			}
		}
		else if (const SScrollBox* ScrollBox = dynamic_cast<const SScrollBox*>(Widget.Get()))
		{
			if (Canvas)
			{
				PaintScrollBar(*Canvas, *ScrollBox, Record);
			}
		}
		if (Canvas)
		{
			Canvas->PopClip();
		}
	}
}

void UE::Host::Rendering::PaintWidgets(FCanvas& Canvas, const TArray<FArrangedWidgetRecord>& Records)
{
	// Document order is paint order: a parent's brush lies under its children.
	for (const FArrangedWidgetRecord& Record : Records)
	{
		PaintWidget(&Canvas, Record);
	}
}

void UE::Host::Rendering::EvaluatePaintedAttributes(const TArray<FArrangedWidgetRecord>& Records)
{
	for (const FArrangedWidgetRecord& Record : Records)
	{
		const TSharedPtr<SWidget> Widget = Record.Widget.Pin();
		if (!Widget.IsValid())
		{
			continue;
		}
		const FScopedGetterCallSink Counting(FWidgetAccess::GetFrameGetterCallCounter(*Widget));
		PaintWidget(nullptr, Record);
		// A tool tip is read when the pointer rests on the widget, which may happen in any frame.
		if (FWidgetAccess::HasToolTipText(*Widget))
		{
			FWidgetAccess::GetToolTipText(*Widget);
		}
	}
}

bool UE::Host::RenderArrangedWidgets(const TArray<FArrangedWidgetRecord>& Records, const FIntRect& Area, FRenderedImage& OutImage)
{
	OutImage = FRenderedImage();
	FCanvas Canvas(Area);
	if (!Canvas.IsValid())
	{
		return false;
	}
	Rendering::PaintWidgets(Canvas, Records);
	Canvas.ReadPixels(OutImage);
	return OutImage.Size.X > 0;
}
