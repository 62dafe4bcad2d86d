// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "HAL/Platform.h"
#include "UObject/NameTypes.h"

// Which kinds of program load a module.
namespace EHostType
{
	enum Type
	{
		Runtime,
		RuntimeNoCommandlet,
		RuntimeAndProgram,
		CookedOnly,
		UncookedOnly,
		Developer,
		DeveloperTool,
		Editor,
		EditorNoCommandlet,
		EditorAndProgram,
		Program,
		ServerOnly,
		ClientOnly,
		ClientOnlyNoCommandlet,
		Max,
	};

	// The value of that name (as written in a descriptor, case ignored), or Max.
	PROJECTS_API EHostType::Type FromString(const TCHAR* Text);
}

// When during start-up a module is loaded.
namespace ELoadingPhase
{
	enum Type
	{
		EarliestPossible,
		PostConfigInit,
		PostSplashScreen,
		PreEarlyLoadingScreen,
		PreLoadingScreen,
		PreDefault,
		Default,
		PostDefault,
		PostEngineInit,
		None,
		Max,
	};

	// The value of that name (case ignored), or Max.
	PROJECTS_API ELoadingPhase::Type FromString(const TCHAR* Text);
	PROJECTS_API const TCHAR* ToString(const ELoadingPhase::Type Value);
}

// One entry of a descriptor's "Modules" list.
struct FModuleDescriptor
{
	FModuleDescriptor(const FName InName = NAME_None, EHostType::Type InType = EHostType::Runtime, ELoadingPhase::Type InLoadingPhase = ELoadingPhase::Default)
		: Name(InName), Type(InType), LoadingPhase(InLoadingPhase)
	{
	}

	FName Name;
	EHostType::Type Type;
	ELoadingPhase::Type LoadingPhase;
};
