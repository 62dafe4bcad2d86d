// Copyright Vantle contributors. All Rights Reserved.
#include "Styling/CoreStyle.h"

#include "Brushes/SlateColorBrush.h"
#include "Brushes/SlateImageBrush.h"
#include "Brushes/SlateRoundedBoxBrush.h"
#include "HostSlateCore.h"
#include "Styling/AppStyle.h"
#include "Styling/SlateStyle.h"
#include "Styling/SlateStyleRegistry.h"
#include "Styling/SlateTypes.h"


namespace
{
	const TCHAR* const RobotoDir = TEXT("/usr/share/fonts/truetype/roboto/unhinted/RobotoTTF");

	FLinearColor FromHex(const TCHAR* Hex)
	{
		return FLinearColor(FColor::FromHex(Hex));
	}

	// The editor's look, approximately: dark panels, light grey text, coloured status icons.
	TSharedRef<FSlateStyleSet> CreateCoreStyle()
	{
		TSharedRef<FSlateStyleSet> Style = MakeShared<FSlateStyleSet>(FName(TEXT("CoreStyle")));
		Style->SetContentRoot(UE::Host::GetSlateCoreResourcesDir());

		Style->Set(TEXT("Border"), new FSlateColorBrush(FromHex(TEXT("242424"))));

		const FTextBlockStyle NormalText =
			FTextBlockStyle().SetFont(FCoreStyle::GetDefaultFontStyle(TEXT("Regular"), 10.0f)).SetColorAndOpacity(FSlateColor::UseForeground());
		Style->Set(TEXT("NormalText"), NormalText);
		Style->Set(TEXT("ButtonText"), NormalText);

		const FButtonStyle Button = FButtonStyle()
										.SetNormal(FSlateRoundedBoxBrush(FromHex(TEXT("383838")), 4.0f, FromHex(TEXT("1A1A1A")), 1.0f))
										.SetHovered(FSlateRoundedBoxBrush(FromHex(TEXT("575757")), 4.0f, FromHex(TEXT("1A1A1A")), 1.0f))
										.SetPressed(FSlateRoundedBoxBrush(FromHex(TEXT("1A1A1A")), 4.0f, FromHex(TEXT("1A1A1A")), 1.0f))
										.SetDisabled(FSlateRoundedBoxBrush(FromHex(TEXT("2F2F2F")), 4.0f, FromHex(TEXT("1A1A1A")), 1.0f))
										.SetNormalPadding(FMargin(8.0f, 4.0f))
										.SetPressedPadding(FMargin(8.0f, 5.0f, 8.0f, 3.0f));
		Style->Set(TEXT("Button"), Button);

		const FVector2f Icon16(16.0f, 16.0f);
		const FVector2f Icon32(32.0f, 32.0f);
		const FString CheckCircle = Style->RootToContentDir(TEXT("Icons/check-circle"), TEXT(".svg"));
		const FString AlertTriangle = Style->RootToContentDir(TEXT("Icons/alert-triangle"), TEXT(".svg"));
		const FLinearColor Success = FromHex(TEXT("1FE44B"));
		const FLinearColor Warning = FromHex(TEXT("FFB800"));
		const FLinearColor Error = FromHex(TEXT("EF3535"));
		Style->Set(TEXT("Icons.SuccessWithColor"), new FSlateVectorImageBrush(CheckCircle, Icon16, Success));
		Style->Set(TEXT("Icons.SuccessWithColor.Large"), new FSlateVectorImageBrush(CheckCircle, Icon32, Success));
		Style->Set(TEXT("Icons.WarningWithColor"), new FSlateVectorImageBrush(AlertTriangle, Icon16, Warning));
		Style->Set(TEXT("Icons.WarningWithColor.Large"), new FSlateVectorImageBrush(AlertTriangle, Icon32, Warning));
		Style->Set(TEXT("Icons.ErrorWithColor"), new FSlateVectorImageBrush(AlertTriangle, Icon16, Error));
		Style->Set(TEXT("Icons.ErrorWithColor.Large"), new FSlateVectorImageBrush(AlertTriangle, Icon32, Error));
		Style->Set(TEXT("Icons.Refresh"),
				   new FSlateVectorImageBrush(Style->RootToContentDir(TEXT("Icons/refresh"), TEXT(".svg")), Icon16, FSlateColor::UseForeground()));
		return Style;
	}

	TSharedRef<FSlateStyleSet>& GetCoreStyleInstance()
	{
		static TSharedRef<FSlateStyleSet>* Instance = new TSharedRef<FSlateStyleSet>(CreateCoreStyle());
		return *Instance;
	}

	TSharedRef<FSlateStyleSet>& GetEditorStyleInstance()
	{
		static TSharedRef<FSlateStyleSet>* Instance = []
		{
			TSharedRef<FSlateStyleSet> Style = MakeShared<FSlateStyleSet>(FName(TEXT("EditorStyle")));
			Style->SetParentStyleName(TEXT("CoreStyle"));
			Style->SetContentRoot(UE::Host::GetSlateCoreResourcesDir());
			// Every brush the host's own editor uses is here, so the host warns only where the editor would.
			Style->Set(TEXT("Icons.Toolbar.Settings"), new FSlateVectorImageBrush(Style->RootToContentDir(TEXT("Icons/settings"), TEXT(".svg")),
																				FVector2f(20.0f, 20.0f), FSlateColor::UseForeground()));
			return new TSharedRef<FSlateStyleSet>(Style);
		}();
		return *Instance;
	}

	FName& GetAppStyleName()
	{
		static FName* Name = new FName(TEXT("CoreStyle"));
		return *Name;
	}
}

const ISlateStyle& FCoreStyle::Get()
{
	return GetCoreStyleInstance().Get();
}

TSharedRef<const FCompositeFont> FCoreStyle::GetDefaultFont()
{
	static TSharedRef<const FCompositeFont>* DefaultFont = []
	{
		TSharedRef<FCompositeFont> Font = MakeShared<FCompositeFont>();
		const FString Dir(RobotoDir);
		Font->DefaultTypeface.AppendFont(TEXT("Regular"), Dir / TEXT("Roboto-Regular.ttf")).AppendFont(TEXT("Bold"), Dir / TEXT("Roboto-Bold.ttf"));
		return new TSharedRef<const FCompositeFont>(Font);
	}();
	return *DefaultFont;
}

FSlateFontInfo FCoreStyle::GetDefaultFontStyle(const FName InTypefaceFontName, const float InSize, const FFontOutlineSettings& InOutlineSettings)
{
	return FSlateFontInfo(GetDefaultFont(), InSize, InTypefaceFontName, InOutlineSettings);
}

const ISlateStyle& FAppStyle::Get()
{
	if (const ISlateStyle* AppStyle = FSlateStyleRegistry::FindSlateStyle(GetAppStyleName()))
	{
		return *AppStyle;
	}
	return FCoreStyle::Get();
}

const FName FAppStyle::GetAppStyleSetName()
{
	return GetAppStyleName();
}

void FAppStyle::SetAppStyleSetName(const FName& InName)
{
	GetAppStyleName() = InName;
}

const FSlateBrush* FAppStyle::GetBrush(const FName PropertyName, const ANSICHAR* Specifier)
{
	return Get().GetBrush(PropertyName, Specifier);
}

void UE::Host::RegisterCoreStyles()
{
	if (!FSlateStyleRegistry::FindSlateStyle(TEXT("CoreStyle")))
	{
		FSlateStyleRegistry::RegisterSlateStyle(GetCoreStyleInstance().Get());
	}
	if (!FSlateStyleRegistry::FindSlateStyle(TEXT("EditorStyle")))
	{
		FSlateStyleRegistry::RegisterSlateStyle(GetEditorStyleInstance().Get());
	}
	FAppStyle::SetAppStyleSetName(TEXT("EditorStyle"));
}

void UE::Host::UnregisterCoreStyles()
{
	FSlateStyleRegistry::UnRegisterSlateStyle(GetEditorStyleInstance().Get());
	FSlateStyleRegistry::UnRegisterSlateStyle(GetCoreStyleInstance().Get());
	FAppStyle::SetAppStyleSetName(TEXT("CoreStyle"));
}

FString UE::Host::GetSlateCoreResourcesDir()
{
	// The build names the folder (Host/SlateCore/Resources) as an absolute path: __FILE__ may be
	// relative to wherever the compiler ran, which is not where the programs run.
	static const FString* Dir = new FString(UE::Host::FromUtf8(VANTLE_SLATECORE_RESOURCES_DIR));
	return *Dir;
}
