// Copyright Vantle contributors. All Rights Reserved.
#include "Framework/Application/SlateApplication.h"
#include "CoreGlobals.h"

#include "HostSlate.h"
#include "HostSlateCore.h"
#include "HostSlateRenderer.h"
#include "../Rendering/WidgetPainter.h"
#include "Widgets/SWidget.h"

namespace
{
	TSharedPtr<FSlateApplication>& GetCurrentApplication()
	{
		static TSharedPtr<FSlateApplication>* Current = new TSharedPtr<FSlateApplication>();
		return *Current;
	}

	bool ContainsWidget(const TSharedRef<const SWidget>& Root, const SWidget* Target)
	{
		if (&Root.Get() == Target)
		{
			return true;
		}
		FChildren* Children = const_cast<SWidget&>(Root.Get()).GetChildren();
		for (int32 Index = 0; Children && Index < Children->Num(); ++Index)
		{
			if (ContainsWidget(Children->GetChildAt(Index), Target))
			{
				return true;
			}
		}
		return false;
	}
}

struct FSlateApplicationHostAccess
{
	static bool IsQueued(const TSharedRef<SWindow>& Window) { return GetCurrentApplication()->WindowDestroyQueue.Contains(Window); }
	static void Create() { GetCurrentApplication() = TSharedPtr<FSlateApplication>(new FSlateApplication()); }
	static void Destroy()
	{
		if (TSharedPtr<FSlateApplication> Application = GetCurrentApplication())
		{
			// Windows go first, while the application that owns them still answers.
			TArray<TSharedRef<SWindow>> Windows = Application->SlateWindows;
			Application->SlateWindows.Reset();
			Application->WindowDestroyQueue.Reset();
			Windows.Reset();
		}
		GetCurrentApplication().Reset();
	}
};

bool FSlateApplication::IsInitialized()
{
	return GetCurrentApplication().IsValid();
}

FSlateApplication& FSlateApplication::Get()
{
	check(IsInGameThread());
	check(IsInitialized());
	return *GetCurrentApplication();
}

void FSlateApplication::Tick()
{
	// Counting on: inside the frame each widget's getters count towards that widget.
	long long FrameGetterCalls = 0;
	{
		const UE::Host::FScopedGetterCallSink Counting(&FrameGetterCalls);
		// A copy: a bound getter may open or close a window while it is read.
		const TArray<TSharedRef<SWindow>> Windows = SlateWindows;
		for (const TSharedRef<SWindow>& Window : Windows)
		{
			if (!Window->IsVisible())
			{
				continue;
			}
			const TArray<UE::Host::FArrangedWidgetRecord> Records = UE::Host::ArrangeWidgetTree(Window, Window->GetClientSizeInScreen());
			UE::Host::Rendering::EvaluatePaintedAttributes(Records);
		}
		UE::Host::OnSlateFrame().Broadcast();
	}
	// Windows asked to close lived through this frame; the next one starts without them.
	DestroyWindowsImmediately();
}

TSharedRef<SWindow> FSlateApplication::AddWindow(TSharedRef<SWindow> InSlateWindow, const bool bShowImmediately)
{
	SlateWindows.Remove(InSlateWindow);
	SlateWindows.Add(InSlateWindow);
	if (bShowImmediately)
	{
		InSlateWindow->ShowWindow();
	}
	return InSlateWindow;
}

void FSlateApplication::RequestDestroyWindow(TSharedRef<SWindow> WindowToDestroy)
{
	if (SlateWindows.Contains(WindowToDestroy))
	{
		WindowDestroyQueue.AddUnique(WindowToDestroy);
	}
}

void FSlateApplication::DestroyWindowImmediately(TSharedRef<SWindow> WindowToDestroy)
{
	WindowDestroyQueue.Remove(WindowToDestroy);
	SlateWindows.Remove(WindowToDestroy);
}

void FSlateApplication::DestroyWindowsImmediately()
{
	// Moved out first: the last reference to a window may go here, and its widgets' destructors may queue more.
	TArray<TSharedRef<SWindow>> Queue = WindowDestroyQueue;
	WindowDestroyQueue.Reset();
	for (const TSharedRef<SWindow>& Window : Queue)
	{
		SlateWindows.Remove(Window);
	}
}

TSharedPtr<SWindow> FSlateApplication::GetActiveTopLevelWindow() const
{
	if (SlateWindows.IsEmpty())
	{
		return nullptr;
	}
	return SlateWindows.Last();
}

void FSlateApplication::BringWindowToFront(const TSharedRef<SWindow>& Window)
{
	if (SlateWindows.Remove(Window) > 0)
	{
		SlateWindows.Add(Window);
	}
}

TSharedPtr<SWindow> FSlateApplication::FindWidgetWindow(TSharedRef<const SWidget> InWidget) const
{
	for (const TSharedRef<SWindow>& Window : SlateWindows)
	{
		if (ContainsWidget(Window, &InWidget.Get()))
		{
			return Window;
		}
	}
	return nullptr;
}

bool FSlateApplication::TakeScreenshot(const TSharedRef<SWidget>& Widget, TArray<FColor>& OutColorData, FIntVector& OutSize)
{
	return TakeScreenshot(Widget, FIntRect(), OutColorData, OutSize);
}

bool FSlateApplication::TakeScreenshot(const TSharedRef<SWidget>& Widget, const FIntRect& InnerWidgetArea, TArray<FColor>& OutColorData, FIntVector& OutSize)
{
	OutColorData.Reset();
	OutSize = FIntVector(0, 0, 0);
	if (!IsInitialized())
	{
		return false;
	}
	// Only a shown window is drawn: a widget in no window (a background tab's content) or in a
	// hidden one gives no picture.
	const TSharedPtr<SWindow> Window = FindWidgetWindow(Widget);
	if (!Window.IsValid() || !Window->IsVisible())
	{
		return false;
	}
	UE::Host::FRenderedImage Image;
	bool bDrawn = false;
	if (&Widget.Get() == Window.Get())
	{
		// A window is drawn whole: its frame around the client area, laid out at its client size.
		bDrawn = UE::Host::RenderWindow(Window.ToSharedRef(), Image);
	}
	else
	{
		// As the engine does: the widget's window is drawn and the widget's area read back.
		bDrawn = UE::Host::RenderWidgetInWindow(Widget, Window.ToSharedRef(), Image);
	}
	if (!bDrawn || !UE::Host::CropImage(Image, InnerWidgetArea))
	{
		return false;
	}
	OutColorData = std::move(Image.Pixels);
	OutSize = FIntVector(Image.Size.X, Image.Size.Y, 0);
	return true;
}

FSimpleMulticastDelegate& UE::Host::OnSlateFrame()
{
	static FSimpleMulticastDelegate* Delegate = new FSimpleMulticastDelegate();
	return *Delegate;
}

bool UE::Host::IsWindowClosing(const TSharedRef<SWindow>& Window)
{
	return FSlateApplication::IsInitialized() && FSlateApplicationHostAccess::IsQueued(Window);
}

void UE::Host::InitSlateApplication()
{
	if (FSlateApplication::IsInitialized())
	{
		return;
	}
	RegisterCoreStyles();
	FSlateApplicationHostAccess::Create();
}

void UE::Host::ShutdownSlateApplication()
{
	if (!FSlateApplication::IsInitialized())
	{
		return;
	}
	FSlateApplicationHostAccess::Destroy();
	UnregisterCoreStyles();
}
