// Copyright Vantle contributors. All Rights Reserved.
#include "HostScene.h"
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
				return TEXT("true or false");
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

		FString Key(const char* Name)
		{
			return TEXT("\"") + FString(Name) + TEXT("\"");
		}

		bool IsControl(TCHAR Ch)
		{
			return Ch < 0x20 || (Ch >= 0x7F && Ch <= 0x9F);
		}

		// Walks the parsed JSON along the scene format; the first error wins.
		class FSceneReader
		{
		public:
			FSceneReader(std::string_view InText, const FString& InDisplayName) : Text(InText), DisplayName(InDisplayName) {}

			FString Error;

			bool ReadScene(const FJsonValue& Root, FSceneDescription& Out)
			{
				if (Root.Kind != EKind::Object)
				{
					return Fail(Root.Offset, FString::Printf(TEXT("a scene file holds one JSON object, not %s"), DescribeKind(Root.Kind)));
				}
				if (!ExpectKeys(Root, TEXT("the scene"), {"project", "world", "sequences", "focus", "playWorld"}) || !ReadName(Root, "project", TEXT("project name"), Out.Project, true))
				{
					return false;
				}
				if (const FJsonMember* World = Root.FindMember("world"); World && World->Value.Kind != EKind::Null)
				{
					if (!ReadWorld(World->Value, Out))
					{
						return false;
					}
				}
				if (const FJsonMember* Sequences = Root.FindMember("sequences"))
				{
					if (!ReadSequences(Sequences->Value, Out))
					{
						return false;
					}
				}
				if (const FJsonMember* Focus = Root.FindMember("focus"); Focus && Focus->Value.Kind != EKind::Null)
				{
					FString FocusPath;
					if (!ReadString(Root, "focus", FocusPath))
					{
						return false;
					}
					for (int32 Index = 0; Index < Out.Sequences.Num() && Out.FocusIndex == INDEX_NONE; ++Index)
					{
						Out.FocusIndex = Out.Sequences[Index].Path == FocusPath ? Index : INDEX_NONE;
					}
					if (Out.FocusIndex == INDEX_NONE)
					{
						return Fail(Focus->Value.Offset, TEXT("\"focus\" names no sequence of this scene: ") + QuoteForMessage(FocusPath));
					}
				}
				if (!ReadBool(Root, "playWorld", Out.bPlayWorld))
				{
					return false;
				}
				if (Out.bPlayWorld && !Out.bHasWorld)
				{
					return Fail(Root.FindMember("playWorld")->Value.Offset, TEXT("\"playWorld\": Play-In-Editor needs a world, and this scene has none"));
				}
				return true;
			}

		private:
			std::string_view Text;
			FString DisplayName;

			FString At(size_t Offset) const { return DescribePosition(Text, Offset); }

			bool Fail(size_t Offset, const FString& Message)
			{
				if (Error.IsEmpty())
				{
					Error = EscapeForMessage(DisplayName) + TEXT(":") + At(Offset) + TEXT(": ") + Message;
				}
				return false;
			}

			bool ExpectKind(const FJsonValue& Value, const FString& Subject, EKind Kind)
			{
				if (Value.Kind != Kind)
				{
					return Fail(Value.Offset, FString::Printf(TEXT("%s must be %s, not %s"), *Subject, DescribeKind(Kind), DescribeKind(Value.Kind)));
				}
				return true;
			}

			// An object of the scene format: only the keys it may have. Where names it ("an actor").
			bool ExpectKeys(const FJsonValue& Value, const FString& Where, std::initializer_list<const char*> Allowed)
			{
				for (const FJsonMember& Member : Value.Members)
				{
					bool bKnown = false;
					for (const char* Known : Allowed)
					{
						bKnown |= Member.Key == Known;
					}
					if (!bKnown)
					{
						FString Expected;
						for (const char* Known : Allowed)
						{
							Expected += (Expected.IsEmpty() ? TEXT("") : TEXT(", ")) + FString(Known);
						}
						return Fail(Member.KeyOffset, TEXT("unknown key ") + QuoteForMessage(FromUtf8(Member.Key)) + TEXT(" in ") + Where + TEXT(" (known keys: ") + Expected + TEXT(")"));
					}
				}
				return true;
			}

			bool ExpectObject(const FJsonValue& Value, const FString& Subject, const FString& Where, std::initializer_list<const char*> Allowed)
			{
				return ExpectKind(Value, Subject, EKind::Object) && ExpectKeys(Value, Where, Allowed);
			}

			bool Require(const FJsonValue& Object, const char* Name, const FString& Where)
			{
				if (!Object.FindMember(Name))
				{
					return Fail(Object.Offset, Where + TEXT(" needs the key ") + Key(Name));
				}
				return true;
			}

			// Absent keys leave Out as it is.
			bool ReadString(const FJsonValue& Object, const char* Name, FString& Out)
			{
				const FJsonMember* Member = Object.FindMember(Name);
				if (!Member)
				{
					return true;
				}
				if (!ExpectKind(Member->Value, Key(Name), EKind::String))
				{
					return false;
				}
				Out = FromUtf8(Member->Value.Text);
				return true;
			}

			bool ReadBool(const FJsonValue& Object, const char* Name, bool& bOut)
			{
				const FJsonMember* Member = Object.FindMember(Name);
				if (!Member)
				{
					return true;
				}
				if (!ExpectKind(Member->Value, Key(Name), EKind::Bool))
				{
					return false;
				}
				bOut = Member->Value.bBool;
				return true;
			}

			bool ReadArray(const FJsonValue& Object, const char* Name, const FJsonValue*& OutArray)
			{
				const FJsonMember* Member = Object.FindMember(Name);
				OutArray = nullptr;
				if (!Member)
				{
					return true;
				}
				if (!ExpectKind(Member->Value, Key(Name), EKind::Array))
				{
					return false;
				}
				OutArray = &Member->Value;
				return true;
			}

			// A string checked as a name (or, with bPath, as a path); absent keys leave Out as it is.
			bool ReadName(const FJsonValue& Object, const char* Name, const TCHAR* What, FString& Out, bool bPath = false)
			{
				if (!ReadString(Object, Name, Out))
				{
					return false;
				}
				if (const FJsonMember* Member = Object.FindMember(Name))
				{
					const FString Problem = CheckObjectName(Out, What, bPath);
					if (!Problem.IsEmpty())
					{
						return Fail(Member->Value.Offset, Problem);
					}
				}
				return true;
			}

			bool ReadGuid(const FJsonValue& Object, const char* Name, FGuid& Out)
			{
				const FJsonMember* Member = Object.FindMember(Name);
				if (!Member || Member->Value.Kind == EKind::Null)
				{
					return true;
				}
				FString Digits;
				if (!ReadString(Object, Name, Digits))
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
					return Fail(Member->Value.Offset, Key(Name) + TEXT(" must be a GUID of exactly 32 hexadecimal digits, not ") + QuoteForMessage(Digits));
				}
				return true;
			}

			bool ReadWorld(const FJsonValue& World, FSceneDescription& Out)
			{
				if (!ExpectObject(World, TEXT("\"world\""), TEXT("\"world\""), {"map", "actors"}))
				{
					return false;
				}
				Out.bHasWorld = true;
				Out.MapName = TEXT("Untitled");
				Out.MapAt = At(World.Offset);
				if (!ReadName(World, "map", TEXT("map name"), Out.MapName))
				{
					return false;
				}
				if (const FJsonMember* Map = World.FindMember("map"))
				{
					Out.MapAt = At(Map->Value.Offset);
					if (Out.MapName.Contains(TEXT("/")))
					{
						return Fail(Map->Value.Offset, TEXT("the map name ") + QuoteForMessage(Out.MapName) + TEXT(" is a path; give the map's short name, without '/'"));
					}
				}
				const FJsonValue* Actors = nullptr;
				if (!ReadArray(World, "actors", Actors))
				{
					return false;
				}
				for (size_t Index = 0; Actors && Index < Actors->Elements.size(); ++Index)
				{
					if (!ReadActor(Actors->Elements[Index], Out.Actors.Emplace_GetRef()))
					{
						return false;
					}
				}
				return true;
			}

			bool ReadActor(const FJsonValue& Actor, FActorDescription& Out)
			{
				if (!ExpectObject(Actor, TEXT("each entry of \"actors\""), TEXT("an actor"), {"label", "components", "garbage", "unreachable"})
					|| !Require(Actor, "label", TEXT("an actor")) || !ReadName(Actor, "label", TEXT("actor label"), Out.Label) || !ReadBool(Actor, "garbage", Out.bGarbage)
					|| !ReadBool(Actor, "unreachable", Out.bUnreachable))
				{
					return false;
				}
				const FJsonValue* Components = nullptr;
				if (!ReadArray(Actor, "components", Components))
				{
					return false;
				}
				TMap<FString, size_t> FirstUse;
				for (size_t Index = 0; Components && Index < Components->Elements.size(); ++Index)
				{
					const FJsonValue& Element = Components->Elements[Index];
					FComponentDescription& Component = Out.Components.Emplace_GetRef();
					if (Element.Kind == EKind::String)
					{
						Component.Name = FromUtf8(Element.Text);
						const FString Problem = CheckObjectName(Component.Name, TEXT("component name"));
						if (!Problem.IsEmpty())
						{
							return Fail(Element.Offset, Problem);
						}
					}
					else if (Element.Kind == EKind::Object)
					{
						if (!ExpectKeys(Element, TEXT("a component"), {"name", "garbage", "unreachable"}) || !Require(Element, "name", TEXT("a component"))
							|| !ReadName(Element, "name", TEXT("component name"), Component.Name) || !ReadBool(Element, "garbage", Component.bGarbage)
							|| !ReadBool(Element, "unreachable", Component.bUnreachable))
						{
							return false;
						}
					}
					else
					{
						return Fail(Element.Offset, FString::Printf(TEXT("each entry of \"components\" must be a name or an object, not %s"), DescribeKind(Element.Kind)));
					}
					// Object names compare without regard to case.
					if (const size_t* First = FirstUse.Find(Component.Name))
					{
						return Fail(Element.Offset, TEXT("the actor ") + QuoteForMessage(Out.Label) + TEXT(" already has a component named ") + QuoteForMessage(Component.Name)
								+ TEXT(" (at ") + At(*First) + TEXT(")"));
					}
					FirstUse.Add(Component.Name, Element.Offset);
				}
				return true;
			}

			bool ReadSequences(const FJsonValue& Sequences, FSceneDescription& Out)
			{
				if (!ExpectKind(Sequences, TEXT("\"sequences\""), EKind::Array))
				{
					return false;
				}
				TMap<FString, size_t> FirstUse;
				for (const FJsonValue& Element : Sequences.Elements)
				{
					FSequenceDescription& Sequence = Out.Sequences.Emplace_GetRef();
					if (!ReadSequence(Element, Sequence))
					{
						return false;
					}
					const size_t PathOffset = Element.FindMember("path")->Value.Offset;
					// Paths compare without regard to case, as object names do.
					if (const size_t* First = FirstUse.Find(Sequence.Path))
					{
						return Fail(PathOffset, TEXT("the sequence path ") + QuoteForMessage(Sequence.Path) + TEXT(" is used twice (first at ") + At(*First) + TEXT(")"));
					}
					FirstUse.Add(Sequence.Path, PathOffset);
				}
				return true;
			}

			bool ReadSequencePath(const FJsonValue& Sequence, FSequenceDescription& Out)
			{
				if (!Require(Sequence, "path", TEXT("a sequence")) || !ReadName(Sequence, "path", TEXT("sequence path"), Out.Path, true))
				{
					return false;
				}
				const size_t Offset = Sequence.FindMember("path")->Value.Offset;
				Out.PathAt = At(Offset);
				const FString Expected = TEXT(" (expected a full object path such as /Game/Cinematics/Intro.Intro)");
				if (!Out.Path.StartsWith(TEXT("/")) || Out.Path.Contains(TEXT(":")))
				{
					return Fail(Offset, TEXT("the sequence path ") + QuoteForMessage(Out.Path) + TEXT(" is not an object path") + Expected);
				}
				int32 Dot = INDEX_NONE;
				if (Out.Path.FindChar(u'.', Dot))
				{
					Out.PackageName = Out.Path.Left(Dot);
					Out.ObjectName = Out.Path.RightChop(Dot + 1);
					if (Out.ObjectName.Contains(TEXT(".")) || Out.ObjectName.Contains(TEXT("/")) || Out.PackageName.EndsWith(TEXT("/")))
					{
						return Fail(Offset, TEXT("the sequence path ") + QuoteForMessage(Out.Path) + TEXT(" is not Package.Name") + Expected);
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
					return Fail(Offset, TEXT("the sequence path ") + QuoteForMessage(Out.Path) + TEXT(" names no object") + Expected);
				}
				return true;
			}

			bool ReadSequence(const FJsonValue& Sequence, FSequenceDescription& Out)
			{
				if (!ExpectObject(Sequence, TEXT("each entry of \"sequences\""), TEXT("a sequence"), {"path", "movieScene", "bindingReferences", "possessables", "spawnables"})
					|| !ReadSequencePath(Sequence, Out) || !ReadBool(Sequence, "movieScene", Out.bMovieScene) || !ReadBool(Sequence, "bindingReferences", Out.bBindingReferences))
				{
					return false;
				}
				const FJsonValue* Possessables = nullptr;
				const FJsonValue* Spawnables = nullptr;
				if (!ReadArray(Sequence, "possessables", Possessables) || !ReadArray(Sequence, "spawnables", Spawnables))
				{
					return false;
				}
				// Possessables and spawnables share one GUID space.
				TMap<FGuid, size_t> FirstUse;
				for (size_t Index = 0; Possessables && Index < Possessables->Elements.size(); ++Index)
				{
					const FJsonValue& Element = Possessables->Elements[Index];
					FPossessableDescription& Possessable = Out.Possessables.Emplace_GetRef();
					if (!ReadPossessable(Element, Possessable) || !CheckUnique(Element, Possessable.Guid, Out.Path, FirstUse))
					{
						return false;
					}
				}
				for (size_t Index = 0; Spawnables && Index < Spawnables->Elements.size(); ++Index)
				{
					const FJsonValue& Element = Spawnables->Elements[Index];
					FSpawnableDescription& Spawnable = Out.Spawnables.Emplace_GetRef();
					if (!ExpectObject(Element, TEXT("each entry of \"spawnables\""), TEXT("a spawnable"), {"guid", "name"}) || !ReadBindingGuid(Element, TEXT("a spawnable"), Spawnable.Guid)
						|| !Require(Element, "name", TEXT("a spawnable")) || !ReadDisplayName(Element, Spawnable.Name) || !CheckUnique(Element, Spawnable.Guid, Out.Path, FirstUse))
					{
						return false;
					}
				}
				return true;
			}

			bool ReadBindingGuid(const FJsonValue& Binding, const FString& Where, FGuid& Out)
			{
				if (!Require(Binding, "guid", Where) || !ReadGuid(Binding, "guid", Out))
				{
					return false;
				}
				if (!Out.IsValid())
				{
					return Fail(Binding.FindMember("guid")->Value.Offset, TEXT("the zero GUID cannot identify a binding"));
				}
				return true;
			}

			// A binding's display name: any text, but no control characters.
			bool ReadDisplayName(const FJsonValue& Binding, FString& Out)
			{
				if (!ReadString(Binding, "name", Out))
				{
					return false;
				}
				for (int32 Index = 0; Index < Out.Len(); ++Index)
				{
					if (IsControl(Out[Index]))
					{
						return Fail(Binding.FindMember("name")->Value.Offset,
							FString::Printf(TEXT("the binding name %s contains the control character U+%04X, which names cannot hold"), *QuoteForMessage(Out),
								static_cast<unsigned>(Out[Index])));
					}
				}
				return true;
			}

			bool ReadPossessable(const FJsonValue& Possessable, FPossessableDescription& Out)
			{
				if (!ExpectObject(Possessable, TEXT("each entry of \"possessables\""), TEXT("a possessable"), {"guid", "name", "parent", "boundTo", "custom"})
					|| !ReadBindingGuid(Possessable, TEXT("a possessable"), Out.Guid) || !Require(Possessable, "name", TEXT("a possessable")) || !ReadDisplayName(Possessable, Out.Name)
					|| !ReadGuid(Possessable, "parent", Out.Parent) || !ReadBool(Possessable, "custom", Out.bCustom))
				{
					return false;
				}
				const FJsonValue* BoundTo = nullptr;
				if (!ReadArray(Possessable, "boundTo", BoundTo))
				{
					return false;
				}
				for (size_t Index = 0; BoundTo && Index < BoundTo->Elements.size(); ++Index)
				{
					const FJsonValue& Element = BoundTo->Elements[Index];
					if (!ExpectKind(Element, TEXT("each entry of \"boundTo\""), EKind::String))
					{
						return false;
					}
					const FString Target = FromUtf8(Element.Text);
					// A child resolves inside what its parent resolved to, so it names an object there
					// by name; a path here used to mean a path from the world.
					if (Out.Parent.IsValid() && (Target.Contains(TEXT(".")) || Target.Contains(TEXT(":"))))
					{
						return Fail(Element.Offset, QuoteForMessage(Target)
								+ TEXT(" is a path, but a child binding names an object inside its parent's object by its name alone (for a component \"Sword\" of the parent's actor: \"Sword\")"));
					}
					for (int32 Char = 0; Char < Target.Len(); ++Char)
					{
						if (IsControl(Target[Char]))
						{
							return Fail(Element.Offset, FString::Printf(TEXT("the object name %s contains the control character U+%04X, which names cannot hold"),
															*QuoteForMessage(Target), static_cast<unsigned>(Target[Char])));
						}
					}
					Out.BoundTo.Add(Target);
				}
				return true;
			}

			bool CheckUnique(const FJsonValue& Binding, const FGuid& Guid, const FString& SequencePath, TMap<FGuid, size_t>& FirstUse)
			{
				const size_t Offset = Binding.FindMember("guid")->Value.Offset;
				if (const size_t* First = FirstUse.Find(Guid))
				{
					return Fail(Offset, TEXT("the GUID ") + Guid.ToString() + TEXT(" is used twice in the sequence ") + QuoteForMessage(SequencePath) + TEXT(" (first at ") + At(*First) + TEXT(")"));
				}
				FirstUse.Add(Guid, Offset);
				return true;
			}
		};

		// A UTF-16 or UTF-32 file, told by its byte-order mark or by the zero bytes around ASCII
		// text; null for anything else.
		const TCHAR* DetectWideEncoding(std::string_view Bytes)
		{
			auto Byte = [&Bytes](size_t Index) { return Index < Bytes.size() ? static_cast<unsigned char>(Bytes[Index]) : 0x100u; };
			if (Byte(0) == 0x00 && Byte(1) == 0x00 && Byte(2) == 0xFE && Byte(3) == 0xFF)
			{
				return TEXT("UTF-32");
			}
			if (Byte(0) == 0xFF && Byte(1) == 0xFE && Byte(2) == 0x00 && Byte(3) == 0x00)
			{
				return TEXT("UTF-32");
			}
			if ((Byte(0) == 0xFE && Byte(1) == 0xFF) || (Byte(0) == 0xFF && Byte(1) == 0xFE))
			{
				return TEXT("UTF-16");
			}
			if (Bytes.size() >= 4 && ((Byte(0) == 0 && Byte(1) == 0 && Byte(2) == 0 && Byte(3) != 0) || (Byte(0) != 0 && Byte(1) == 0 && Byte(2) == 0 && Byte(3) == 0)))
			{
				return TEXT("UTF-32");
			}
			if (Bytes.size() >= 2 && ((Byte(0) == 0 && Byte(1) != 0) || (Byte(0) != 0 && Byte(1) == 0)))
			{
				return TEXT("UTF-16");
			}
			return nullptr;
		}
	}

	FString EscapeForMessage(const FString& Text)
	{
		FString Result;
		Result.Reserve(Text.Len());
		for (int32 Index = 0; Index < Text.Len(); ++Index)
		{
			const TCHAR Ch = Text[Index];
			switch (Ch)
			{
			case u'\\':
				Result += TEXT("\\\\");
				break;
			case u'\n':
				Result += TEXT("\\n");
				break;
			case u'\r':
				Result += TEXT("\\r");
				break;
			case u'\t':
				Result += TEXT("\\t");
				break;
			default:
				if (IsControl(Ch) || Ch == 0x2028 || Ch == 0x2029 || Ch == 0xFEFF)
				{
					Result += FString::Printf(TEXT("\\u%04X"), static_cast<unsigned>(Ch));
				}
				else
				{
					Result += Ch;
				}
				break;
			}
		}
		return Result;
	}

	FString QuoteForMessage(const FString& Text, TCHAR Quote)
	{
		FString Result;
		Result += Quote;
		const FString Escaped = EscapeForMessage(Text);
		for (int32 Index = 0; Index < Escaped.Len(); ++Index)
		{
			if (Escaped[Index] == Quote)
			{
				Result += u'\\';
			}
			Result += Escaped[Index];
		}
		Result += Quote;
		return Result;
	}

	FString CheckObjectName(const FString& Name, const TCHAR* What, bool bPath)
	{
		if (Name.IsEmpty())
		{
			return FString::Printf(TEXT("the %s must not be empty"), What);
		}
		for (int32 Index = 0; Index < Name.Len(); ++Index)
		{
			if (IsControl(Name[Index]))
			{
				return FString::Printf(TEXT("the %s %s contains the control character U+%04X, which names cannot hold"), What, *QuoteForMessage(Name),
					static_cast<unsigned>(Name[Index]));
			}
		}
		if (!bPath && (Name.Contains(TEXT(".")) || Name.Contains(TEXT(":"))))
		{
			return FString::Printf(TEXT("the %s %s contains '.' or ':', which separate the names of an object path"), What, *QuoteForMessage(Name));
		}
		return FString();
	}

	bool ReadSceneDescription(std::string_view Bytes, const FString& DisplayName, FSceneDescription& Out, FString& OutError)
	{
		const FString File = EscapeForMessage(DisplayName);
		if (static_cast<int64>(Bytes.size()) > MaxSceneFileBytes)
		{
			OutError = FString::Printf(TEXT("%s: the scene is %lld bytes; scene files are limited to %lld bytes"), *File, static_cast<long long>(Bytes.size()),
				static_cast<long long>(MaxSceneFileBytes));
			return false;
		}
		if (const TCHAR* Encoding = DetectWideEncoding(Bytes))
		{
			OutError = File + FString::Printf(TEXT(":1:1: scene files are UTF-8, but this file is %s; save it as UTF-8"), Encoding);
			return false;
		}
		// A UTF-8 byte-order mark is allowed and is not a column.
		std::string_view Text = Bytes;
		if (Text.size() >= 3 && Text.compare(0, 3, "\xEF\xBB\xBF") == 0)
		{
			Text.remove_prefix(3);
		}
		// Checked before parsing: the engine's readers end a string at a NUL, so text after one
		// would be lost without a word.
		if (const size_t Nul = Text.find('\0'); Nul != std::string_view::npos)
		{
			OutError = File + TEXT(":") + DescribePosition(Text, Nul) + TEXT(": the file contains a NUL byte; scene files are UTF-8 text without NUL bytes");
			return false;
		}
		FJsonValue Root;
		FString ParseError;
		if (!ParseJson(Text, Root, ParseError))
		{
			OutError = File + TEXT(":") + ParseError;
			return false;
		}
		FSceneReader Reader(Text, DisplayName);
		FSceneDescription Description;
		Description.DisplayName = DisplayName;
		if (!Reader.ReadScene(Root, Description))
		{
			OutError = Reader.Error;
			return false;
		}
		Out = std::move(Description);
		return true;
	}
}
