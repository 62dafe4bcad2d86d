// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/UnrealString.h"
#include "Logging/LogVerbosity.h"
#include "UObject/NameTypes.h"

// A log category: a name and a run-time verbosity that lines must not exceed.
struct FLogCategoryBase
{
	CORE_API FLogCategoryBase(const TCHAR* CategoryName, ELogVerbosity::Type DefaultVerbosity, ELogVerbosity::Type CompileTimeVerbosity);

	bool IsSuppressed(ELogVerbosity::Type VerbosityLevel) const
	{
		return (VerbosityLevel & ELogVerbosity::VerbosityMask) > Verbosity;
	}
	const FName& GetCategoryName() const { return CategoryName; }
	ELogVerbosity::Type GetVerbosity() const { return Verbosity; }
	CORE_API void SetVerbosity(ELogVerbosity::Type NewVerbosity);

private:
	ELogVerbosity::Type Verbosity;
	ELogVerbosity::Type DefaultVerbosity;
	ELogVerbosity::Type CompileTimeVerbosity;
	FName CategoryName;
};

namespace UE::Host
{
	// Hands one formatted line to the global log; Fatal lines stop the process afterwards.
	CORE_API void LogLine(const FName& Category, ELogVerbosity::Type Verbosity, const FString& Message);
}

#define DECLARE_LOG_CATEGORY_EXTERN(CategoryName, DefaultVerbosity, CompileTimeVerbosity) \
	extern struct FLogCategory##CategoryName : public FLogCategoryBase \
	{ \
		FLogCategory##CategoryName() : FLogCategoryBase(TEXT(#CategoryName), ELogVerbosity::DefaultVerbosity, ELogVerbosity::CompileTimeVerbosity) {} \
	} CategoryName;

#define DEFINE_LOG_CATEGORY(CategoryName) FLogCategory##CategoryName CategoryName;

#define DEFINE_LOG_CATEGORY_STATIC(CategoryName, DefaultVerbosity, CompileTimeVerbosity) \
	static struct FLogCategory##CategoryName : public FLogCategoryBase \
	{ \
		FLogCategory##CategoryName() : FLogCategoryBase(TEXT(#CategoryName), ELogVerbosity::DefaultVerbosity, ELogVerbosity::CompileTimeVerbosity) {} \
	} CategoryName;

#define UE_LOG(CategoryName, Verbosity, Format, ...) \
	do \
	{ \
		if (!(CategoryName).IsSuppressed(ELogVerbosity::Verbosity)) \
		{ \
			::UE::Host::LogLine((CategoryName).GetCategoryName(), ELogVerbosity::Verbosity, FString::Printf(Format, ##__VA_ARGS__)); \
		} \
	} while (0)
