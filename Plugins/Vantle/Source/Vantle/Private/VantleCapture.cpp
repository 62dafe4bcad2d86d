// Copyright 2026 Vantle contributors. All Rights Reserved.
#include "Containers/StringView.h"
#include "Framework/Application/SlateApplication.h"
#include "HAL/FileManager.h"
#include "ImageCore.h"
#include "ImageUtils.h"
#include "McpLogWatcher.h"
#include "Misc/FileHelper.h"
#include "VantleModule.h"
#include "Widgets/Docking/SDockTab.h"
#include "Widgets/SWindow.h"

void FVantleModule::CaptureWindow(const TArray<FString>& Args)
{
	TSharedPtr<SDockTab> Tab = PanelTab.Pin();
	if (!Tab.IsValid() || Args.IsEmpty())
	{
		return;
	}
	const FString& Path = Args[0];
	FSlateApplication& Slate = FSlateApplication::Get();

	TArray<FColor> Pixels;
	FIntVector Size;
	if (Slate.TakeScreenshot(Tab->GetContent(), Pixels, Size))
	{
		FImageUtils::SaveImageByExtension(*Path, FImageView(Pixels.GetData(), Size.X, Size.Y), 0);
		const FString Status = FString::Printf(TEXT("sequence=%s\nchecked=%d\nmissing=%d\nuncertain=%d\nmcpState=%d\nmcpMessage=%s\n"),
			*Report.SequencePath, Report.CheckedCount, Report.MissingNames.Num(), Report.UncertainNames.Num(), McpWatcher->State, *McpWatcher->Message);
		FFileHelper::SaveStringToFile(Status, *(Path + TEXT(".txt")), FFileHelper::EEncodingOptions::AutoDetect, &IFileManager::Get(), 0);
	}

	if (TSharedPtr<SWindow> Window = Slate.FindWidgetWindow(Tab.ToSharedRef()))
	{
		if (Slate.TakeScreenshot(Window.ToSharedRef(), Pixels, Size))
		{
			FImageUtils::SaveImageByExtension(*(Path + TEXT(".window.png")), FImageView(Pixels.GetData(), Size.X, Size.Y), 0);
		}
	}
}
