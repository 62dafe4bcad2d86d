// Copyright 2026 Vantle contributors. All Rights Reserved.
// Host-only: the editor's automation controller for the headless editor. "Automation RunTests
// <filter>" runs the matching automation tests one after another between frames, writes the
// engine's log lines for the run and, with -ReportExportPath, its JSON report.
#pragma once

#include "Containers/Array.h"
#include "Containers/UnrealString.h"
#include "Templates/SharedPointer.h"

namespace UE::Host
{
	class FAutomationRunner
	{
	public:
		// ReportExportPath: the folder for index.json; empty writes no report.
		explicit FAutomationRunner(const FString& InReportExportPath);
		~FAutomationRunner();

		// The console command "Automation" with its arguments: "RunTests <filter>[+<filter>...]" or "List".
		void Exec(const TArray<FString>& Args);
		// Once a frame, after the core ticker: starts, advances or ends the running test.
		void Tick();
		bool IsRunning() const;
		// 0 while every run so far passed; -1 once a run had a failed test or matched no test.
		int32 GetExitCode() const { return ExitCode; }

	private:
		struct FRun;
		void Finish();

		FString ReportExportPath;
		TSharedPtr<FRun> Run;
		int32 ExitCode = 0;
	};
}
