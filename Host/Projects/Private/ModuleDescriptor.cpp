// Copyright Vantle contributors. All Rights Reserved.
#include "ModuleDescriptor.h"

#include "Containers/UnrealString.h"

namespace
{
	const TCHAR* const HostTypeNames[] = {
		TEXT("Runtime"),
		TEXT("RuntimeNoCommandlet"),
		TEXT("RuntimeAndProgram"),
		TEXT("CookedOnly"),
		TEXT("UncookedOnly"),
		TEXT("Developer"),
		TEXT("DeveloperTool"),
		TEXT("Editor"),
		TEXT("EditorNoCommandlet"),
		TEXT("EditorAndProgram"),
		TEXT("Program"),
		TEXT("ServerOnly"),
		TEXT("ClientOnly"),
		TEXT("ClientOnlyNoCommandlet"),
	};
	static_assert(sizeof(HostTypeNames) / sizeof(HostTypeNames[0]) == EHostType::Max, "one name per host type");

	const TCHAR* const LoadingPhaseNames[] = {
		TEXT("EarliestPossible"), TEXT("PostConfigInit"), TEXT("PostSplashScreen"), TEXT("PreEarlyLoadingScreen"), TEXT("PreLoadingScreen"),
		TEXT("PreDefault"),		  TEXT("Default"),		  TEXT("PostDefault"),		TEXT("PostEngineInit"),		   TEXT("None"),
	};
	static_assert(sizeof(LoadingPhaseNames) / sizeof(LoadingPhaseNames[0]) == ELoadingPhase::Max, "one name per loading phase");

	int32 FindName(const TCHAR* const* Names, int32 Count, const TCHAR* Text)
	{
		for (int32 Index = 0; Text && Index < Count; ++Index)
		{
			if (FCString::Stricmp(Names[Index], Text) == 0)
			{
				return Index;
			}
		}
		return Count;
	}
}

EHostType::Type EHostType::FromString(const TCHAR* Text)
{
	return static_cast<EHostType::Type>(FindName(HostTypeNames, EHostType::Max, Text));
}

ELoadingPhase::Type ELoadingPhase::FromString(const TCHAR* Text)
{
	return static_cast<ELoadingPhase::Type>(FindName(LoadingPhaseNames, ELoadingPhase::Max, Text));
}

const TCHAR* ELoadingPhase::ToString(const ELoadingPhase::Type Value)
{
	return Value >= 0 && Value < ELoadingPhase::Max ? LoadingPhaseNames[Value] : TEXT("");
}
