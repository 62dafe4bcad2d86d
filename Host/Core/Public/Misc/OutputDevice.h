// Copyright Vantle contributors. All Rights Reserved.
#pragma once

#include "Containers/UnrealString.h"
#include "Logging/LogVerbosity.h"
#include "UObject/NameTypes.h"

class FArchive;
namespace UE
{
	class FLogRecord;
}

// A sink for log lines. Only the three-argument Serialize must be implemented.
class FOutputDevice
{
public:
	CORE_API FOutputDevice();
	CORE_API virtual ~FOutputDevice();
	FOutputDevice(FOutputDevice&&) = default;
	FOutputDevice(const FOutputDevice&) = default;
	FOutputDevice& operator=(FOutputDevice&&) = default;
	FOutputDevice& operator=(const FOutputDevice&) = default;

	virtual void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category) = 0;
	// Forwards to the three-argument form.
	virtual void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category, const double Time)
	{
		(void)Time;
		Serialize(V, Verbosity, Category);
	}
	// Formats the record and forwards it to Serialize.
	CORE_API virtual void SerializeRecord(const UE::FLogRecord& Record);
	virtual void Flush() {}
	virtual void TearDown() {}
	virtual void Dump(FArchive& Ar) { (void)Ar; }
	virtual bool IsMemoryOnly() const { return false; }
	virtual bool CanBeUsedOnAnyThread() const { return false; }
	virtual bool CanBeUsedOnMultipleThreads() const { return false; }
	virtual bool CanBeUsedOnPanicThread() const { return false; }

	void SetSuppressEventTag(bool bInSuppressEventTag) { bSuppressEventTag = bInSuppressEventTag; }
	void SetAutoEmitLineTerminator(bool bInAutoEmitLineTerminator) { bAutoEmitLineTerminator = bInAutoEmitLineTerminator; }

	// Writes a line at verbosity Log with no category.
	CORE_API void Log(const TCHAR* S);
	CORE_API void Log(ELogVerbosity::Type Verbosity, const TCHAR* S);
	CORE_API void Log(const FName& Category, ELogVerbosity::Type Verbosity, const TCHAR* Str);
	void Log(const FString& S) { Log(*S); }
	template <typename... Types>
	void Logf(TCheckedPrintfFormat<std::type_identity_t<Types>...> Fmt, Types... Args) { Log(*FString::Printf(Fmt, Args...)); }
	template <typename... Types>
	void Logf(ELogVerbosity::Type Verbosity, TCheckedPrintfFormat<std::type_identity_t<Types>...> Fmt, Types... Args) { Log(Verbosity, *FString::Printf(Fmt, Args...)); }

protected:
	bool bSuppressEventTag = false;
	bool bAutoEmitLineTerminator = true;
};
