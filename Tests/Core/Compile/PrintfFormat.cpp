// Copyright Vantle contributors. All Rights Reserved.
// Built by the tests, one case at a time: each mismatched Printf must stop the build, as the
// engine's format checker does; the matching case must build.
#include "CoreMinimal.h"
#include "Logging/LogMacros.h"

DEFINE_LOG_CATEGORY_STATIC(LogPrintfProbe, Log, All);

void PrintfProbe(int32 Port, double Seconds, const TCHAR* Name, const ANSICHAR* Narrow, FOutputDevice& Ar)
{
#if defined(PRINTF_CASE_Matching)
	(void)FString::Printf(TEXT("%s %d %.1f %hs %p %*d %%"), Name, Port, Seconds, Narrow, Name, 4, Port);
	UE_LOG(LogPrintfProbe, Log, TEXT("%s"), Name);
	Ar.Logf(TEXT("%d"), Port);
#elif defined(PRINTF_CASE_MissingArgument)
	(void)FString::Printf(TEXT("%s on %d"), Name);
#elif defined(PRINTF_CASE_ExtraArgument)
	UE_LOG(LogPrintfProbe, Log, TEXT("port %d"), Port, Port);
#elif defined(PRINTF_CASE_IntegerForFloat)
	(void)FString::Printf(TEXT("%f"), Port);
#elif defined(PRINTF_CASE_FloatForInteger)
	(void)FString::Printf(TEXT("%d"), Seconds);
#elif defined(PRINTF_CASE_NarrowForWide)
	Ar.Logf(TEXT("%s"), Narrow);
#elif defined(PRINTF_CASE_InvalidSpecifier)
	(void)FString::Printf(TEXT("%q"), Port);
#endif
}
