// Copyright Vantle contributors. All Rights Reserved.
// Host-only probes and controls of the SlateCore stand-in, for the headless editor and the tests.
// The plugin never includes this header.
#pragma once

#include "Containers/Array.h"
#include "Containers/UnrealString.h"
#include "Layout/Geometry.h"
#include "Layout/SlateRect.h"
#include "Styling/SlateColor.h"
#include "Templates/SharedPointer.h"
#include "UObject/NameTypes.h"
#include "Widgets/Images/SImage.h"
#include "Widgets/SWidget.h"

namespace UE::Host
{
	// Reaches widget state that the engine keeps private but the host's probes must read.
	struct FWidgetAccess
	{
		static bool CacheAllottedGeometry(SWidget& Widget, const FGeometry& Geometry) { return Widget.CacheAllottedGeometry(Geometry); }
		static bool HasToolTipText(const SWidget& Widget) { return Widget.ToolTipText.IsSet(); }
		static FText GetToolTipText(const SWidget& Widget) { return Widget.ToolTipText.Get(); }
		static const FSlateBrush* GetImage(const SImage& Image) { return Image.Image.Get(); }
		static FSlateColor GetColorAndOpacity(const SImage& Image) { return Image.ColorAndOpacity.Get(); }
		// Bound getters that Slate frames (FSlateApplication::Tick) called for this widget so far.
		static long long GetFrameGetterCalls(const SWidget& Widget) { return Widget.FrameGetterCalls; }
		static long long* GetFrameGetterCallCounter(SWidget& Widget) { return &Widget.FrameGetterCalls; }
	};

	// Counts the bound getters called in its scope towards Sink (null: stop counting), as a Slate frame does.
	class FScopedGetterCallSink
	{
	public:
		explicit FScopedGetterCallSink(long long* Sink) : Outer(Private::AttributeGetterCallSink) { Private::AttributeGetterCallSink = Sink; }
		~FScopedGetterCallSink() { Private::AttributeGetterCallSink = Outer; }
		FScopedGetterCallSink(const FScopedGetterCallSink&) = delete;
		FScopedGetterCallSink& operator=(const FScopedGetterCallSink&) = delete;

	private:
		long long* Outer;
	};

	// One widget as the last layout placed it, in window (root) coordinates.
	struct FArrangedWidgetRecord
	{
		TWeakPtr<SWidget> Widget;
		FString Type;
		// Nesting depth below the root (the root is 0).
		int32 Depth = 0;
		FVector2D Position;
		FVector2D Size;
		// The part of the window the widget may draw into (ancestors that clip, such as a scroll box).
		FSlateRect ClipRect;
	};

	// Lays the tree out in a box of Size and lists every visible widget in document order. Text
	// that wraps depends on the width it was given, so layout repeats (a few times at most) until
	// no wrapping width changes, as Slate settles over its first frames.
	SLATECORE_API TArray<FArrangedWidgetRecord> ArrangeWidgetTree(const TSharedRef<SWidget>& Root, const FVector2D& Size);

	// The widget's enabled attribute and every ancestor's: a disabled parent disables its children.
	SLATECORE_API bool IsWidgetEnabledInHierarchy(const SWidget& Widget);
	// The foreground colour a widget inherits: the nearest ancestor that specifies one, else the default.
	SLATECORE_API FLinearColor ResolveForegroundColor(const SWidget& Widget);
	// A colour as it would be drawn in that widget (specified, or the inherited foreground).
	SLATECORE_API FLinearColor ResolveSlateColor(const FSlateColor& Color, const SWidget& Widget);
	// The foreground of a window with no other setting (light grey, as the editor's).
	SLATECORE_API FLinearColor GetDefaultForegroundColor();

	// Names of the style sets registered now, in registration order.
	SLATECORE_API TArray<FName> GetRegisteredStyleSetNames();
	// Registers "CoreStyle" and the editor's "EditorStyle" (parent CoreStyle) and makes the latter the
	// application style; the unregister undoes both. Called by the Slate application's start and stop.
	SLATECORE_API void RegisterCoreStyles();
	SLATECORE_API void UnregisterCoreStyles();
	// The folder with the host's own images (status icons, checkerboard).
	SLATECORE_API FString GetSlateCoreResourcesDir();
}
