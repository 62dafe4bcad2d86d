// Copyright Vantle contributors. All Rights Reserved.
#include "SceneTestSupport.h"

#include "HostLevelSequence.h"
#include "HostLevelSequenceEditor.h"
#include "HostObjects.h"
#include "HostSceneDescription.h"
#include "Misc/App.h"

#include <filesystem>
#include <fstream>
#include <tuple>

namespace
{
	const char* const BaselineScene = R"({"project": "Baseline", "world": {"map": "Base", "actors": [{"label": "A"}]},
		"sequences": [{"path": "/Game/Base.Base", "possessables": [{"guid": "000000000000000000000000000000B1", "name": "A", "boundTo": ["A"]}]}],
		"focus": "/Game/Base.Base", "playWorld": true})";

	// Wraps possessables in a one-sequence scene; the first possessable always starts at column 51.
	std::string WithPossessables(const std::string& Possessables)
	{
		return R"({"sequences":[{"path":"/Game/S.S","possessables":[)" + Possessables + "]}]}";
	}

	// What a refused load must leave as it was.
	auto SceneState()
	{
		return std::make_tuple(ToStd(FApp::GetProjectName()), UE::Host::GetSceneWorld(), GEditor->GetEditorWorldContext().World(), GEditor->PlayWorld.Get(),
			UE::Host::GetSceneSequences(), ULevelSequenceEditorBlueprintLibrary::GetFocusedLevelSequence(), UE::Host::GetObjectCount());
	}

	class FSceneLoaderTest : public FSceneTest
	{
	protected:
		// Loads the baseline, fails to load Json and checks the message and that the baseline stayed.
		void ExpectRejected(const std::string& Json, const std::string& ExpectedError)
		{
			SCOPED_TRACE(Json.size() < 300 ? Json : Json.substr(0, 300));
			Load(BaselineScene);
			const auto Before = SceneState();
			FString Error;
			EXPECT_FALSE(UE::Host::LoadSceneFromString(UE::Host::FromUtf8(Json), TEXT("Test.json"), Error));
			EXPECT_EQ(ToStd(Error), ExpectedError);
			EXPECT_TRUE(SceneState() == Before);
		}
	};
}

TEST_F(FSceneLoaderTest, ContractViolationsPointAtTheOffendingTextAndLoadNothing)
{
	// The plain refusals (wrong types, empty names, the zero GUID) are in the schema's bad-file table.
	const std::pair<std::string, std::string> Cases[] = {
		{R"({"project": "P", "wrold": null})", R"(Test.json:1:18: unknown key "wrold" in the scene (known keys: project, world, sequences, focus, playWorld))"},
		{WithPossessables(R"({"guid":"0123456789ABCDEF0123456789ABCDE","name":"X"})"), R"(Test.json:1:59: "guid" must be a GUID of exactly 32 hexadecimal digits, not "0123456789ABCDEF0123456789ABCDE")"},
		// One GUID space per sequence, and GUIDs compare as numbers, not as text.
		{WithPossessables(R"({"guid":"0000000000000000000000000000000A","name":"A"},{"guid":"0000000000000000000000000000000a","name":"B"})"),
			R"(Test.json:1:114: the GUID 0000000000000000000000000000000A is used twice in the sequence "/Game/S.S" (first at 1:59))"},
		{R"({"sequences":[{"path":"/Game/S.S"},{"path":"/game/s.s"}]})", R"(Test.json:1:44: the sequence path "/game/s.s" is used twice (first at 1:23))"},
		{R"({"sequences":[{"path":"/Game/S.S"}],"focus":"/Game/T.T"})", R"(Test.json:1:45: "focus" names no sequence of this scene: "/Game/T.T")"},
		{R"({"world":{"actors":[{"label":"Hero","components":["Mesh",{"name":"mesh"}]}]}})", R"(Test.json:1:58: the actor "Hero" already has a component named "mesh" (at 1:51))"},
		{R"({"world":{"actors":[{"label":"Hero.Camera"}]}})", R"(Test.json:1:30: the actor label "Hero.Camera" contains '.' or ':', which separate the names of an object path)"},
		{WithPossessables(R"({"guid":"0000000000000000000000000000000A","name":"A"},{"guid":"0000000000000000000000000000000B","name":"B","parent":"0000000000000000000000000000000A","boundTo":["Sword","Hero.Sword"]})"),
			R"(Test.json:1:223: "Hero.Sword" is a path, but a child binding names an object inside its parent's object by its name alone (for a component "Sword" of the parent's actor: "Sword"))"},
		// Escaped control characters reach the names, where no object name may hold them; messages stay one line.
		{R"({"sequences":[{"path":"/Game/A\u0000x.B"}]})", R"(Test.json:1:23: the sequence path "/Game/A\u0000x.B" contains the control character U+0000, which names cannot hold)"},
		{R"({"world":{"map":"Ar\nena"}})", R"(Test.json:1:17: the map name "Ar\nena" contains the control character U+000A, which names cannot hold)"},
		{R"({"world":{"actors":[{"label":"He\u001bro"}]}})", R"(Test.json:1:30: the actor label "He\u001Bro" contains the control character U+001B, which names cannot hold)"},
		{R"({"world":{"actors":[{"label":"Hero","components":["Me\u0085sh"]}]}})", R"(Test.json:1:51: the component name "Me\u0085sh" contains the control character U+0085, which names cannot hold)"},
		{WithPossessables(R"({"guid":"0000000000000000000000000000000A","name":"Line\u2028Two\u007f"})"), R"(Test.json:1:101: the binding name "Line\u2028Two\u007F" contains the control character U+007F, which names cannot hold)"},
		{R"({"project":"P","bad\nkey":1})", R"(Test.json:1:16: unknown key "bad\nkey" in the scene (known keys: project, world, sequences, focus, playWorld))"},
		{R"({"project":"P","q\"uo\\te":1})", R"(Test.json:1:16: unknown key "q\"uo\\te" in the scene (known keys: project, world, sequences, focus, playWorld))"},
		// Positions: a number's lookahead does not move its value's position; columns count characters, not UTF-8
		// bytes; a byte-order mark is not a column.
		{"{\n\t\"sequences\": [\n\t\t{\n\t\t\t\"path\": \"/Game/S.S\",\n\t\t\t\"possessables\": [\n\t\t\t\t{ \"guid\": \"000000000000000000000000000000AA\", \"name\": \"X\", \"boundTo\": [42] }\n\t\t\t]\n\t\t}\n\t]\n}\n",
			R"(Test.json:6:76: each entry of "boundTo" must be a string, not a number)"},
		{"{\"project\":\"\xC3\x9Cn\xC3\xAF\x63\xC3\xB6\x64\xC3\xA9\",\"oops\":1}", R"(Test.json:1:22: unknown key "oops" in the scene (known keys: project, world, sequences, focus, playWorld))"},
		{"\xEF\xBB\xBF{\"oops\":1}", R"(Test.json:1:2: unknown key "oops" in the scene (known keys: project, world, sequences, focus, playWorld))"},
		{"{\r\n\"oops\": true}", R"(Test.json:2:1: unknown key "oops" in the scene (known keys: project, world, sequences, focus, playWorld))"},
	};
	for (const auto& [Json, Expected] : Cases)
	{
		ExpectRejected(Json, Expected);
	}
}

TEST_F(FSceneLoaderTest, HostileSizesFailCleanly)
{
	// Root object plus 63 arrays is the deepest accepted nesting; the 64th array is refused.
	const std::string Deepest = "{\"project\":\"P\",\"world\":null,\"sequences\":[" + std::string(62, '[') + std::string(63, ']') + "}";
	FString Error;
	EXPECT_FALSE(UE::Host::LoadSceneFromString(UE::Host::FromUtf8(Deepest), TEXT("Test.json"), Error));
	EXPECT_EQ(ToStd(Error), R"(Test.json:1:42: each entry of "sequences" must be an object, not an array)");
	ExpectRejected("{\"project\":" + std::string(64, '['), "Test.json:1:75: objects and arrays nested deeper than 64 levels");
	ExpectRejected("{\"project\":" + std::string(1000000, '['), "Test.json:1:75: objects and arrays nested deeper than 64 levels");

	std::string ManyValues = "{\"project\":[0";
	for (int32 Index = 0; Index < UE::Host::MaxSceneValueCount; ++Index)
	{
		ManyValues += ",0";
	}
	ManyValues += "]}";
	ExpectRejected(ManyValues, "Test.json:1:" + std::to_string(13 + 2 * (UE::Host::MaxSceneValueCount - 2)) + ": more than " + std::to_string(UE::Host::MaxSceneValueCount) + " values; a scene file may hold no more");

	const std::string Huge = "{\"project\":\"" + std::string(UE::Host::MaxSceneFileBytes, 'x') + "\"}";
	ExpectRejected(Huge, "Test.json: the scene is " + std::to_string(Huge.size()) + " bytes; scene files are limited to 16777216 bytes");
}

TEST_F(FSceneLoaderTest, SceneFilesThatCannotBeReadLeaveTheSceneAlone)
{
	const std::filesystem::path Folder = std::filesystem::temp_directory_path() / ("vantle-scene-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
	std::filesystem::create_directories(Folder);
	const std::filesystem::path HugeFile = Folder / "Huge.json";
	{
		std::ofstream Stream(HugeFile);
	}
	std::filesystem::resize_file(HugeFile, 100 * 1024 * 1024);

	Load(BaselineScene);
	const auto Before = SceneState();
	const FString HugePath = UE::Host::FromUtf8(HugeFile.string());
	const FString MissingPath = UE::Host::FromUtf8((Folder / "Missing.json").string());
	const FString FolderPath = UE::Host::FromUtf8(Folder.string());
	FString Error;
	EXPECT_FALSE(UE::Host::LoadSceneFile(HugePath, Error));
	EXPECT_EQ(ToStd(Error), ToStd(HugePath) + ": the scene file is 104857600 bytes; scene files are limited to 16777216 bytes");
	EXPECT_FALSE(UE::Host::LoadSceneFile(MissingPath, Error));
	EXPECT_EQ(ToStd(Error), ToStd(MissingPath) + ": cannot open the scene file");
	EXPECT_FALSE(UE::Host::LoadSceneFile(FolderPath, Error));
	EXPECT_EQ(ToStd(Error), ToStd(FolderPath) + ": is a folder, not a scene file");
	EXPECT_TRUE(SceneState() == Before);
	std::filesystem::remove_all(Folder);
}

TEST_F(FSceneLoaderTest, AbsentKeysTakeTheirDefaults)
{
	Load(BaselineScene);
	Load("{}");
	EXPECT_EQ(ToStd(FApp::GetProjectName()), "HeadlessProject");
	EXPECT_EQ(UE::Host::GetSceneWorld(), nullptr);
	EXPECT_EQ(GEditor->GetEditorWorldContext().World(), nullptr);
	EXPECT_EQ(GEditor->PlayWorld, nullptr);
	EXPECT_TRUE(UE::Host::GetSceneSequences().IsEmpty());
	EXPECT_EQ(Focused(), nullptr);

	Load(R"({"world": {}, "focus": null, "sequences": [{"path": "/Game/S.S", "possessables": [{"guid": "000000000000000000000000000000AA", "name": "N"}]}]})");
	ASSERT_NE(UE::Host::GetSceneWorld(), nullptr);
	EXPECT_EQ(ToStd(UE::Host::GetSceneWorld()->GetMapName()), "Untitled");
	EXPECT_EQ(Focused(), nullptr);
	ULevelSequence* Sequence = UE::Host::FindSceneSequence(TEXT("/Game/S.S"));
	ASSERT_NE(Sequence, nullptr);
	ASSERT_NE(Sequence->GetMovieScene(), nullptr);
	ASSERT_NE(Sequence->GetBindingReferences(), nullptr);
	const FMovieScenePossessable& Possessable = Sequence->GetMovieScene()->GetPossessable(0);
	EXPECT_FALSE(Possessable.GetParent().IsValid());
	EXPECT_TRUE(Sequence->GetBindingReferences()->GetReferences(Possessable.GetGuid()).IsEmpty());
	EXPECT_TRUE(UE::Host::ResolveSceneBinding(TEXT("/Game/S.S"), Possessable.GetGuid()).IsEmpty());

	// Bindings of a sequence without a movie scene are still checked, then have nowhere to go.
	Load(R"({"world": null, "sequences": [{"path": "/Game/S.S", "movieScene": false, "bindingReferences": false,
		"possessables": [{"guid": "000000000000000000000000000000AA", "name": "N", "custom": true}]}]})");
	EXPECT_EQ(UE::Host::GetSceneWorld(), nullptr);
	EXPECT_EQ(UE::Host::FindSceneSequence(TEXT("/Game/S.S"))->GetMovieScene(), nullptr);
	EXPECT_EQ(UE::Host::FindSceneSequence(TEXT("/Game/S.S"))->GetBindingReferences(), nullptr);
	ExpectRejected(R"({"sequences":[{"path":"/Game/S.S","movieScene":false,"possessables":[{"guid":"0000000000000000000000000000000A"}]}]})",
		R"(Test.json:1:70: a possessable needs the key "name")");
}

TEST_F(FSceneLoaderTest, ReplacingAndResettingTheSceneFreesItsObjects)
{
	const int32 Baseline = UE::Host::GetObjectCount();
	LoadSample("Showcase.json");
	EXPECT_GT(UE::Host::GetObjectCount(), Baseline);
	LoadSample("Showcase.json");
	UE::Host::SetPlayInEditor(true);
	FString Error;
	ASSERT_TRUE(UE::Host::SpawnActor(TEXT("Extra"), Error));
	UE::Host::ResetScene();
	EXPECT_EQ(UE::Host::GetObjectCount(), Baseline);
	EXPECT_EQ(ToStd(FApp::GetProjectName()), "HeadlessProject");
	EXPECT_EQ(GEditor->GetEditorWorldContext().World(), nullptr);
	EXPECT_EQ(GEditor->PlayWorld, nullptr);
	EXPECT_EQ(Focused(), nullptr);
}

namespace
{
	// The seam on its own: bytes in, a description or one line out, no editor involved.
	std::string ReadError(const std::string& Bytes)
	{
		UE::Host::Scene::FSceneDescription Description;
		FString Error;
		EXPECT_FALSE(UE::Host::Scene::ReadSceneDescription(Bytes, TEXT("Test.json"), Description, Error)) << Bytes;
		return ToStd(Error);
	}
}

TEST_F(FSceneLoaderTest, JsonMistakesAreExplainedInPlainWords)
{
	const std::pair<std::string, std::string> Cases[] = {
		{R"({"project": "P",})", "Test.json:1:17: a ',' must be followed by another member; remove the ',' before '}'"},
		{R"({"project": 'P'})", "Test.json:1:13: strings are written in double quotes, not single quotes"},
		{"{\n  // the project\n  \"project\": \"P\"\n}", "Test.json:2:3: expected a key in double quotes, found character '/'"},
		{R"({"playWorld": /* off */ false})", "Test.json:1:15: comments are not allowed in a scene file"},
		{R"({"playWorld": True})", R"(Test.json:1:15: unknown word "True"; a value is a string in double quotes, a number, an object, an array, true, false or null)"},
		{R"({"playWorld": 01})", R"(Test.json:1:15: malformed number "01")"},
		{R"({"playWorld": 1e999})", R"(Test.json:1:15: "playWorld" must be true or false, not a number)"},
		{R"({"project": "P)", "Test.json:1:13: this string is not closed; the file ends before its closing '\"'"},
		{"{\"project\": \"P\n\"}", "Test.json:1:13: this string is not closed on its line; write a line break inside a string as \\n"},
		{"{\"project\": \"P\tQ\"}", "Test.json:1:15: control character U+0009 inside a string; write it as an escape such as \\u0009"},
		{R"({"project": "C:\temp\x"})", R"(Test.json:1:21: unknown escape "\\x" in a string (known: \" \\ \/ \b \f \n \r \t \uXXXX))"},
		{R"({"project": "\u12"})", "Test.json:1:14: \\u must be followed by four hexadecimal digits"},
		{R"({"project": "\uD800x"})", "Test.json:1:14: \\uD800 is the first half of a surrogate pair and must be followed by its second half (\\uDC00 to \\uDFFF)"},
		{R"({"project": "\uDC00"})", "Test.json:1:14: \\uDC00 is the second half of a surrogate pair without its first half"},
		{R"({"project" "P"})", R"(Test.json:1:12: expected ':' after the key "project", found character '"')"},
		{R"({"project": "P" "world": null})", R"(Test.json:1:17: expected ',' or '}' after the value of "project", found character '"')"},
		{"{\n\"world\": {\n\"actors\": [", "Test.json:3:12: the file ends inside the array opened at 3:11; a ']' is missing"},
		{"{\"project\": \"P\"", "Test.json:1:16: the file ends inside the object opened at 1:1; a '}' is missing"},
		{"{\"project\":", "Test.json:1:12: the file ends where a value should follow"},
		{"   \n ", "Test.json:2:2: the file holds no JSON value; a scene file holds one JSON object"},
		{R"({"project":"A","project":"B"})", R"(Test.json:1:16: the key "project" appears twice in the same object)"},
		{"", "Test.json:1:1: the file is empty; a scene file holds one JSON object"},
		{"{\"project\": \"P\"} \xC3\xA9", "Test.json:1:18: unexpected character '\xC3\xA9' after the end of the scene; a scene file holds exactly one JSON object"},
		{"{\"project\": \"Caf\xE9\"}", "Test.json:1:17: byte 0xE9 is not UTF-8; scene files are UTF-8"},
		{"{\"project\": \xFF}", "Test.json:1:13: unexpected byte 0xFF, which is not UTF-8; expected a value (a string, number, object, array, true, false or null)"},
		{"{\"project\": \"P\\", "Test.json:1:15: the file ends inside an escape sequence"},
		{R"({"world": {"actors": [{"label": "Hero", "components": [{"garbage": true}]}]}})", R"(Test.json:1:56: a component needs the key "name")"},
		{R"({"world": {"actors": [{"name": "Hero"}]}})", R"(Test.json:1:24: unknown key "name" in an actor (known keys: label, components, garbage, unreachable))"},
		{R"({"sequences": [{"path": "/Game/A.B.C"}]})", R"(Test.json:1:25: the sequence path "/Game/A.B.C" is not Package.Name (expected a full object path such as /Game/Cinematics/Intro.Intro))"},
		{R"({"sequences": [{"path": "/Game/A."}]})", R"(Test.json:1:25: the sequence path "/Game/A." names no object (expected a full object path such as /Game/Cinematics/Intro.Intro))"},
		{R"({"sequences": [{"path": "/Game/S.S", "spawnables": [{"guid": "0000000000000000000000000000000A"}]}]})", R"(Test.json:1:53: a spawnable needs the key "name")"},
		{R"({"world": []})", R"(Test.json:1:11: "world" must be an object, not an array)"},
	};
	for (const auto& [Json, Expected] : Cases)
	{
		EXPECT_EQ(ReadError(Json), Expected) << Json;
	}
}

TEST_F(FSceneLoaderTest, OnlyUtf8IsReadAndItsByteOrderMarkIsAccepted)
{
	auto Widen = [](const std::string& Ascii, int Width, bool bBigEndian, const std::string& Mark)
	{
		std::string Bytes = Mark;
		for (const char Ch : Ascii)
		{
			std::string Unit(Width, '\0');
			Unit[bBigEndian ? Width - 1 : 0] = Ch;
			Bytes += Unit;
		}
		return Bytes;
	};
	const std::string Scene = R"({"project": "Wide"})";
	const std::string Utf16 = "Test.json:1:1: scene files are UTF-8, but this file is UTF-16; save it as UTF-8";
	const std::string Utf32 = "Test.json:1:1: scene files are UTF-8, but this file is UTF-32; save it as UTF-8";
	EXPECT_EQ(ReadError(Widen(Scene, 2, false, "\xFF\xFE")), Utf16);
	EXPECT_EQ(ReadError(Widen(Scene, 2, true, "")), Utf16);
	EXPECT_EQ(ReadError(Widen(Scene, 4, true, std::string("\0\0\xFE\xFF", 4))), Utf32);
	EXPECT_EQ(ReadError(Widen(Scene, 4, false, "")), Utf32);

	UE::Host::Scene::FSceneDescription Description;
	FString Error;
	ASSERT_TRUE(UE::Host::Scene::ReadSceneDescription("\xEF\xBB\xBF" + Scene, TEXT("Test.json"), Description, Error)) << ToStd(Error);
	EXPECT_EQ(ToStd(Description.Project), "Wide");
	// A second mark is text, and text where JSON does not allow it.
	EXPECT_EQ(ReadError("\xEF\xBB\xBF\xEF\xBB\xBF" + Scene),
		R"(Test.json:1:1: unexpected character '\uFEFF'; expected a value (a string, number, object, array, true, false or null))");
}

TEST_F(FSceneLoaderTest, NulBytesAreRefusedAndQuotesAndLettersInNamesAreKept)
{
	// Raw NUL bytes: text after one would be lost to anything that reads up to a NUL.
	using namespace std::string_literals;
	EXPECT_EQ(ReadError("{\"project\":\"P\"}\0{\"evil\":"s), "Test.json:1:16: the file contains a NUL byte; scene files are UTF-8 text without NUL bytes");
	EXPECT_EQ(ReadError("{\n\"project\":\"P\0Q\"}"s), "Test.json:2:13: the file contains a NUL byte; scene files are UTF-8 text without NUL bytes");
	EXPECT_EQ(ReadError("\xEF\xBB\xBF\0"s), "Test.json:1:1: the file contains a NUL byte; scene files are UTF-8 text without NUL bytes");

	// Text that is fine: quotes, backslashes and non-ASCII letters in names.
	Load(R"({"project":"Caf\u00e9 \"Q\"","world":{"map":"K\u00f6ln","actors":[{"label":"\u00c4rger"}]}})");
	EXPECT_EQ(ToStd(UE::Host::GetSceneWorld()->GetMapName()), "K\xC3\xB6ln");
	EXPECT_NE(UE::Host::FindSceneActor(TEXT("\u00c4rger")), nullptr);
}

TEST_F(FSceneLoaderTest, NamesTakenByTheEditorAreRefusedBeforeTheOpenSceneCloses)
{
	ExpectRejected(R"({"world":{"map":"EditorEngine_0"}})",
		R"(Test.json:1:17: the map name "EditorEngine_0" is already the name of an object of the editor; choose another map name)");
	ExpectRejected("{\n\"world\": {\"map\": \"editorengine_0\"}}",
		R"(Test.json:2:18: the map name "editorengine_0" is already the name of an object of the editor; choose another map name)");
	// Also while no editor exists yet, as when the headless editor loads its first scene.
	UE::Host::DestroyEditor();
	FString Error;
	EXPECT_FALSE(UE::Host::LoadSceneFromString(TEXT(R"({"world":{"map":"LevelSequenceEditorSubsystem_0"}})"), TEXT("Test.json"), Error));
	EXPECT_EQ(ToStd(Error), R"(Test.json:1:17: the map name "LevelSequenceEditorSubsystem_0" is already the name of an object of the editor; choose another map name)");
	UE::Host::CreateEditor();

	// Objects the open scene owns go when it closes, so its own names may be used again.
	Load(BaselineScene);
	Load(BaselineScene);
	Load(R"({"world":{"map":"UEDPIE_0_Base"}, "sequences":[{"path":"/Game/Base"}]})");
}
