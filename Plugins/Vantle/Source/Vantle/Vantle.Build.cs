// Copyright 2026 Vantle contributors. All Rights Reserved.

using UnrealBuildTool;

public class Vantle : ModuleRules
{
	public Vantle(ReadOnlyTargetRules Target) : base(Target)
	{
		PCHUsage = PCHUsageMode.UseExplicitOrSharedPCHs;

		PublicDependencyModuleNames.AddRange(new string[]
		{
			"Core",
			"CoreUObject",
			"Engine",
		});

		PrivateDependencyModuleNames.AddRange(new string[]
		{
			"UnrealEd",
			"EditorSubsystem",
			"MovieScene",
			"LevelSequence",
			"LevelSequenceEditor",
			"UniversalObjectLocator",
			"HTTP",
			"HTTPServer",
			"Json",
			"Projects",
			"ImageCore",
			"Slate",
			"SlateCore",
			"ToolMenus",
		});
	}
}
