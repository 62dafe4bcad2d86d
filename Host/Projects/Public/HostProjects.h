// Copyright Vantle contributors. All Rights Reserved.
// Host-only controls of the Projects stand-in: the headless editor mounts the plugins it loads.
// The plugin never includes this header.
#pragma once

#include "Containers/Array.h"
#include "Containers/StringView.h"
#include "Containers/UnrealString.h"

namespace UE::Host
{
	// Reads a .uplugin file and makes the plugin (named after the file) known and enabled. A missing
	// or malformed file, or a second plugin of the same name from elsewhere, is refused with a
	// message in OutError ("path:line:column: ..." for JSON errors); nothing is mounted then.
	PROJECTS_API bool MountPlugin(const FString& UpluginPath, FString& OutError);
	// Forgets every mounted plugin.
	PROJECTS_API void UnmountAll();
	// Enables or disables a mounted plugin (as -DisablePlugins does); false when it is not mounted.
	PROJECTS_API bool SetPluginEnabled(FStringView Name, bool bEnabled);
	// Names of the mounted plugins, in mount order.
	PROJECTS_API TArray<FString> GetMountedPluginNames();
}
