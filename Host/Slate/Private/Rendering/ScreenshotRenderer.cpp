// Copyright Vantle contributors. All Rights Reserved.
#include "HostSlate.h"
#include "HostSlateRenderer.h"
#include "HostTextLayout.h"
#include "RenderResources.h"
#include "SlateCanvas.h"
#include "Styling/CoreStyle.h"
#include "WidgetPainter.h"
#include "Widgets/SWindow.h"

#include <algorithm>
#include <cmath>

namespace
{
	using namespace UE::Host::Rendering;

	int32 RoundToPixel(double Value)
	{
		return static_cast<int32>(std::lround(Value));
	}

	// Minimise, maximise and close marks at the right of the title bar, drawn as thin strokes.
	void PaintWindowControls(FCanvas& Canvas, double Right, double Top)
	{
		cairo_t* Context = Canvas.GetContext();
		const FCanvasColor Color = ToCanvasColor(UE::Host::WindowTitleColor);
		const double Middle = Top + UE::Host::WindowTitleBarHeight * 0.5;
		const double Close = Right - 22.0;
		const double Maximise = Close - 34.0;
		const double Minimise = Maximise - 34.0;
		cairo_save(Context);
		cairo_set_source_rgba(Context, Color.R, Color.G, Color.B, Color.A);
		cairo_set_line_width(Context, 1.0);
		cairo_move_to(Context, Minimise - 5.0, Middle + 0.5);
		cairo_line_to(Context, Minimise + 5.0, Middle + 0.5);
		cairo_rectangle(Context, Maximise - 4.5, Middle - 4.5, 9.0, 9.0);
		cairo_move_to(Context, Close - 4.5, Middle - 4.5);
		cairo_line_to(Context, Close + 4.5, Middle + 4.5);
		cairo_move_to(Context, Close + 4.5, Middle - 4.5);
		cairo_line_to(Context, Close - 4.5, Middle + 4.5);
		cairo_stroke(Context);
		cairo_restore(Context);
	}

	void PaintWindowFrame(FCanvas& Canvas, const FString& Title, const FVector2D& ClientSize)
	{
		const double Border = UE::Host::WindowBorderWidth;
		const double TitleHeight = UE::Host::WindowTitleBarHeight;
		Canvas.FillRect(FSlateRect(-Border, -TitleHeight - Border, ClientSize.X + Border, ClientSize.Y + Border), ToCanvasColor(UE::Host::WindowBorderColor));
		Canvas.FillRect(FSlateRect(0.0, -TitleHeight, ClientSize.X, 0.0), ToCanvasColor(UE::Host::WindowFrameColor));

		const FSlateFontInfo Font = FCoreStyle::GetDefaultFontStyle(TEXT("Regular"), 9.0f);
		const UE::Host::FTextLayoutResult Measured = UE::Host::LayoutText(Title, Font, 0.0);
		// The title keeps clear of the window controls.
		Canvas.PushClip(FSlateRect(0.0, -TitleHeight, std::max(0.0, ClientSize.X - 110.0), 0.0));
		DrawText(Canvas, Title, Font, 0.0, FVector2D(10.0, -TitleHeight + (TitleHeight - Measured.Size.Y) * 0.5), ToCanvasColor(UE::Host::WindowTitleColor),
				 false);
		Canvas.PopClip();
		Canvas.PushClip(FSlateRect(0.0, -TitleHeight, ClientSize.X, 0.0));
		PaintWindowControls(Canvas, ClientSize.X, -TitleHeight);
		Canvas.PopClip();
	}

	const UE::Host::FArrangedWidgetRecord* FindRecord(const TArray<UE::Host::FArrangedWidgetRecord>& Records, const SWidget& Widget)
	{
		return Records.FindByPredicate([&Widget](const UE::Host::FArrangedWidgetRecord& Record) { return Record.Widget.Pin().Get() == &Widget; });
	}
}

FIntPoint UE::Host::GetWindowImageSize(const FVector2D& ClientSize)
{
	return FIntPoint(RoundToPixel(ClientSize.X) + 2 * WindowBorderWidth, RoundToPixel(ClientSize.Y) + WindowTitleBarHeight + 2 * WindowBorderWidth);
}

bool UE::Host::RenderWindow(const TSharedRef<SWindow>& Window, FRenderedImage& OutImage)
{
	OutImage = FRenderedImage();
	const FVector2D ClientSize = Window->GetClientSizeInScreen();
	const FIntPoint ImageSize = GetWindowImageSize(ClientSize);
	if (RoundToPixel(ClientSize.X) <= 0 || RoundToPixel(ClientSize.Y) <= 0 || ImageSize.X > MaxRenderSide || ImageSize.Y > MaxRenderSide)
	{
		return false;
	}
	const TArray<FArrangedWidgetRecord> Records = ArrangeWindow(Window);
	// Layout coordinates put the client area at the origin; the frame lies around it.
	const FIntRect Area(-WindowBorderWidth, -WindowTitleBarHeight - WindowBorderWidth, ImageSize.X - WindowBorderWidth,
						ImageSize.Y - WindowTitleBarHeight - WindowBorderWidth);
	FCanvas Canvas(Area);
	if (!Canvas.IsValid())
	{
		return false;
	}
	PaintWindowFrame(Canvas, Window->GetTitle().ToString(), ClientSize);
	Canvas.PushClip(FSlateRect(0.0, 0.0, ClientSize.X, ClientSize.Y));
	PaintWidgets(Canvas, Records);
	Canvas.PopClip();
	Canvas.ReadPixels(OutImage);
	return OutImage.Size.X > 0;
}

bool UE::Host::RenderWidgetInWindow(const TSharedRef<SWidget>& Widget, const TSharedRef<SWindow>& Window, FRenderedImage& OutImage)
{
	OutImage = FRenderedImage();
	const TArray<FArrangedWidgetRecord> Records = ArrangeWindow(Window);
	const FArrangedWidgetRecord* Record = FindRecord(Records, Widget.Get());
	if (!Record)
	{
		return false;
	}
	// What the window shows of the widget: its snapped area within the client area.
	const FVector2D ClientSize = Window->GetClientSizeInScreen();
	const FIntRect Area(std::max(0, RoundToPixel(Record->Position.X)), std::max(0, RoundToPixel(Record->Position.Y)),
						std::min(RoundToPixel(ClientSize.X), RoundToPixel(Record->Position.X + Record->Size.X)),
						std::min(RoundToPixel(ClientSize.Y), RoundToPixel(Record->Position.Y + Record->Size.Y)));
	if (Area.Width() <= 0 || Area.Height() <= 0)
	{
		return false;
	}
	return RenderArrangedWidgets(Records, Area, OutImage);
}

bool UE::Host::RenderWidgetAlone(const TSharedRef<SWidget>& Widget, FRenderedImage& OutImage)
{
	OutImage = FRenderedImage();
	Widget->SlatePrepass(1.0f);
	const FVector2D Size = Widget->GetDesiredSize();
	const FIntRect Area(0, 0, RoundToPixel(Size.X), RoundToPixel(Size.Y));
	if (Area.Width() <= 0 || Area.Height() <= 0)
	{
		return false;
	}
	const TArray<FArrangedWidgetRecord> Records = ArrangeWidgetTree(Widget, Size);
	return RenderArrangedWidgets(Records, Area, OutImage);
}

bool UE::Host::CropImage(FRenderedImage& Image, const FIntRect& Area)
{
	if (Area.Width() <= 0 || Area.Height() <= 0)
	{
		return Image.Size.X > 0 && Image.Size.Y > 0;
	}
	const FIntRect Kept(std::max(0, Area.Min.X), std::max(0, Area.Min.Y), std::min(Image.Size.X, Area.Max.X), std::min(Image.Size.Y, Area.Max.Y));
	if (Kept.Width() <= 0 || Kept.Height() <= 0)
	{
		Image = FRenderedImage();
		return false;
	}
	TArray<FColor> Pixels;
	Pixels.SetNum(Kept.Width() * Kept.Height());
	for (int32 Y = 0; Y < Kept.Height(); ++Y)
	{
		const FColor* Source = Image.Pixels.GetData() + static_cast<size_t>(Kept.Min.Y + Y) * Image.Size.X + Kept.Min.X;
		std::copy(Source, Source + Kept.Width(), Pixels.GetData() + static_cast<size_t>(Y) * Kept.Width());
	}
	Image.Pixels = std::move(Pixels);
	Image.Size = FIntPoint(Kept.Width(), Kept.Height());
	return true;
}
