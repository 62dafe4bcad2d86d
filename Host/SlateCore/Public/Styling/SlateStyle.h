// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/Map.h"
#include "Containers/Set.h"
#include "Containers/UnrealString.h"
#include "Styling/ISlateStyle.h"
#include "Styling/SlateBrush.h"
#include "Templates/SharedPointer.h"

#include <type_traits>

// A style set a module builds and registers: brushes it owns and widget styles it copies.
class FSlateStyleSet : public ISlateStyle
{
public:
	// An empty set with the given name; its "Default" brush is a checkerboard image.
	FSlateStyleSet(const FName& InStyleSetName);
	// Deletes every brush the set took ownership of.
	virtual ~FSlateStyleSet();
	FSlateStyleSet(const FSlateStyleSet&) = delete;
	FSlateStyleSet& operator=(const FSlateStyleSet&) = delete;

	virtual const FName& GetStyleSetName() const override { return StyleSetName; }
	virtual const FSlateBrush* GetBrush(const FName PropertyName, const ANSICHAR* Specifier = nullptr,
										const ISlateStyle* RequestingStyle = nullptr) const override;
	virtual const FSlateBrush* GetOptionalBrush(const FName PropertyName, const ANSICHAR* Specifier = nullptr,
												const FSlateBrush* const DefaultBrush = FStyleDefaults::GetNoBrush()) const override;

	// Sets the folder that relative resource names resolve against.
	virtual void SetContentRoot(const FString& InContentRootDir) { ContentRootDir = InContentRootDir; }
	virtual FString GetContentRootDir() const { return ContentRootDir; }
	// Content root joined with RelativePath (one separator), then Extension appended as given (with its dot).
	virtual FString RootToContentDir(const ANSICHAR* RelativePath, const TCHAR* Extension) { return RootToContentDir(FString(RelativePath), Extension); }
	virtual FString RootToContentDir(const TCHAR* RelativePath, const TCHAR* Extension) { return RootToContentDir(FString(RelativePath), Extension); }
	virtual FString RootToContentDir(const FString& RelativePath, const TCHAR* Extension) { return (ContentRootDir / RelativePath) + Extension; }
	virtual FString RootToContentDir(const ANSICHAR* RelativePath) { return ContentRootDir / FString(RelativePath); }
	virtual FString RootToContentDir(const TCHAR* RelativePath) { return ContentRootDir / FString(RelativePath); }
	virtual FString RootToContentDir(const FString& RelativePath) { return ContentRootDir / RelativePath; }

	// Lookups this set cannot answer fall back to the set of that name.
	void SetParentStyleName(const FName& InParentStyleName) { ParentStyleName = InParentStyleName; }

	// Adds a brush under PropertyName; the set owns and later deletes it.
	template <typename BrushType> void Set(const FName PropertyName, BrushType* InBrush)
	{
		static_assert(std::is_base_of_v<FSlateBrush, BrushType>, "only brushes are stored by pointer");
		SetBrush(PropertyName, InBrush);
	}
	// Adds a copy of a widget style under StyleName.
	template <typename DefinitionType, typename = std::enable_if_t<std::is_base_of_v<FSlateWidgetStyle, DefinitionType>>>
	void Set(const FName StyleName, const DefinitionType& InStyleDefinition)
	{
		WidgetStyleValues.Add(StyleName, MakeShared<DefinitionType>(InStyleDefinition));
	}

protected:
	virtual const FSlateWidgetStyle* GetWidgetStyleInternal(const FName DesiredTypeName, const FName StyleName, const FSlateWidgetStyle* DefaultStyle,
															bool bWarnIfNotFound) const override;

private:
	void SetBrush(const FName PropertyName, FSlateBrush* InBrush);
	const FSlateBrush* FindBrush(const FName StyleName) const;
	const ISlateStyle* GetParentStyle() const;
	void LogMissingResource(const FName StyleName, const TCHAR* Kind) const;

	FName StyleSetName;
	FString ContentRootDir;
	FName ParentStyleName;
	TMap<FName, FSlateBrush*> BrushResources;
	TMap<FName, TSharedRef<FSlateWidgetStyle>> WidgetStyleValues;
	FSlateBrush* DefaultBrush = nullptr;
	mutable TSet<FName> MissingResources;
};
