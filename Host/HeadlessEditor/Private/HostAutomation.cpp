// Copyright 2026 Vantle contributors. All Rights Reserved.
#include "HostAutomation.h"

#include "Dom/JsonObject.h"
#include "Dom/JsonValue.h"
#include "HAL/FileManager.h"
#include "HAL/PlatformTime.h"
#include "Misc/AutomationTest.h"
#include "Misc/FileHelper.h"
#include "Misc/Guid.h"
#include "Misc/Paths.h"
#include "Policies/PrettyJsonPrintPolicy.h"
#include "Serialization/JsonSerializer.h"
#include "Serialization/JsonWriter.h"

#include <ctime>

DEFINE_LOG_CATEGORY_STATIC(LogAutomationCommandLine, Log, All);
DEFINE_LOG_CATEGORY_STATIC(LogAutomationController, Log, All);

namespace UE::Host
{
	namespace
	{
		FString Now()
		{
			const std::time_t Time = std::time(nullptr);
			std::tm Parts{};
			gmtime_r(&Time, &Parts);
			return FString::Printf(TEXT("%04d.%02d.%02d-%02d.%02d.%02d"), Parts.tm_year + 1900, Parts.tm_mon + 1, Parts.tm_mday, Parts.tm_hour, Parts.tm_min, Parts.tm_sec);
		}

		const TCHAR* EventTypeName(EAutomationEventType Type)
		{
			switch (Type)
			{
			case EAutomationEventType::Error:
				return TEXT("Error");
			case EAutomationEventType::Warning:
				return TEXT("Warning");
			default:
				return TEXT("Info");
			}
		}

		// Filters as the editor's command takes them: '+' separates several, each matches any part
		// of the full test path, ignoring case.
		bool MatchesFilter(const FString& FullPath, const TArray<FString>& Filters)
		{
			for (const FString& Filter : Filters)
			{
				if (FullPath.Contains(Filter, ESearchCase::IgnoreCase))
				{
					return true;
				}
			}
			return false;
		}
	}

	struct FAutomationRunner::FRun
	{
		struct FResult
		{
			FAutomationTestInfo Info;
			FString State = TEXT("NotRun");
			FString DateTime;
			FAutomationTestExecutionInfo Execution;
		};
		TArray<FResult> Results;
		int32 Next = 0;
		bool bTestRunning = false;
		double StartTime = 0.0;
		FString Instance = FGuid::NewGuid().ToString();
	};

	FAutomationRunner::FAutomationRunner(const FString& InReportExportPath) : ReportExportPath(InReportExportPath)
	{
	}

	FAutomationRunner::~FAutomationRunner()
	{
		if (!Run.IsValid())
		{
			return;
		}
		if (Run->bTestRunning)
		{
			FRun::FResult& Result = Run->Results[Run->Next];
			FAutomationTestFramework::Get().StopTest(Result.Execution);
			Result.Execution.Entries.Add(FAutomationExecutionEntry{FAutomationEvent(EAutomationEventType::Error, TEXT("The editor shut down while the test ran.")), FString(), 0});
			Result.State = TEXT("Fail");
		}
		Finish();
	}

	bool FAutomationRunner::IsRunning() const
	{
		return Run.IsValid();
	}

	void FAutomationRunner::Exec(const TArray<FString>& Args)
	{
		const FString Verb = Args.Num() > 0 ? Args[0] : FString();
		TArray<FAutomationTestInfo> Tests;
		FAutomationTestFramework::Get().GetValidTestNames(Tests);
		// The editor offers only the tests meant for it.
		Tests.RemoveAll([](const FAutomationTestInfo& Info)
			{
				return (Info.GetTestFlags() & EAutomationTestFlags::EditorContext) == EAutomationTestFlags::None
					|| (Info.GetTestFlags() & EAutomationTestFlags::Disabled) != EAutomationTestFlags::None;
			});
		if (Verb.Equals(TEXT("List"), ESearchCase::IgnoreCase))
		{
			for (const FAutomationTestInfo& Info : Tests)
			{
				UE_LOG(LogAutomationCommandLine, Display, TEXT("%s"), *Info.GetFullTestPath());
			}
			UE_LOG(LogAutomationCommandLine, Display, TEXT("Found %d Automation Tests"), Tests.Num());
			return;
		}
		if (!Verb.Equals(TEXT("RunTests"), ESearchCase::IgnoreCase) || Args.Num() < 2)
		{
			UE_LOG(LogAutomationCommandLine, Error, TEXT("Usage: Automation RunTests <filter>[+<filter>...] | Automation List"));
			return;
		}
		if (Run.IsValid())
		{
			UE_LOG(LogAutomationCommandLine, Error, TEXT("Automation tests are already running; wait for TEST COMPLETE."));
			return;
		}
		FString FilterText;
		for (int32 Index = 1; Index < Args.Num(); ++Index)
		{
			FilterText += (Index > 1 ? TEXT(" ") : TEXT("")) + Args[Index];
		}
		TArray<FString> Filters;
		FilterText.ParseIntoArray(Filters, TEXT("+"), true);
		for (FString& Filter : Filters)
		{
			Filter = Filter.TrimStartAndEnd();
		}
		Run = MakeShared<FRun>();
		Run->StartTime = FPlatformTime::Seconds();
		for (const FAutomationTestInfo& Info : Tests)
		{
			if (MatchesFilter(Info.GetFullTestPath(), Filters))
			{
				Run->Results.Add(FRun::FResult{Info});
			}
		}
		UE_LOG(LogAutomationCommandLine, Display, TEXT("Found %d automation tests based on '%s'"), Run->Results.Num(), *FString::Join(Filters, TEXT("+")));
		if (Run->Results.IsEmpty())
		{
			// A filter that names nothing is a mistake a CI run must not pass over.
			UE_LOG(LogAutomationCommandLine, Error, TEXT("No automation tests matched '%s'"), *FString::Join(Filters, TEXT("+")));
			Finish();
		}
	}

	void FAutomationRunner::Tick()
	{
		if (!Run.IsValid())
		{
			return;
		}
		FAutomationTestFramework& Framework = FAutomationTestFramework::Get();
		if (!Run->bTestRunning)
		{
			if (Run->Next >= Run->Results.Num())
			{
				Finish();
				return;
			}
			FRun::FResult& Result = Run->Results[Run->Next];
			UE_LOG(LogAutomationController, Display, TEXT("Test Started. Name={%s} Path={%s}"), *Result.Info.GetDisplayName(), *Result.Info.GetFullTestPath());
			Result.State = TEXT("InProcess");
			Result.DateTime = Now();
			Run->bTestRunning = true;
			Framework.StartTestByName(Result.Info.GetTestName(), Result.Info.GetTestParameter());
			// Latent work begins at the next frame, as in the editor.
			return;
		}
		if (!Framework.ExecuteLatentCommands())
		{
			return;
		}
		FRun::FResult& Result = Run->Results[Run->Next];
		const bool bPassed = Framework.StopTest(Result.Execution);
		Result.State = bPassed ? TEXT("Success") : TEXT("Fail");
		UE_LOG(LogAutomationController, Display, TEXT("BeginEvents: %s"), *Result.Info.GetFullTestPath());
		for (const FAutomationExecutionEntry& Entry : Result.Execution.Entries)
		{
			switch (Entry.Event.Type)
			{
			case EAutomationEventType::Error:
				UE_LOG(LogAutomationController, Error, TEXT("%s"), *Entry.Event.Message);
				break;
			case EAutomationEventType::Warning:
				UE_LOG(LogAutomationController, Warning, TEXT("%s"), *Entry.Event.Message);
				break;
			default:
				UE_LOG(LogAutomationController, Display, TEXT("%s"), *Entry.Event.Message);
				break;
			}
		}
		UE_LOG(LogAutomationController, Display, TEXT("EndEvents: %s"), *Result.Info.GetFullTestPath());
		UE_LOG(LogAutomationController, Display, TEXT("Test Completed. Result={%s}. Name={%s} Path={%s}"), *Result.State, *Result.Info.GetDisplayName(),
			*Result.Info.GetFullTestPath());
		Run->bTestRunning = false;
		++Run->Next;
	}

	void FAutomationRunner::Finish()
	{
		int32 Succeeded = 0;
		int32 SucceededWithWarnings = 0;
		int32 Failed = 0;
		int32 NotRun = 0;
		TArray<TSharedPtr<FJsonValue>> Tests;
		for (const FRun::FResult& Result : Run->Results)
		{
			const bool bSuccess = Result.State == TEXT("Success");
			const bool bWarnings = Result.Execution.GetWarningTotal() > 0;
			Succeeded += bSuccess && !bWarnings ? 1 : 0;
			SucceededWithWarnings += bSuccess && bWarnings ? 1 : 0;
			Failed += Result.State == TEXT("Fail") ? 1 : 0;
			NotRun += Result.State == TEXT("NotRun") ? 1 : 0;

			TSharedPtr<FJsonObject> Test = MakeShared<FJsonObject>();
			Test->SetStringField(TEXT("testDisplayName"), Result.Info.GetDisplayName());
			Test->SetStringField(TEXT("fullTestPath"), Result.Info.GetFullTestPath());
			Test->SetStringField(TEXT("state"), Result.State);
			Test->SetArrayField(TEXT("deviceInstance"), TArray<TSharedPtr<FJsonValue>>{MakeShared<FJsonValueString>(Run->Instance)});
			Test->SetNumberField(TEXT("duration"), Result.Execution.Duration);
			Test->SetStringField(TEXT("dateTime"), Result.DateTime);
			TArray<TSharedPtr<FJsonValue>> Entries;
			for (const FAutomationExecutionEntry& Entry : Result.Execution.Entries)
			{
				TSharedPtr<FJsonObject> Event = MakeShared<FJsonObject>();
				Event->SetStringField(TEXT("type"), EventTypeName(Entry.Event.Type));
				Event->SetStringField(TEXT("message"), Entry.Event.Message);
				Event->SetStringField(TEXT("context"), Entry.Event.Context);
				Event->SetStringField(TEXT("artifact"), TEXT("00000000000000000000000000000000"));
				TSharedPtr<FJsonObject> Wrapped = MakeShared<FJsonObject>();
				Wrapped->SetObjectField(TEXT("event"), Event);
				Wrapped->SetStringField(TEXT("filename"), Entry.Filename);
				Wrapped->SetNumberField(TEXT("lineNumber"), Entry.LineNumber);
				Wrapped->SetStringField(TEXT("timestamp"), Result.DateTime);
				Entries.Add(MakeShared<FJsonValueObject>(Wrapped));
			}
			Test->SetArrayField(TEXT("entries"), Entries);
			Test->SetNumberField(TEXT("warnings"), Result.Execution.GetWarningTotal());
			Test->SetNumberField(TEXT("errors"), Result.Execution.GetErrorTotal());
			Test->SetArrayField(TEXT("artifacts"), {});
			Tests.Add(MakeShared<FJsonValueObject>(Test));
		}
		const double TotalDuration = FPlatformTime::Seconds() - Run->StartTime;
		const bool bAllPassed = !Run->Results.IsEmpty() && Failed == 0 && NotRun == 0;
		if (!bAllPassed)
		{
			ExitCode = -1;
		}

		if (!ReportExportPath.IsEmpty())
		{
			TSharedPtr<FJsonObject> Device = MakeShared<FJsonObject>();
			Device->SetStringField(TEXT("deviceName"), TEXT("vantle-editor"));
			Device->SetStringField(TEXT("instance"), Run->Instance);
			Device->SetStringField(TEXT("platform"), TEXT("LinuxEditor"));
			TSharedRef<FJsonObject> Report = MakeShared<FJsonObject>();
			Report->SetArrayField(TEXT("devices"), TArray<TSharedPtr<FJsonValue>>{MakeShared<FJsonValueObject>(Device)});
			Report->SetStringField(TEXT("reportCreatedOn"), Now());
			Report->SetNumberField(TEXT("succeeded"), Succeeded);
			Report->SetNumberField(TEXT("succeededWithWarnings"), SucceededWithWarnings);
			Report->SetNumberField(TEXT("failed"), Failed);
			Report->SetNumberField(TEXT("notRun"), NotRun);
			Report->SetNumberField(TEXT("inProcess"), 0);
			Report->SetNumberField(TEXT("totalDuration"), TotalDuration);
			Report->SetBoolField(TEXT("comparisonExported"), false);
			Report->SetStringField(TEXT("comparisonExportDirectory"), FString());
			Report->SetArrayField(TEXT("tests"), Tests);
			FString Text;
			FJsonSerializer::Serialize(Report, TJsonWriterFactory<TCHAR, TPrettyJsonPrintPolicy<TCHAR>>::Create(&Text));
			const FString Path = ReportExportPath / TEXT("index.json");
			IFileManager::Get().MakeDirectory(*ReportExportPath, true);
			if (FFileHelper::SaveStringToFile(Text, *Path, FFileHelper::EEncodingOptions::ForceUTF8WithoutBOM))
			{
				UE_LOG(LogAutomationController, Display, TEXT("Report can be found in %s"), *Path);
			}
			else
			{
				UE_LOG(LogAutomationController, Error, TEXT("Could not write the report to %s"), *Path);
				ExitCode = -1;
			}
		}
		UE_LOG(LogAutomationCommandLine, Display, TEXT("**** TEST COMPLETE. EXIT CODE: %d ****"), bAllPassed ? 0 : -1);
		Run.Reset();
	}
}
