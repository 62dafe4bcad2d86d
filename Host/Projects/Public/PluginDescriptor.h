// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/Array.h"
#include "Containers/UnrealString.h"
#include "Internationalization/Text.h"
#include "ModuleDescriptor.h"

enum class EPluginEnabledByDefault : uint8
{
	Unspecified,
	Enabled,
	Disabled,
};

// One entry of a descriptor's "Plugins" list: a plugin this one depends on.
struct FPluginReferenceDescriptor
{
	FString Name;
	bool bEnabled = false;
	bool bOptional = false;
};

// The contents of a .uplugin file.
struct FPluginDescriptor
{
	// Reads and validates the file; false with a reason (file:line:column for JSON errors) otherwise.
	bool Load(const FString& FileName, FText* OutFailReason = nullptr);
	// Reads and validates descriptor text.
	bool Read(const FString& Text, FText* OutFailReason = nullptr);

	int32 FileVersion = 3;
	int32 Version = 0;
	FString VersionName;
	FString FriendlyName;
	FString Description;
	FString Category;
	FString CreatedBy;
	FString CreatedByURL;
	FString DocsURL;
	FString MarketplaceURL;
	FString SupportURL;
	FString EngineVersion;
	EPluginEnabledByDefault EnabledByDefault = EPluginEnabledByDefault::Unspecified;
	bool bCanContainContent = false;
	bool bIsBetaVersion = false;
	bool bIsExperimentalVersion = false;
	bool bInstalled = false;
	TArray<FModuleDescriptor> Modules;
	TArray<FPluginReferenceDescriptor> Plugins;
};
