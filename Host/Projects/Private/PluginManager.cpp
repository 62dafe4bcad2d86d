// Copyright Vantle contributors. All Rights Reserved.
#include "HostProjects.h"
#include "Interfaces/IPluginManager.h"

#include "Logging/LogMacros.h"
#include "Misc/Paths.h"

DEFINE_LOG_CATEGORY_STATIC(LogPluginManager, Log, All);

namespace
{
	class FHostPlugin : public IPlugin
	{
	public:
		FHostPlugin(const FString& InName, const FString& InDescriptorFileName, const FPluginDescriptor& InDescriptor)
			: Name(InName), DescriptorFileName(InDescriptorFileName), Descriptor(InDescriptor)
		{
		}

		virtual const FString& GetName() const override { return Name; }
		virtual FString GetBaseDir() const override { return FPaths::GetPath(DescriptorFileName); }
		virtual FString GetContentDir() const override { return GetBaseDir() / TEXT("Content"); }
		virtual const FPluginDescriptor& GetDescriptor() const override { return Descriptor; }
		virtual bool IsEnabled() const override { return bEnabled; }
		virtual bool CanContainContent() const override { return Descriptor.bCanContainContent; }

		const FString& GetDescriptorFileName() const { return DescriptorFileName; }
		void SetDescriptor(const FPluginDescriptor& InDescriptor) { Descriptor = InDescriptor; }
		void SetEnabled(bool bInEnabled) { bEnabled = bInEnabled; }

	private:
		FString Name;
		FString DescriptorFileName;
		FPluginDescriptor Descriptor;
		bool bEnabled = true;
	};

	class FHostPluginManager : public IPluginManager
	{
	public:
		virtual TSharedPtr<IPlugin> FindPlugin(const FStringView Name) override { return Find(FString(Name)); }
		virtual TSharedPtr<IPlugin> FindPlugin(const ANSICHAR* Name) override { return Find(FString(Name)); }
		virtual TSharedPtr<IPlugin> FindEnabledPlugin(const FStringView Name) override
		{
			TSharedPtr<FHostPlugin> Plugin = Find(FString(Name));
			return Plugin.IsValid() && Plugin->IsEnabled() ? Plugin : nullptr;
		}
		virtual TArray<TSharedRef<IPlugin>> GetEnabledPlugins() override
		{
			TArray<TSharedRef<IPlugin>> Result;
			for (const TSharedRef<FHostPlugin>& Plugin : Plugins)
			{
				if (Plugin->IsEnabled())
				{
					Result.Add(Plugin);
				}
			}
			return Result;
		}
		virtual TArray<TSharedRef<IPlugin>> GetDiscoveredPlugins() override
		{
			TArray<TSharedRef<IPlugin>> Result;
			for (const TSharedRef<FHostPlugin>& Plugin : Plugins)
			{
				Result.Add(Plugin);
			}
			return Result;
		}

		// Plugin names compare without regard to case, as the engine's do.
		TSharedPtr<FHostPlugin> Find(const FString& Name) const
		{
			const TSharedRef<FHostPlugin>* Found =
				Plugins.FindByPredicate([&Name](const TSharedRef<FHostPlugin>& Plugin) { return Plugin->GetName() == Name; });
			return Found ? TSharedPtr<FHostPlugin>(*Found) : nullptr;
		}

		TArray<TSharedRef<FHostPlugin>> Plugins;
	};

	FHostPluginManager& GetHostPluginManager()
	{
		static FHostPluginManager* Manager = new FHostPluginManager();
		return *Manager;
	}
}

IPluginManager& IPluginManager::Get()
{
	return GetHostPluginManager();
}

bool UE::Host::MountPlugin(const FString& UpluginPath, FString& OutError)
{
	OutError.Reset();
	if (!UpluginPath.EndsWith(TEXT(".uplugin")))
	{
		OutError = UpluginPath + TEXT(": not a .uplugin file");
		return false;
	}
	if (!FPaths::FileExists(UpluginPath))
	{
		OutError = UpluginPath + TEXT(": file not found");
		return false;
	}
	FPluginDescriptor Descriptor;
	FText Reason;
	if (!Descriptor.Load(UpluginPath, &Reason))
	{
		OutError = Reason.ToString();
		return false;
	}

	const FString FullPath = FPaths::ConvertRelativePathToFull(UpluginPath);
	const FString Name = FPaths::GetBaseFilename(FullPath);
	FHostPluginManager& Manager = GetHostPluginManager();
	if (TSharedPtr<FHostPlugin> Existing = Manager.Find(Name))
	{
		if (!Existing->GetDescriptorFileName().Equals(FullPath, ESearchCase::CaseSensitive))
		{
			OutError = FString::Printf(TEXT("%s: a plugin named '%s' is already mounted from %s"), *UpluginPath, *Name, *Existing->GetDescriptorFileName());
			return false;
		}
		// Mounting the same file again reads it again.
		Existing->SetDescriptor(Descriptor);
		return true;
	}
	Manager.Plugins.Add(MakeShared<FHostPlugin>(Name, FullPath, Descriptor));
	UE_LOG(LogPluginManager, Verbose, TEXT("Mounted plugin '%s' from %s"), *Name, *FullPath);
	return true;
}

void UE::Host::UnmountAll()
{
	GetHostPluginManager().Plugins.Reset();
}

bool UE::Host::SetPluginEnabled(FStringView Name, bool bEnabled)
{
	TSharedPtr<FHostPlugin> Plugin = GetHostPluginManager().Find(FString(Name));
	if (!Plugin.IsValid())
	{
		return false;
	}
	Plugin->SetEnabled(bEnabled);
	return true;
}

TArray<FString> UE::Host::GetMountedPluginNames()
{
	TArray<FString> Names;
	for (const TSharedRef<FHostPlugin>& Plugin : GetHostPluginManager().Plugins)
	{
		Names.Add(Plugin->GetName());
	}
	return Names;
}
