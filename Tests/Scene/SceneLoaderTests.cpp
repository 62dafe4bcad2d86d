// Copyright Vantle contributors. All Rights Reserved.
#include "SceneTestSupport.h"

#include "HostLevelSequence.h"
#include "HostLevelSequenceEditor.h"
#include "HostObjects.h"
#include "Misc/App.h"

#include <filesystem>
#include <fstream>

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

	struct FSceneSnapshot
	{
		FString Project;
		UWorld* World = nullptr;
		UWorld* ContextWorld = nullptr;
		UWorld* PlayWorld = nullptr;
		TArray<ULevelSequence*> Sequences;
		ULevelSequence* Focused = nullptr;
		int32 ObjectCount = 0;

		static FSceneSnapshot Take()
		{
			FSceneSnapshot Snapshot;
			Snapshot.Project = FApp::GetProjectName();
			Snapshot.World = UE::Host::GetSceneWorld();
			Snapshot.ContextWorld = GEditor->GetEditorWorldContext().World();
			Snapshot.PlayWorld = GEditor->PlayWorld;
			Snapshot.Sequences = UE::Host::GetSceneSequences();
			Snapshot.Focused = ULevelSequenceEditorBlueprintLibrary::GetFocusedLevelSequence();
			Snapshot.ObjectCount = UE::Host::GetObjectCount();
			return Snapshot;
		}

		void ExpectUnchanged(const FSceneSnapshot& Before) const
		{
			EXPECT_EQ(ToStd(Project), ToStd(Before.Project));
			EXPECT_EQ(World, Before.World);
			EXPECT_EQ(ContextWorld, Before.ContextWorld);
			EXPECT_EQ(PlayWorld, Before.PlayWorld);
			EXPECT_TRUE(Sequences == Before.Sequences);
			EXPECT_EQ(Focused, Before.Focused);
			EXPECT_EQ(ObjectCount, Before.ObjectCount);
		}
	};

	class FSceneLoaderTest : public FSceneTest
	{
	protected:
		// Loads the baseline, fails to load Json and checks the message and that the baseline stayed.
		void ExpectRejected(const std::string& Json, const std::string& ExpectedError)
		{
			SCOPED_TRACE(Json.size() < 300 ? Json : Json.substr(0, 300));
			Load(BaselineScene);
			const FSceneSnapshot Before = FSceneSnapshot::Take();
			FString Error;
			EXPECT_FALSE(UE::Host::LoadSceneFromString(UE::Host::FromUtf8(Json), TEXT("Test.json"), Error));
			EXPECT_EQ(ToStd(Error), ExpectedError);
			EXPECT_EQ(ToStd(Error).find('\n'), std::string::npos);
			FSceneSnapshot::Take().ExpectUnchanged(Before);
		}
	};
}

TEST_F(FSceneLoaderTest, ContractViolationsPointAtTheOffendingTextAndLoadNothing)
{
	ExpectRejected(R"({"project": "P", "wrold": null})",
		R"(Test.json:1:18: $: unknown key "wrold" (known keys: project, world, sequences, focus, playWorld))");
	ExpectRejected(R"({"playWorld": "yes"})", "Test.json:1:15: $.playWorld: expected a boolean, found a string");
	ExpectRejected(R"([])", "Test.json:1:1: $: expected an object, found an array");
	ExpectRejected(WithPossessables(R"({"name":"X"})"), R"(Test.json:1:51: $.sequences[0].possessables[0]: missing key "guid")");
	ExpectRejected(WithPossessables(R"({"guid":"0123456789ABCDEF0123456789ABCDE","name":"X"})"),
		R"(Test.json:1:59: $.sequences[0].possessables[0].guid: malformed GUID "0123456789ABCDEF0123456789ABCDE" (expected exactly 32 hexadecimal digits))");
	ExpectRejected(WithPossessables(R"({"guid":"0123456789ABCDEF0123456789ABCDEG","name":"X"})"),
		R"(Test.json:1:59: $.sequences[0].possessables[0].guid: malformed GUID "0123456789ABCDEF0123456789ABCDEG" (expected exactly 32 hexadecimal digits))");
	ExpectRejected(WithPossessables(R"({"guid":"{01234567-89AB-CDEF-0123-456789ABCDEF}","name":"X"})"),
		R"(Test.json:1:59: $.sequences[0].possessables[0].guid: malformed GUID "{01234567-89AB-CDEF-0123-456789ABCDEF}" (expected exactly 32 hexadecimal digits))");
	ExpectRejected(WithPossessables(R"({"guid":"00000000000000000000000000000000","name":"X"})"),
		"Test.json:1:59: $.sequences[0].possessables[0].guid: the zero GUID cannot identify a binding");
	ExpectRejected(WithPossessables(R"({"guid":"000000000000000000000000000000AA","name":"X","parent":"nope"})"),
		R"(Test.json:1:114: $.sequences[0].possessables[0].parent: malformed GUID "nope" (expected exactly 32 hexadecimal digits))");
	// One GUID space per sequence, and GUIDs compare as numbers, not as text.
	ExpectRejected(WithPossessables(R"({"guid":"0000000000000000000000000000000A","name":"A"},{"guid":"0000000000000000000000000000000a","name":"B"})"),
		R"(Test.json:1:114: $.sequences[0].possessables[1].guid: duplicate GUID 0000000000000000000000000000000A in sequence "/Game/S.S" (also $.sequences[0].possessables[0]))");
	ExpectRejected(R"({"sequences":[{"path":"/Game/S.S","possessables":[{"guid":"0000000000000000000000000000000A","name":"A"}],"spawnables":[{"guid":"0000000000000000000000000000000A","name":"S"}]}]})",
		R"(Test.json:1:129: $.sequences[0].spawnables[0].guid: duplicate GUID 0000000000000000000000000000000A in sequence "/Game/S.S" (also $.sequences[0].possessables[0]))");
	ExpectRejected(R"({"sequences":[{"path":"/Game/S.S"},{"path":"/game/s.s"}]})",
		R"(Test.json:1:44: $.sequences[1].path: duplicate sequence path "/game/s.s" (also $.sequences[0]))");
	ExpectRejected(R"({"sequences":[{"path":"/Game/S.S"}],"focus":"/Game/T.T"})", R"(Test.json:1:45: $.focus: no sequence has the path "/Game/T.T")");
	ExpectRejected(R"({"sequences":[{"path":"Intro"}]})",
		R"(Test.json:1:23: $.sequences[0].path: sequence path "Intro" is not an object path (expected a full object path such as /Game/Cinematics/Intro.Intro))");
	ExpectRejected(R"({"world":{"actors":[{"label":"Hero","components":["Mesh",{"name":"mesh"}]}]}})",
		R"(Test.json:1:58: $.world.actors[0].components[1]: duplicate component "mesh" in actor "Hero")");
	ExpectRejected(R"({"world":{"actors":[{"label":"Hero.Camera"}]}})",
		R"(Test.json:1:30: $.world.actors[0].label: the name "Hero.Camera" contains '.' or ':', which separate the names of an object path)");
	ExpectRejected(WithPossessables(R"({"guid":"0000000000000000000000000000000A","name":"A"},{"guid":"0000000000000000000000000000000B","name":"B","parent":"0000000000000000000000000000000A","boundTo":["Sword","Hero.Sword"]})"),
		R"(Test.json:1:223: $.sequences[0].possessables[1].boundTo[1]: "Hero.Sword" is a path, but a child binding names an object inside its parent's object by its name alone (for a component "Sword" of the parent's actor: "Sword"))");
	ExpectRejected(R"({"world":{"map":"/Game/Maps/Arena"}})", "Test.json:1:17: $.world.map: a map name is the short name, without '/'");
	ExpectRejected(R"({"project": ""})", "Test.json:1:13: $.project: the project name must not be empty");
	ExpectRejected(R"({"world": null, "playWorld": true})", "Test.json:1:30: $.playWorld: Play-In-Editor needs a world");
}

TEST_F(FSceneLoaderTest, PositionsFollowLinesCharactersAndLookahead)
{
	// The number's lookahead character must not move the position of the value it ended.
	ExpectRejected("{\n\t\"sequences\": [\n\t\t{\n\t\t\t\"path\": \"/Game/S.S\",\n\t\t\t\"possessables\": [\n"
				   "\t\t\t\t{ \"guid\": \"000000000000000000000000000000AA\", \"name\": \"X\", \"boundTo\": [42] }\n\t\t\t]\n\t\t}\n\t]\n}\n",
		"Test.json:6:76: $.sequences[0].possessables[0].boundTo[0]: expected a string, found a number");
	// Columns count characters, not UTF-8 bytes; a byte-order mark is not a column.
	ExpectRejected("{\"project\":\"\xC3\x9Cn\xC3\xAF\x63\xC3\xB6\x64\xC3\xA9\",\"oops\":1}",
		R"(Test.json:1:22: $: unknown key "oops" (known keys: project, world, sequences, focus, playWorld))");
	ExpectRejected("\xEF\xBB\xBF{\"oops\":1}", R"(Test.json:1:2: $: unknown key "oops" (known keys: project, world, sequences, focus, playWorld))");
	ExpectRejected("{\r\n\"oops\": true}", R"(Test.json:2:1: $: unknown key "oops" (known keys: project, world, sequences, focus, playWorld))");
}

TEST_F(FSceneLoaderTest, MalformedJsonIsReportedWithThePositionTheParserStoppedAt)
{
	ExpectRejected(R"({"project": "P" "world": null})", "Test.json:1:23: syntax error while parsing object - unexpected string literal; expected '}'");
	ExpectRejected(R"({"project":"A","project":"B"})", R"(Test.json:1:16: duplicate key "project")");
	ExpectRejected("", "Test.json:1:1: syntax error while parsing value - unexpected end of input; expected '[', '{', or a literal");
	ExpectRejected(R"({"project": "P"} {})", "Test.json:1:18: syntax error while parsing value - unexpected '{'; expected end of input");
}

TEST_F(FSceneLoaderTest, HostileSizesFailCleanly)
{
	// Root object plus 63 arrays is the deepest accepted nesting; the 64th array is refused.
	const std::string Deepest = "{\"project\":\"P\",\"world\":null,\"sequences\":[" + std::string(62, '[') + std::string(63, ']') + "}";
	FString Error;
	EXPECT_FALSE(UE::Host::LoadSceneFromString(UE::Host::FromUtf8(Deepest), TEXT("Test.json"), Error));
	EXPECT_EQ(ToStd(Error), "Test.json:1:42: $.sequences[0]: expected an object, found an array");
	ExpectRejected("{\"project\":" + std::string(64, '['), "Test.json:1:75: nesting deeper than 64 levels");
	ExpectRejected("{\"project\":" + std::string(1000000, '['), "Test.json:1:75: nesting deeper than 64 levels");

	std::string ManyValues = "{\"project\":[0";
	for (int32 Index = 0; Index < UE::Host::MaxSceneValueCount; ++Index)
	{
		ManyValues += ",0";
	}
	ManyValues += "]}";
	ExpectRejected(ManyValues, "Test.json:1:" + std::to_string(13 + 2 * (UE::Host::MaxSceneValueCount - 2)) + ": more than 500000 JSON values");

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
	// Text in memory is always valid Unicode; only a file can carry bytes that are not UTF-8.
	const std::filesystem::path Latin1File = Folder / "Latin1.json";
	{
		std::ofstream Stream(Latin1File, std::ios::binary);
		Stream << "{\n\"project\": \"Caf\xE9\"}";
	}

	Load(BaselineScene);
	const FSceneSnapshot Before = FSceneSnapshot::Take();
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
	const FString Latin1Path = UE::Host::FromUtf8(Latin1File.string());
	EXPECT_FALSE(UE::Host::LoadSceneFile(Latin1Path, Error));
	// The parser stops at the quote that cut the two-byte sequence short.
	const std::string Expected = ToStd(Latin1Path) + ":2:17: syntax error while parsing value - invalid string: ill-formed UTF-8 byte";
	EXPECT_EQ(ToStd(Error).substr(0, Expected.size()), Expected);
	EXPECT_FALSE(UE::Host::LoadSceneFile(SamplePath("Broken.json"), Error));
	EXPECT_EQ(ToStd(Error), ToStd(SamplePath("Broken.json"))
			+ R"(:8:15: $.sequences[0].possessables[0].guid: malformed GUID "6A1F3C2E4B7D4E0F9A8B1C2D3E4F5A0" (expected exactly 32 hexadecimal digits))");
	FSceneSnapshot::Take().ExpectUnchanged(Before);
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
		R"(Test.json:1:70: $.sequences[0].possessables[0]: missing key "name")");
}

TEST_F(FSceneLoaderTest, SamplesLoadAsDescribed)
{
	LoadSample("Showcase.json");
	EXPECT_EQ(ToStd(FApp::GetProjectName()), "Showcase");
	EXPECT_EQ(ToStd(GEditor->GetEditorWorldContext().World()->GetMapName()), "Arena");
	ASSERT_NE(Focused(), nullptr);
	EXPECT_EQ(ToStd(Focused()->GetPathName()), "/Game/Cinematics/Intro.Intro");
	EXPECT_EQ(GEditor->PlayWorld, nullptr);

	LoadSample("Empty.json");
	EXPECT_EQ(Focused(), nullptr);
	EXPECT_EQ(ToStd(GEditor->GetEditorWorldContext().World()->GetMapName()), "Blank");

	LoadSample("Repairable.json");
	EXPECT_EQ(ToStd(Focused()->GetPathName()), "/Game/Cinematics/Duel.Duel");
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
