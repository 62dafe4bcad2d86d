// Copyright Vantle contributors. All Rights Reserved.
#include "HostSceneDescription.h"
#include "HostSceneJson.h"

#include <initializer_list>

namespace UE::Host::Scene
{
	namespace
	{
		using EKind = FJsonValue::EKind;

		const TCHAR* DescribeKind(EKind Kind)
		{
			switch (Kind)
			{
			case EKind::Null:
				return TEXT("null");
			case EKind::Bool:
				return TEXT("a boolean");
			case EKind::Number:
				return TEXT("a number");
			case EKind::String:
				return TEXT("a string");
			case EKind::Array:
				return TEXT("an array");
			case EKind::Object:
			default:
				return TEXT("an object");
			}
		}

		FString Quote(const FString& Text)
		{
			return TEXT("\"") + Text + TEXT("\"");
		}

		FString MemberPath(const FString& Path, const char* Key)
		{
			return Path + TEXT(".") + FString(Key);
		}

		FString ElementPath(const FString& Path, int32 Index)
		{
			return Path + FString::Printf(TEXT("[%d]"), Index);
		}

		// Walks the parsed JSON along the scene contract; the first error wins.
		class FSceneReader
		{
		public:
			FSceneReader(std::string_view InText, const FString& InDisplayName) : Text(InText), DisplayName(InDisplayName) {}

			FString Error;

			bool ReadScene(const FJsonValue& Root, FSceneDescription& Out)
			{
				const FString Path = TEXT("$");
				if (!ExpectObject(Root, Path, {"project", "world", "sequences", "focus", "playWorld"}))
				{
					return false;
				}
				if (!ReadString(Root, "project", Path, Out.Project))
				{
					return false;
				}
				if (const FJsonMember* Project = Root.FindMember("project"); Project && Out.Project.IsEmpty())
				{
					return Fail(Project->Value.Offset, MemberPath(Path, "project"), TEXT("the project name must not be empty"));
				}
				if (const FJsonMember* World = Root.FindMember("world"); World && World->Value.Kind != EKind::Null)
				{
					if (!ReadWorld(World->Value, MemberPath(Path, "world"), Out))
					{
						return false;
					}
				}
				if (const FJsonMember* Sequences = Root.FindMember("sequences"))
				{
					if (!ReadSequences(Sequences->Value, MemberPath(Path, "sequences"), Out))
					{
						return false;
					}
				}
				if (const FJsonMember* Focus = Root.FindMember("focus"); Focus && Focus->Value.Kind != EKind::Null)
				{
					FString FocusPath;
					if (!ReadString(Root, "focus", Path, FocusPath))
					{
						return false;
					}
					for (int32 Index = 0; Index < Out.Sequences.Num() && Out.FocusIndex == INDEX_NONE; ++Index)
					{
						Out.FocusIndex = Out.Sequences[Index].Path == FocusPath ? Index : INDEX_NONE;
					}
					if (Out.FocusIndex == INDEX_NONE)
					{
						return Fail(Focus->Value.Offset, MemberPath(Path, "focus"), TEXT("no sequence has the path ") + Quote(FocusPath));
					}
				}
				if (!ReadBool(Root, "playWorld", Path, Out.bPlayWorld))
				{
					return false;
				}
				if (Out.bPlayWorld && !Out.bHasWorld)
				{
					return Fail(Root.FindMember("playWorld")->Value.Offset, MemberPath(Path, "playWorld"), TEXT("Play-In-Editor needs a world"));
				}
				return true;
			}

		private:
			std::string_view Text;
			FString DisplayName;

			bool Fail(size_t Offset, const FString& Path, const FString& Message)
			{
				if (Error.IsEmpty())
				{
					Error = DisplayName + TEXT(":") + DescribePosition(Text, Offset) + TEXT(": ") + Path + TEXT(": ") + Message;
				}
				return false;
			}

			bool ExpectKind(const FJsonValue& Value, const FString& Path, EKind Kind)
			{
				if (Value.Kind != Kind)
				{
					return Fail(Value.Offset, Path, FString::Printf(TEXT("expected %s, found %s"), DescribeKind(Kind), DescribeKind(Value.Kind)));
				}
				return true;
			}

			bool ExpectObject(const FJsonValue& Value, const FString& Path, std::initializer_list<const char*> Allowed)
			{
				if (!ExpectKind(Value, Path, EKind::Object))
				{
					return false;
				}
				for (const FJsonMember& Member : Value.Members)
				{
					bool bKnown = false;
					for (const char* Key : Allowed)
					{
						bKnown |= Member.Key == Key;
					}
					if (!bKnown)
					{
						FString Expected;
						for (const char* Key : Allowed)
						{
							Expected += (Expected.IsEmpty() ? TEXT("") : TEXT(", ")) + FString(Key);
						}
						return Fail(Member.KeyOffset, Path, TEXT("unknown key ") + Quote(UE::Host::FromUtf8(Member.Key)) + TEXT(" (known keys: ") + Expected + TEXT(")"));
					}
				}
				return true;
			}

			bool Require(const FJsonValue& Object, const char* Key, const FString& Path)
			{
				if (!Object.FindMember(Key))
				{
					return Fail(Object.Offset, Path, TEXT("missing key ") + Quote(FString(Key)));
				}
				return true;
			}

			// Absent keys leave Out as it is.
			bool ReadString(const FJsonValue& Object, const char* Key, const FString& Path, FString& Out)
			{
				const FJsonMember* Member = Object.FindMember(Key);
				if (!Member)
				{
					return true;
				}
				if (!ExpectKind(Member->Value, MemberPath(Path, Key), EKind::String))
				{
					return false;
				}
				Out = UE::Host::FromUtf8(Member->Value.Text);
				return true;
			}

			bool ReadBool(const FJsonValue& Object, const char* Key, const FString& Path, bool& bOut)
			{
				const FJsonMember* Member = Object.FindMember(Key);
				if (!Member)
				{
					return true;
				}
				if (!ExpectKind(Member->Value, MemberPath(Path, Key), EKind::Bool))
				{
					return false;
				}
				bOut = Member->Value.bBool;
				return true;
			}

			bool ReadArray(const FJsonValue& Object, const char* Key, const FString& Path, const FJsonValue*& OutArray)
			{
				const FJsonMember* Member = Object.FindMember(Key);
				OutArray = nullptr;
				if (!Member)
				{
					return true;
				}
				if (!ExpectKind(Member->Value, MemberPath(Path, Key), EKind::Array))
				{
					return false;
				}
				OutArray = &Member->Value;
				return true;
			}

			bool ReadGuid(const FJsonValue& Object, const char* Key, const FString& Path, FGuid& Out)
			{
				const FJsonMember* Member = Object.FindMember(Key);
				if (!Member || Member->Value.Kind == EKind::Null)
				{
					return true;
				}
				FString Digits;
				if (!ReadString(Object, Key, Path, Digits))
				{
					return false;
				}
				bool bHex = Digits.Len() == 32;
				for (int32 Index = 0; bHex && Index < Digits.Len(); ++Index)
				{
					bHex = FChar::IsHexDigit(Digits[Index]);
				}
				if (!bHex || !FGuid::ParseExact(Digits, EGuidFormats::Digits, Out))
				{
					return Fail(Member->Value.Offset, MemberPath(Path, Key), TEXT("malformed GUID ") + Quote(Digits) + TEXT(" (expected exactly 32 hexadecimal digits)"));
				}
				return true;
			}

			bool ReadObjectName(const FJsonValue& Object, const char* Key, const FString& Path, FString& Out)
			{
				if (!Require(Object, Key, Path) || !ReadString(Object, Key, Path, Out))
				{
					return false;
				}
				const FString Problem = CheckObjectName(Out);
				if (!Problem.IsEmpty())
				{
					return Fail(Object.FindMember(Key)->Value.Offset, MemberPath(Path, Key), Problem);
				}
				return true;
			}

			bool ReadWorld(const FJsonValue& World, const FString& Path, FSceneDescription& Out)
			{
				if (!ExpectObject(World, Path, {"map", "actors"}))
				{
					return false;
				}
				Out.bHasWorld = true;
				Out.MapName = TEXT("Untitled");
				if (!ReadString(World, "map", Path, Out.MapName))
				{
					return false;
				}
				if (const FJsonMember* Map = World.FindMember("map"))
				{
					FString Problem = CheckObjectName(Out.MapName);
					if (Problem.IsEmpty() && Out.MapName.Contains(TEXT("/")))
					{
						Problem = TEXT("a map name is the short name, without '/'");
					}
					if (!Problem.IsEmpty())
					{
						return Fail(Map->Value.Offset, MemberPath(Path, "map"), Problem);
					}
				}
				const FJsonValue* Actors = nullptr;
				if (!ReadArray(World, "actors", Path, Actors))
				{
					return false;
				}
				if (!Actors)
				{
					return true;
				}
				const FString ActorsPath = MemberPath(Path, "actors");
				for (int32 Index = 0; Index < static_cast<int32>(Actors->Elements.size()); ++Index)
				{
					if (!ReadActor(Actors->Elements[Index], ElementPath(ActorsPath, Index), Out.Actors.Emplace_GetRef()))
					{
						return false;
					}
				}
				return true;
			}

			bool ReadActor(const FJsonValue& Actor, const FString& Path, FActorDescription& Out)
			{
				if (!ExpectObject(Actor, Path, {"label", "components", "garbage", "unreachable"}) || !ReadObjectName(Actor, "label", Path, Out.Label)
					|| !ReadBool(Actor, "garbage", Path, Out.bGarbage) || !ReadBool(Actor, "unreachable", Path, Out.bUnreachable))
				{
					return false;
				}
				const FJsonValue* Components = nullptr;
				if (!ReadArray(Actor, "components", Path, Components))
				{
					return false;
				}
				if (!Components)
				{
					return true;
				}
				const FString ComponentsPath = MemberPath(Path, "components");
				TSet<FString> Names;
				for (int32 Index = 0; Index < static_cast<int32>(Components->Elements.size()); ++Index)
				{
					const FJsonValue& Element = Components->Elements[Index];
					const FString ElementAt = ElementPath(ComponentsPath, Index);
					FComponentDescription& Component = Out.Components.Emplace_GetRef();
					if (Element.Kind == EKind::String)
					{
						Component.Name = UE::Host::FromUtf8(Element.Text);
						const FString Problem = CheckObjectName(Component.Name);
						if (!Problem.IsEmpty())
						{
							return Fail(Element.Offset, ElementAt, Problem);
						}
					}
					else if (Element.Kind == EKind::Object)
					{
						if (!ExpectObject(Element, ElementAt, {"name", "garbage", "unreachable"}) || !ReadObjectName(Element, "name", ElementAt, Component.Name)
							|| !ReadBool(Element, "garbage", ElementAt, Component.bGarbage) || !ReadBool(Element, "unreachable", ElementAt, Component.bUnreachable))
						{
							return false;
						}
					}
					else
					{
						return Fail(Element.Offset, ElementAt, FString::Printf(TEXT("expected a string or an object, found %s"), DescribeKind(Element.Kind)));
					}
					bool bDuplicate = false;
					Names.Add(Component.Name, &bDuplicate);
					if (bDuplicate)
					{
						return Fail(Element.Offset, ElementAt, TEXT("duplicate component ") + Quote(Component.Name) + TEXT(" in actor ") + Quote(Out.Label));
					}
				}
				return true;
			}

			bool ReadSequences(const FJsonValue& Sequences, const FString& Path, FSceneDescription& Out)
			{
				if (!ExpectKind(Sequences, Path, EKind::Array))
				{
					return false;
				}
				TMap<FString, int32> IndexByPath;
				for (int32 Index = 0; Index < static_cast<int32>(Sequences.Elements.size()); ++Index)
				{
					const FJsonValue& Element = Sequences.Elements[Index];
					const FString ElementAt = ElementPath(Path, Index);
					FSequenceDescription& Sequence = Out.Sequences.Emplace_GetRef();
					if (!ReadSequence(Element, ElementAt, Sequence))
					{
						return false;
					}
					if (const int32* First = IndexByPath.Find(Sequence.Path))
					{
						return Fail(Element.FindMember("path")->Value.Offset, MemberPath(ElementAt, "path"),
							TEXT("duplicate sequence path ") + Quote(Sequence.Path) + FString::Printf(TEXT(" (also %s[%d])"), *Path, *First));
					}
					IndexByPath.Add(Sequence.Path, Index);
				}
				return true;
			}

			bool ReadSequencePath(const FJsonValue& Sequence, const FString& Path, FSequenceDescription& Out)
			{
				if (!Require(Sequence, "path", Path) || !ReadString(Sequence, "path", Path, Out.Path))
				{
					return false;
				}
				const size_t Offset = Sequence.FindMember("path")->Value.Offset;
				const FString PathAt = MemberPath(Path, "path");
				const FString Expected = TEXT(" (expected a full object path such as /Game/Cinematics/Intro.Intro)");
				if (!Out.Path.StartsWith(TEXT("/")) || Out.Path.Contains(TEXT(":")))
				{
					return Fail(Offset, PathAt, TEXT("sequence path ") + Quote(Out.Path) + TEXT(" is not an object path") + Expected);
				}
				int32 Dot = INDEX_NONE;
				if (Out.Path.FindChar(u'.', Dot))
				{
					Out.PackageName = Out.Path.Left(Dot);
					Out.ObjectName = Out.Path.RightChop(Dot + 1);
					if (Out.ObjectName.Contains(TEXT(".")) || Out.ObjectName.Contains(TEXT("/")) || Out.PackageName.EndsWith(TEXT("/")))
					{
						return Fail(Offset, PathAt, TEXT("sequence path ") + Quote(Out.Path) + TEXT(" is not Package.Name") + Expected);
					}
				}
				else
				{
					int32 Slash = INDEX_NONE;
					Out.Path.FindLastChar(u'/', Slash);
					Out.PackageName = Out.Path.Left(Slash + 1);
					Out.ObjectName = Out.Path.RightChop(Slash + 1);
				}
				if (Out.ObjectName.IsEmpty() || Out.PackageName.IsEmpty())
				{
					return Fail(Offset, PathAt, TEXT("sequence path ") + Quote(Out.Path) + TEXT(" names no object") + Expected);
				}
				return true;
			}

			bool ReadSequence(const FJsonValue& Sequence, const FString& Path, FSequenceDescription& Out)
			{
				if (!ExpectObject(Sequence, Path, {"path", "movieScene", "bindingReferences", "possessables", "spawnables"}) || !ReadSequencePath(Sequence, Path, Out)
					|| !ReadBool(Sequence, "movieScene", Path, Out.bMovieScene) || !ReadBool(Sequence, "bindingReferences", Path, Out.bBindingReferences))
				{
					return false;
				}
				const FJsonValue* Possessables = nullptr;
				const FJsonValue* Spawnables = nullptr;
				if (!ReadArray(Sequence, "possessables", Path, Possessables) || !ReadArray(Sequence, "spawnables", Path, Spawnables))
				{
					return false;
				}
				// Possessables and spawnables share one GUID space.
				TMap<FGuid, FString> FirstUse;
				if (Possessables)
				{
					const FString ListPath = MemberPath(Path, "possessables");
					for (int32 Index = 0; Index < static_cast<int32>(Possessables->Elements.size()); ++Index)
					{
						const FJsonValue& Element = Possessables->Elements[Index];
						const FString ElementAt = ElementPath(ListPath, Index);
						FPossessableDescription& Possessable = Out.Possessables.Emplace_GetRef();
						if (!ReadPossessable(Element, ElementAt, Possessable) || !CheckUnique(Element, ElementAt, Possessable.Guid, Out.Path, FirstUse))
						{
							return false;
						}
					}
				}
				if (Spawnables)
				{
					const FString ListPath = MemberPath(Path, "spawnables");
					for (int32 Index = 0; Index < static_cast<int32>(Spawnables->Elements.size()); ++Index)
					{
						const FJsonValue& Element = Spawnables->Elements[Index];
						const FString ElementAt = ElementPath(ListPath, Index);
						FSpawnableDescription& Spawnable = Out.Spawnables.Emplace_GetRef();
						if (!ExpectObject(Element, ElementAt, {"guid", "name"}) || !ReadBindingGuid(Element, ElementAt, Spawnable.Guid)
							|| !Require(Element, "name", ElementAt) || !ReadString(Element, "name", ElementAt, Spawnable.Name)
							|| !CheckUnique(Element, ElementAt, Spawnable.Guid, Out.Path, FirstUse))
						{
							return false;
						}
					}
				}
				return true;
			}

			bool ReadBindingGuid(const FJsonValue& Binding, const FString& Path, FGuid& Out)
			{
				if (!Require(Binding, "guid", Path) || !ReadGuid(Binding, "guid", Path, Out))
				{
					return false;
				}
				if (!Out.IsValid())
				{
					return Fail(Binding.FindMember("guid")->Value.Offset, MemberPath(Path, "guid"), TEXT("the zero GUID cannot identify a binding"));
				}
				return true;
			}

			bool ReadPossessable(const FJsonValue& Possessable, const FString& Path, FPossessableDescription& Out)
			{
				if (!ExpectObject(Possessable, Path, {"guid", "name", "parent", "boundTo", "custom"}) || !ReadBindingGuid(Possessable, Path, Out.Guid)
					|| !Require(Possessable, "name", Path) || !ReadString(Possessable, "name", Path, Out.Name) || !ReadGuid(Possessable, "parent", Path, Out.Parent)
					|| !ReadBool(Possessable, "custom", Path, Out.bCustom))
				{
					return false;
				}
				const FJsonValue* BoundTo = nullptr;
				if (!ReadArray(Possessable, "boundTo", Path, BoundTo))
				{
					return false;
				}
				if (!BoundTo)
				{
					return true;
				}
				const FString BoundToPath = MemberPath(Path, "boundTo");
				for (int32 Index = 0; Index < static_cast<int32>(BoundTo->Elements.size()); ++Index)
				{
					const FJsonValue& Element = BoundTo->Elements[Index];
					if (!ExpectKind(Element, ElementPath(BoundToPath, Index), EKind::String))
					{
						return false;
					}
					const FString Target = UE::Host::FromUtf8(Element.Text);
					// A child resolves inside what its parent resolved to, so it names an object there
					// by name; a path here used to mean a path from the world.
					if (Out.Parent.IsValid() && (Target.Contains(TEXT(".")) || Target.Contains(TEXT(":"))))
					{
						return Fail(Element.Offset, ElementPath(BoundToPath, Index),
							Quote(Target) + TEXT(" is a path, but a child binding names an object inside its parent's object by its name alone (for a component \"Sword\" of the parent's actor: \"Sword\")"));
					}
					Out.BoundTo.Add(Target);
				}
				return true;
			}

			bool CheckUnique(const FJsonValue& Binding, const FString& Path, const FGuid& Guid, const FString& SequencePath, TMap<FGuid, FString>& FirstUse)
			{
				if (const FString* First = FirstUse.Find(Guid))
				{
					return Fail(Binding.FindMember("guid")->Value.Offset, MemberPath(Path, "guid"),
						TEXT("duplicate GUID ") + Guid.ToString() + TEXT(" in sequence ") + Quote(SequencePath) + TEXT(" (also ") + *First + TEXT(")"));
				}
				FirstUse.Add(Guid, Path);
				return true;
			}
		};
	}

	FString CheckObjectName(const FString& Name)
	{
		if (Name.IsEmpty())
		{
			return TEXT("the name must not be empty");
		}
		if (Name.Contains(TEXT(".")) || Name.Contains(TEXT(":")))
		{
			return TEXT("the name ") + Quote(Name) + TEXT(" contains '.' or ':', which separate the names of an object path");
		}
		return FString();
	}

	bool ReadSceneDescription(std::string_view Text, const FString& DisplayName, FSceneDescription& Out, FString& OutError)
	{
		FJsonValue Root;
		FString ParseError;
		if (!ParseJson(Text, Root, ParseError))
		{
			OutError = DisplayName + TEXT(":") + ParseError;
			return false;
		}
		FSceneReader Reader(Text, DisplayName);
		FSceneDescription Description;
		if (!Reader.ReadScene(Root, Description))
		{
			OutError = Reader.Error;
			return false;
		}
		Out = std::move(Description);
		return true;
	}
}
