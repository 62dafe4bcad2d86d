// Copyright Vantle contributors. All Rights Reserved.
// vantle-editor: the headless editor that hosts the Vantle plugin.
#include "HostEditor.h"

#include <cstdio>

int main(int ArgC, char** ArgV)
{
	TArray<FString> Args;
	for (int Index = 1; Index < ArgC; ++Index)
	{
		Args.Add(UE::Host::FromUtf8(ArgV[Index]));
	}

	UE::Host::FEditorOptions Options;
	FString Error;
	if (!UE::Host::ParseEditorCommandLine(Args, Options, Error))
	{
		std::fprintf(stderr, "vantle-editor: %s\n%s", UE::Host::ToUtf8(Error).c_str(), UE::Host::ToUtf8(UE::Host::GetEditorUsage()).c_str());
		return 2;
	}
	if (Options.bShowHelp)
	{
		std::fputs(UE::Host::ToUtf8(UE::Host::GetEditorUsage()).c_str(), stdout);
		return 0;
	}
	Options.bReadStdin = true;

	UE::Host::FHeadlessEditor Editor;
	if (!Editor.Init(Options, Error))
	{
		std::fprintf(stderr, "vantle-editor: %s\n", UE::Host::ToUtf8(Error).c_str());
		return 2;
	}
	const int32 ExitCode = Editor.Run();
	Editor.Shutdown();
	return ExitCode;
}
