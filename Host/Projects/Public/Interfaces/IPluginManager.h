// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/Array.h"
#include "Containers/StringView.h"
#include "Containers/UnrealString.h"
#include "PluginDescriptor.h"
#include "Templates/SharedPointer.h"

// A plugin the editor knows: its folder (the one holding the .uplugin file) and its descriptor.
class IPlugin : public TSharedFromThis<IPlugin>
{
public:
	virtual ~IPlugin() = default;

	virtual const FString& GetName() const = 0;
	virtual FString GetBaseDir() const = 0;
	// The plugin's folder joined with "Content".
	virtual FString GetContentDir() const = 0;
	virtual const FPluginDescriptor& GetDescriptor() const = 0;
	virtual bool IsEnabled() const = 0;
	virtual bool CanContainContent() const = 0;
};

// The editor's plugins, found by name (case ignored).
class IPluginManager
{
public:
	virtual ~IPluginManager() = default;

	static IPluginManager& Get();

	// The plugin of that name, enabled or not, or null.
	virtual TSharedPtr<IPlugin> FindPlugin(const FStringView Name) = 0;
	virtual TSharedPtr<IPlugin> FindPlugin(const ANSICHAR* Name) = 0;
	// The plugin of that name if it is enabled, or null.
	virtual TSharedPtr<IPlugin> FindEnabledPlugin(const FStringView Name) = 0;
	virtual TArray<TSharedRef<IPlugin>> GetEnabledPlugins() = 0;
	virtual TArray<TSharedRef<IPlugin>> GetDiscoveredPlugins() = 0;
};
