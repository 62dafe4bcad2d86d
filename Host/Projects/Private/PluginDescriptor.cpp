// Copyright Vantle contributors. All Rights Reserved.
#include "PluginDescriptor.h"

#include "HAL/FileManager.h"
#include "Misc/FileHelper.h"

#include <nlohmann/json.hpp>

#include <string>

namespace
{
	using FJson = nlohmann::json;

	constexpr int32 LatestFileVersion = 3;
	// Descriptors are a few hundred bytes; anything this large is not one.
	constexpr int64 MaxDescriptorBytes = 4 * 1024 * 1024;

	// Finds where a malformed text stops being JSON. Only the error is of interest; every other
	// event just lets parsing go on.
	struct FErrorLocator : public nlohmann::json_sax<FJson>
	{
		bool null() override { return true; }
		bool boolean(bool) override { return true; }
		bool number_integer(number_integer_t) override { return true; }
		bool number_unsigned(number_unsigned_t) override { return true; }
		bool number_float(number_float_t, const string_t&) override { return true; }
		bool string(string_t&) override { return true; }
		bool binary(binary_t&) override { return true; }
		bool start_object(std::size_t) override { return true; }
		bool key(string_t&) override { return true; }
		bool end_object() override { return true; }
		bool start_array(std::size_t) override { return true; }
		bool end_array() override { return true; }
		bool parse_error(std::size_t InPosition, const std::string&, const nlohmann::detail::exception& Exception) override
		{
			Position = InPosition;
			Message = Exception.what();
			return false;
		}

		std::size_t Position = 0;
		std::string Message;
	};

	// "file:line:column: description" from nlohmann's "[json.exception...] parse error at line L, column C: description".
	FString DescribeParseError(const std::string& Utf8, const FString& Source)
	{
		FErrorLocator Locator;
		FJson::sax_parse(Utf8, &Locator, nlohmann::detail::input_format_t::json, true);
		// The reported position is one past the offending character.
		const std::size_t Offset = Locator.Position > 0 ? Locator.Position - 1 : 0;
		int32 Line = 1;
		int32 Column = 1;
		for (std::size_t Index = 0; Index < Offset && Index < Utf8.size(); ++Index)
		{
			if (Utf8[Index] == '\n')
			{
				++Line;
				Column = 1;
			}
			else if ((static_cast<unsigned char>(Utf8[Index]) & 0xC0) != 0x80)
			{
				++Column;
			}
		}
		std::string Description = Locator.Message;
		const std::size_t Colon = Description.find(": ", Description.find("column"));
		if (Colon != std::string::npos)
		{
			Description = Description.substr(Colon + 2);
		}
		if (Description.empty())
		{
			Description = "the text is not valid JSON";
		}
		const FString Where = FString::Printf(TEXT("%d:%d"), Line, Column);
		return (Source.IsEmpty() ? Where : Source + TEXT(":") + Where) + TEXT(": ") + UE::Host::FromUtf8(Description);
	}

	// Text from the file as a message quotes it: control characters escaped, so a reason stays one line.
	FString Escaped(const FString& Text)
	{
		FString Out;
		for (int32 Index = 0; Index < Text.Len(); ++Index)
		{
			const TCHAR Ch = Text[Index];
			if (Ch == u'\n')
			{
				Out += TEXT("\\n");
			}
			else if (Ch == u'\r')
			{
				Out += TEXT("\\r");
			}
			else if (Ch == u'\t')
			{
				Out += TEXT("\\t");
			}
			else if (Ch < 0x20 || Ch == 0x7F)
			{
				Out += FString::Printf(TEXT("\\u%04x"), static_cast<int32>(Ch));
			}
			else
			{
				Out.AppendChar(Ch);
			}
		}
		return Out;
	}

	class FDescriptorReader
	{
	public:
		FDescriptorReader(const FJson& InRoot, const FString& InSource) : Root(InRoot), Source(InSource) {}

		bool Read(FPluginDescriptor& Out)
		{
			if (!Root.is_object())
			{
				return Fail(TEXT("the descriptor is not a JSON object"));
			}
			const FJson* FileVersion = Find(Root, "FileVersion");
			if (!FileVersion)
			{
				FileVersion = Find(Root, "PluginFileVersion");
			}
			if (!FileVersion)
			{
				return Fail(TEXT("'FileVersion' is missing"));
			}
			if (!FileVersion->is_number_integer())
			{
				return Fail(TEXT("'FileVersion' must be an integer"));
			}
			const int64 Version = FileVersion->get<int64>();
			if (Version < 1 || Version > LatestFileVersion)
			{
				return Fail(FString::Printf(TEXT("file version %lld is not supported (1 to %d)"), static_cast<long long>(Version), LatestFileVersion));
			}
			Out.FileVersion = static_cast<int32>(Version);

			bool bEnabledByDefault = false;
			bool bHasEnabledByDefault = false;
			if (!ReadInt(Root, "Version", Out.Version) || !ReadString(Root, "VersionName", Out.VersionName) ||
				!ReadString(Root, "FriendlyName", Out.FriendlyName) || !ReadString(Root, "Description", Out.Description) ||
				!ReadString(Root, "Category", Out.Category) || !ReadString(Root, "CreatedBy", Out.CreatedBy) ||
				!ReadString(Root, "CreatedByURL", Out.CreatedByURL) || !ReadString(Root, "DocsURL", Out.DocsURL) ||
				!ReadString(Root, "MarketplaceURL", Out.MarketplaceURL) || !ReadString(Root, "SupportURL", Out.SupportURL) ||
				!ReadString(Root, "EngineVersion", Out.EngineVersion) || !ReadBool(Root, "CanContainContent", Out.bCanContainContent) ||
				!ReadBool(Root, "IsBetaVersion", Out.bIsBetaVersion) || !ReadBool(Root, "IsExperimentalVersion", Out.bIsExperimentalVersion) ||
				!ReadBool(Root, "Installed", Out.bInstalled) || !ReadBool(Root, "EnabledByDefault", bEnabledByDefault, &bHasEnabledByDefault))
			{
				return false;
			}
			if (bHasEnabledByDefault)
			{
				Out.EnabledByDefault = bEnabledByDefault ? EPluginEnabledByDefault::Enabled : EPluginEnabledByDefault::Disabled;
			}
			return ReadModules(Out) && ReadPlugins(Out);
		}

		const FString& GetError() const { return Error; }

	private:
		static const FJson* Find(const FJson& Object, const char* Key)
		{
			auto It = Object.find(Key);
			return It == Object.end() ? nullptr : &*It;
		}

		bool Fail(const FString& Message)
		{
			Error = Source.IsEmpty() ? Message : Source + TEXT(": ") + Message;
			return false;
		}

		bool ReadString(const FJson& Object, const char* Key, FString& Out)
		{
			const FJson* Value = Find(Object, Key);
			if (!Value)
			{
				return true;
			}
			if (!Value->is_string())
			{
				return Fail(FString::Printf(TEXT("'%s' must be a string"), *UE::Host::FromUtf8(Key)));
			}
			Out = UE::Host::FromUtf8(Value->get_ref<const std::string&>());
			return true;
		}

		bool ReadBool(const FJson& Object, const char* Key, bool& Out, bool* bOutFound = nullptr)
		{
			const FJson* Value = Find(Object, Key);
			if (!Value)
			{
				return true;
			}
			if (!Value->is_boolean())
			{
				return Fail(FString::Printf(TEXT("'%s' must be true or false"), *UE::Host::FromUtf8(Key)));
			}
			Out = Value->get<bool>();
			if (bOutFound)
			{
				*bOutFound = true;
			}
			return true;
		}

		bool ReadInt(const FJson& Object, const char* Key, int32& Out)
		{
			const FJson* Value = Find(Object, Key);
			if (!Value)
			{
				return true;
			}
			if (!Value->is_number_integer() || Value->get<int64>() < INT32_MIN || Value->get<int64>() > INT32_MAX)
			{
				return Fail(FString::Printf(TEXT("'%s' must be an integer"), *UE::Host::FromUtf8(Key)));
			}
			Out = static_cast<int32>(Value->get<int64>());
			return true;
		}

		bool ReadModules(FPluginDescriptor& Out)
		{
			const FJson* Modules = Find(Root, "Modules");
			if (!Modules)
			{
				return true;
			}
			if (!Modules->is_array())
			{
				return Fail(TEXT("'Modules' must be an array"));
			}
			for (std::size_t Index = 0; Index < Modules->size(); ++Index)
			{
				const FJson& Entry = (*Modules)[Index];
				if (!Entry.is_object())
				{
					return Fail(FString::Printf(TEXT("module %d is not an object"), static_cast<int32>(Index)));
				}
				FString Name;
				FString Type;
				FString Phase;
				if (!ReadString(Entry, "Name", Name) || !ReadString(Entry, "Type", Type) || !ReadString(Entry, "LoadingPhase", Phase))
				{
					return false;
				}
				if (Name.IsEmpty())
				{
					return Fail(FString::Printf(TEXT("module %d has no 'Name'"), static_cast<int32>(Index)));
				}
				if (Type.IsEmpty())
				{
					return Fail(FString::Printf(TEXT("module '%s' has no 'Type'"), *Escaped(Name)));
				}
				FModuleDescriptor Module(FName(Name), EHostType::FromString(*Type), ELoadingPhase::Default);
				if (Module.Type == EHostType::Max)
				{
					return Fail(FString::Printf(TEXT("module '%s' has an unknown Type '%s'"), *Escaped(Name), *Escaped(Type)));
				}
				if (!Phase.IsEmpty())
				{
					Module.LoadingPhase = ELoadingPhase::FromString(*Phase);
					if (Module.LoadingPhase == ELoadingPhase::Max)
					{
						return Fail(FString::Printf(TEXT("module '%s' has an unknown LoadingPhase '%s'"), *Escaped(Name), *Escaped(Phase)));
					}
				}
				Out.Modules.Add(Module);
			}
			return true;
		}

		bool ReadPlugins(FPluginDescriptor& Out)
		{
			const FJson* Plugins = Find(Root, "Plugins");
			if (!Plugins)
			{
				return true;
			}
			if (!Plugins->is_array())
			{
				return Fail(TEXT("'Plugins' must be an array"));
			}
			for (std::size_t Index = 0; Index < Plugins->size(); ++Index)
			{
				const FJson& Entry = (*Plugins)[Index];
				if (!Entry.is_object())
				{
					return Fail(FString::Printf(TEXT("plugin reference %d is not an object"), static_cast<int32>(Index)));
				}
				FPluginReferenceDescriptor Reference;
				if (!ReadString(Entry, "Name", Reference.Name) || !ReadBool(Entry, "Enabled", Reference.bEnabled) ||
					!ReadBool(Entry, "Optional", Reference.bOptional))
				{
					return false;
				}
				if (Reference.Name.IsEmpty())
				{
					return Fail(FString::Printf(TEXT("plugin reference %d has no 'Name'"), static_cast<int32>(Index)));
				}
				Out.Plugins.Add(Reference);
			}
			return true;
		}

		const FJson& Root;
		FString Source;
		FString Error;
	};

	bool ReadDescriptor(FPluginDescriptor& Descriptor, const FString& Text, const FString& Source, FText* OutFailReason)
	{
		// nlohmann takes U+0000 for the end of the input and would accept whatever came before it.
		int32 Nul = INDEX_NONE;
		if (Text.FindChar(TCHAR(0), Nul))
		{
			if (OutFailReason)
			{
				const FString Message = FString::Printf(TEXT("a NUL character (U+0000) at offset %d is not valid JSON"), Nul);
				*OutFailReason = FText::FromString(Source.IsEmpty() ? Message : Source + TEXT(": ") + Message);
			}
			return false;
		}
		const std::string Utf8 = UE::Host::ToUtf8(Text);
		const FJson Root = FJson::parse(Utf8, nullptr, false);
		if (Root.is_discarded())
		{
			if (OutFailReason)
			{
				*OutFailReason = FText::FromString(DescribeParseError(Utf8, Source));
			}
			return false;
		}
		// A failed read leaves the descriptor as it was.
		FPluginDescriptor Result;
		FDescriptorReader Reader(Root, Source);
		if (!Reader.Read(Result))
		{
			if (OutFailReason)
			{
				*OutFailReason = FText::FromString(Reader.GetError());
			}
			return false;
		}
		Descriptor = Result;
		return true;
	}
}

bool FPluginDescriptor::Load(const FString& FileName, FText* OutFailReason)
{
	if (IFileManager::Get().FileSize(*FileName) > MaxDescriptorBytes)
	{
		if (OutFailReason)
		{
			*OutFailReason = FText::FromString(FileName + TEXT(": the file is too large for a plugin descriptor"));
		}
		return false;
	}
	FString Text;
	if (!FFileHelper::LoadFileToString(Text, *FileName))
	{
		if (OutFailReason)
		{
			*OutFailReason = FText::FromString(FileName + TEXT(": the file cannot be read"));
		}
		return false;
	}
	return ReadDescriptor(*this, Text, FileName, OutFailReason);
}

bool FPluginDescriptor::Read(const FString& Text, FText* OutFailReason)
{
	return ReadDescriptor(*this, Text, FString(), OutFailReason);
}
