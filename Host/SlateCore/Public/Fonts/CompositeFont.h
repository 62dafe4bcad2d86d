// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/Array.h"
#include "Containers/UnrealString.h"
#include "UObject/NameTypes.h"

// One font file of a typeface.
struct FFontData
{
	FFontData() = default;
	explicit FFontData(const FString& InFontFilename) : FontFilename(InFontFilename) {}
	const FString& GetFontFilename() const { return FontFilename; }

private:
	FString FontFilename;
};

// A named member of a typeface ("Regular", "Bold" ...).
struct FTypefaceEntry
{
	FTypefaceEntry() = default;
	FTypefaceEntry(const FName& InFontName, const FString& InFontFilename) : Name(InFontName), Font(InFontFilename) {}

	FName Name;
	FFontData Font;
};

struct FTypeface
{
	FTypeface& AppendFont(const FName InFontName, const FString& InFontFilename)
	{
		Fonts.Add(FTypefaceEntry(InFontName, InFontFilename));
		return *this;
	}

	TArray<FTypefaceEntry> Fonts;
};

// A font family made of typefaces; Slate's default font is Roboto.
struct FCompositeFont
{
	FTypeface DefaultTypeface;
};
