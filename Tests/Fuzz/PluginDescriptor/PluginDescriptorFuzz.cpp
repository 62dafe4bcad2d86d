// Copyright Vantle contributors. All Rights Reserved.
// The host's plugin descriptor reader on any text: the headless editor reads the plugin's
// .uplugin through it. Input: the descriptor text as UTF-8.
#include "FuzzSupport.h"
#include "PluginDescriptor.h"

// A descriptor no text produces, to see that a refused read leaves it alone.
static bool IsSentinel(const FPluginDescriptor& Descriptor)
{
	return Descriptor.FileVersion == 2 && Descriptor.FriendlyName == TEXT("sentinel") && Descriptor.Modules.Num() == 1 &&
		Descriptor.Modules[0].Name == FName(TEXT("SentinelModule")) && Descriptor.Plugins.IsEmpty();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
	FFuzzInput Input(Data, Size);
	const FString Text = UE::Host::FromUtf8(Input.Rest());

	FPluginDescriptor Descriptor;
	Descriptor.FileVersion = 2;
	Descriptor.FriendlyName = TEXT("sentinel");
	Descriptor.Modules.Add(FModuleDescriptor(FName(TEXT("SentinelModule"))));
	FText Reason;
	const bool bRead = Descriptor.Read(Text, &Reason);
	FPluginDescriptor Again;
	VANTLE_FUZZ_CHECK(Again.Read(Text) == bRead);

	int32 Index = INDEX_NONE;
	if (!bRead)
	{
		// Refused with a reason of one line, and nothing of the text taken over.
		VANTLE_FUZZ_CHECK(!Reason.IsEmpty());
		VANTLE_FUZZ_CHECK(!Reason.ToString().FindChar(TEXT('\n'), Index) && !Reason.ToString().FindChar(TEXT('\r'), Index));
		VANTLE_FUZZ_CHECK(IsSentinel(Descriptor));
		return 0;
	}
	VANTLE_FUZZ_CHECK(!Text.FindChar(TCHAR(0), Index));
	VANTLE_FUZZ_CHECK(Descriptor.FileVersion >= 1 && Descriptor.FileVersion <= 3);
	for (const FModuleDescriptor& Module : Descriptor.Modules)
	{
		VANTLE_FUZZ_CHECK(!Module.Name.IsNone());
		VANTLE_FUZZ_CHECK(Module.Type != EHostType::Max && Module.LoadingPhase != ELoadingPhase::Max);
	}
	for (const FPluginReferenceDescriptor& Reference : Descriptor.Plugins)
	{
		VANTLE_FUZZ_CHECK(!Reference.Name.IsEmpty());
	}
	return 0;
}
