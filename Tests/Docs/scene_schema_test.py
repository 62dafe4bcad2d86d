# Copyright Vantle contributors. All Rights Reserved.
"""Docs/scene.schema.json and the scene loader of vantle-editor agree.

  samples  every scene file under Samples/Scenes and Tests/Scenes is accepted by the schema and by
           the loader (Broken.json, the sample of a refused file, by neither)
  bad      every file of the table below is refused by the schema, and by the loader with exit
           status 2 and one line FILE:LINE:COL: message
  rules    the rules the schema cannot state, against the loader alone
"""
import json
import os
import re
import subprocess
import sys
import tempfile

import jsonschema

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
SCHEMA_PATH = os.path.join(ROOT, "Docs", "scene.schema.json")
REFUSED_SAMPLES = {"Broken.json"}

GUID_A = "0000000000000000000000000000000A"
GUID_B = "0000000000000000000000000000000B"


def sequence(**fields):
    return {"sequences": [dict({"path": "/Game/Intro.Intro"}, **fields)]}


def possessable(**fields):
    return sequence(possessables=[dict({"guid": GUID_A, "name": "Hero"}, **fields)])


def actor(**fields):
    return {"world": {"map": "Arena", "actors": [dict({"label": "Hero"}, **fields)]}}


# Files both must refuse: (what is wrong, the scene).
BAD_FILES = [
    ("the root is not an object", []),
    ("an unknown key", {"project": "P", "bogus": 1}),
    ("an empty project name", {"project": ""}),
    ("a project name that is a number", {"project": 7}),
    ("a world that is a string", {"world": "Arena"}),
    ("an unknown key in the world", {"world": {"map": "Arena", "level": 1}}),
    ("a map name with '/'", {"world": {"map": "Maps/Arena"}}),
    ("a map name with '.'", {"world": {"map": "Arena.Arena"}}),
    ("an empty map name", {"world": {"map": ""}}),
    ("actors that are an object", {"world": {"actors": {"label": "Hero"}}}),
    ("an actor without a label", {"world": {"actors": [{"garbage": True}]}}),
    ("an actor label with ':'", actor(label="Hero:1")),
    ("an actor label with '.'", actor(label="Hero.Mesh")),
    ("an actor flag that is a string", actor(garbage="yes")),
    ("an unknown actor key", actor(name="Hero")),
    ("a component that is a number", actor(components=[3])),
    ("a component object without a name", actor(components=[{"garbage": True}])),
    ("an unknown component key", actor(components=[{"name": "Mesh", "hidden": True}])),
    ("a component name with '.'", actor(components=["Mesh.001"])),
    ("an empty component name", actor(components=[""])),
    ("sequences that are an object", {"sequences": {"path": "/Game/Intro.Intro"}}),
    ("a sequence without a path", {"sequences": [{"possessables": []}]}),
    ("a path without the leading '/'", sequence(path="Game/Intro.Intro")),
    ("a path that names no object", sequence(path="/Game/")),
    ("a path with two dots", sequence(path="/Game/Intro.Intro.Intro")),
    ("a path with ':'", sequence(path="/Game/Intro.Intro:Sub")),
    ("a package path ending in '/' before the dot", sequence(path="/Game/.Intro")),
    ("movieScene as a string", sequence(movieScene="false")),
    ("an unknown sequence key", sequence(tracks=[])),
    ("a possessable without a GUID", sequence(possessables=[{"name": "Hero"}])),
    ("a possessable without a name", sequence(possessables=[{"guid": GUID_A}])),
    ("a GUID of 31 digits", possessable(guid=GUID_A[1:])),
    ("a GUID with dashes", possessable(guid="00000000-0000-0000-0000-00000000000A")),
    ("a GUID with a letter that is not hexadecimal", possessable(guid="G" + GUID_A[1:])),
    ("the zero GUID", possessable(guid="0" * 32)),
    ("a malformed parent", possessable(parent="parent")),
    ("boundTo as a string", possessable(boundTo="Hero")),
    ("a boundTo entry that is a number", possessable(boundTo=[1])),
    ("custom as a number", possessable(custom=1)),
    ("an unknown possessable key", possessable(spawnable=False)),
    ("an unknown spawnable key", sequence(spawnables=[{"guid": GUID_B, "name": "Extra", "class": "A"}])),
    ("a spawnable with the zero GUID", sequence(spawnables=[{"guid": "0" * 32, "name": "Extra"}])),
    ("a focus that is a number", {"focus": 1}),
    ("Play-In-Editor without a world", {"playWorld": True}),
    ("Play-In-Editor with a null world", {"world": None, "playWorld": True}),
    ("playWorld as a string", {"world": {}, "playWorld": "true"}),
    # Children resolve inside their parent's object, so they name it by its own name.
    ("a child bound by an Actor.Component path",
     sequence(possessables=[{"guid": GUID_A, "name": "Hero", "boundTo": ["Hero"]},
                            {"guid": GUID_B, "name": "Camera", "parent": GUID_A, "boundTo": ["Hero.Camera"]}])),
    ("a control character in an actor label", actor(label="He\u0001ro")),
    ("a NUL in a sequence path", sequence(path="/Game/In\u0000tro.Intro")),
]

# Rules only the loader can check: (what is wrong, the scene). Each is valid under the schema.
LOADER_ONLY = [
    ("two possessables with one GUID",
     sequence(possessables=[{"guid": GUID_A, "name": "Hero"}, {"guid": GUID_A, "name": "Villain"}])),
    ("a possessable and a spawnable with one GUID",
     sequence(possessables=[{"guid": GUID_A, "name": "Hero"}], spawnables=[{"guid": GUID_A, "name": "Extra"}])),
    ("a GUID repeated in another letter case",
     sequence(possessables=[{"guid": GUID_A, "name": "Hero"}, {"guid": GUID_A.lower(), "name": "Villain"}])),
    ("two sequences with one path", {"sequences": [{"path": "/Game/Intro.Intro"}, {"path": "/Game/Intro.Intro"}]}),
    ("two components of one actor with one name", actor(components=["Mesh", {"name": "Mesh"}])),
    ("a focus that names no sequence", {"sequences": [{"path": "/Game/Intro.Intro"}], "focus": "/Game/Outro.Outro"}),
]

# The same GUID in two sequences, a parent that names nothing (the inspector's walk ends there)
# and names that match no object are allowed; the loader must accept them as the schema does.
LOADER_ACCEPTS = [
    ("one GUID in two sequences",
     {"sequences": [{"path": "/Game/A.A", "possessables": [{"guid": GUID_A, "name": "Hero"}]},
                    {"path": "/Game/B.B", "possessables": [{"guid": GUID_A, "name": "Hero"}]}]}),
    ("a parent that names no binding", possessable(parent=GUID_B)),
    ("a boundTo name that matches nothing", possessable(boundTo=["Nobody"])),
    ("a package path without an object part", sequence(path="/Game/Intro")),
]

ERROR_LINE = re.compile(r"^(vantle-editor: )?(?P<file>.+):(?P<line>\d+):(?P<column>\d+): \S.*$")


def load_schema():
    with open(SCHEMA_PATH, encoding="utf-8") as stream:
        schema = json.load(stream)
    jsonschema.Draft202012Validator.check_schema(schema)
    return jsonschema.Draft202012Validator(schema)


def run_loader(editor, path):
    result = subprocess.run([editor, path, "-ExecCmds=Quit", "-DisablePlugins=ModelContextProtocol"],
                            stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
    return result.returncode, result.stderr.decode("utf-8", "replace")


class Checker:
    def __init__(self):
        self.failures = []

    def expect(self, condition, what):
        if not condition:
            self.failures.append(what)

    def finish(self, count):
        for failure in self.failures:
            print("FAIL: " + failure)
        print("%d checked, %d failed" % (count, len(self.failures)))
        return 1 if self.failures else 0


def write_scene(folder, index, scene):
    path = os.path.join(folder, "scene%02d.json" % index)
    with open(path, "w", encoding="utf-8") as stream:
        json.dump(scene, stream, indent="\t")
        stream.write("\n")
    return path


def scene_files():
    files = []
    for folder in ("Samples/Scenes", "Tests/Scenes"):
        base = os.path.join(ROOT, folder)
        for name in sorted(os.listdir(base)) if os.path.isdir(base) else []:
            if name.endswith(".json"):
                files.append(os.path.join(base, name))
    return files


def check_samples(editor, validator):
    checker = Checker()
    files = scene_files()
    checker.expect(len(files) >= 5, "expected the sample and test scenes, found %d" % len(files))
    for path in files:
        name = os.path.relpath(path, ROOT)
        with open(path, "rb") as stream:
            scene = json.loads(stream.read().decode("utf-8-sig"))
        errors = ["%s: %s" % ("/".join(map(str, error.absolute_path)), error.message) for error in validator.iter_errors(scene)]
        status, stderr = run_loader(editor, path)
        if os.path.basename(path) in REFUSED_SAMPLES:
            checker.expect(errors, "%s: the schema accepts the sample of a refused scene" % name)
            checker.expect(status == 2, "%s: the loader gave status %d, not 2" % (name, status))
        else:
            checker.expect(not errors, "%s: the schema refuses it: %s" % (name, "; ".join(errors)))
            checker.expect(status == 0, "%s: the loader gave status %d: %s" % (name, status, stderr.strip()))
    return checker.finish(len(files))


def check_bad_files(editor, validator, folder):
    checker = Checker()
    for index, (what, scene) in enumerate(BAD_FILES):
        checker.expect(not validator.is_valid(scene), "%s: the schema accepts it" % what)
        path = write_scene(folder, index, scene)
        status, stderr = run_loader(editor, path)
        checker.expect(status == 2, "%s: the loader gave status %d, not 2 (%s)" % (what, status, stderr.strip()))
        lines = [line for line in stderr.splitlines() if line.strip()]
        match = ERROR_LINE.match(lines[0]) if len(lines) == 1 else None
        checker.expect(match is not None and match.group("file") == path,
                       "%s: not one line FILE:LINE:COL: message: %r" % (what, stderr))
    return checker.finish(len(BAD_FILES))


def check_loader_rules(editor, validator, folder):
    checker = Checker()
    for index, (what, scene) in enumerate(LOADER_ONLY):
        checker.expect(validator.is_valid(scene), "%s: valid under the schema, so it belongs to the bad table" % what)
        path = write_scene(folder, index, scene)
        status, stderr = run_loader(editor, path)
        checker.expect(status == 2, "%s: the loader gave status %d, not 2" % (what, status))
        lines = [line for line in stderr.splitlines() if line.strip()]
        checker.expect(len(lines) == 1 and ERROR_LINE.match(lines[0]) is not None, "%s: not one located line: %r" % (what, stderr))
    # Loaded over an open scene, a refused file is reported on the console in the same one line.
    bad = write_scene(folder, 99, BAD_FILES[1][1])
    result = subprocess.run([editor, os.path.join(ROOT, "Samples", "Scenes", "Showcase.json"), "-DisablePlugins=ModelContextProtocol",
                             "-ExecCmds=Host.LoadScene %s; Quit" % bad], stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
    prefix = "LogHeadlessEditor: Warning: "
    warnings = [line[len(prefix):] for line in result.stdout.decode("utf-8", "replace").splitlines() if line.startswith(prefix)]
    checker.expect(result.returncode == 0, "Host.LoadScene of a refused file: the editor gave status %d" % result.returncode)
    checker.expect(len(warnings) == 1 and ERROR_LINE.match(warnings[0]) is not None and warnings[0].startswith(bad + ":"),
                   "Host.LoadScene of a refused file: not one located line: %r" % warnings)
    for index, (what, scene) in enumerate(LOADER_ACCEPTS, start=len(LOADER_ONLY)):
        checker.expect(validator.is_valid(scene), "%s: the schema refuses it" % what)
        status, stderr = run_loader(editor, write_scene(folder, index, scene))
        checker.expect(status == 0, "%s: the loader gave status %d: %s" % (what, status, stderr.strip()))
    return checker.finish(len(LOADER_ONLY) + 1 + len(LOADER_ACCEPTS))


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("samples", "bad", "rules"):
        print("usage: scene_schema_test.py samples|bad|rules VANTLE-EDITOR", file=sys.stderr)
        return 2
    mode, editor = sys.argv[1], sys.argv[2]
    validator = load_schema()
    if mode == "samples":
        return check_samples(editor, validator)
    with tempfile.TemporaryDirectory(prefix="vantle-schema-") as folder:
        if mode == "bad":
            return check_bad_files(editor, validator, folder)
        return check_loader_rules(editor, validator, folder)


if __name__ == "__main__":
    sys.exit(main())
