#!/usr/bin/python3
# Copyright Vantle contributors. All Rights Reserved.
"""The engine API checker must fail on the faults it exists for, on scratch copies of the plugin."""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.realpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
CHECKER = os.path.join(ROOT, "Tools", "EngineApi", "check-engine-api")
MANIFEST = os.path.join(ROOT, "Tools", "EngineApi", "Manifest.tsv")
PRIVATE = os.path.join("Source", "Vantle", "Private")
SUMMARY = re.compile(r"^(\d+) declarations, (\d+) cited to reference pages, (\d+) cited to notes, (\d+) unconfirmed, "
                     r"(\d+) findings$")


def run(*args):
    result = subprocess.run([sys.executable, CHECKER, *args], cwd=ROOT, stdout=subprocess.PIPE,
                            stderr=subprocess.STDOUT, text=True, timeout=600)
    lines = result.stdout.splitlines()
    return result.returncode, lines


class ScratchPlugin(unittest.TestCase):
    def setUp(self):
        self.scratch = tempfile.mkdtemp(prefix="vantle-api-")
        self.plugin = os.path.join(self.scratch, "Vantle")
        shutil.copytree(os.path.join(ROOT, "Plugins", "Vantle"), self.plugin)
        self.manifest = os.path.join(self.scratch, "Manifest.tsv")
        shutil.copyfile(MANIFEST, self.manifest)

    def tearDown(self):
        shutil.rmtree(self.scratch)

    def path(self, name):
        return os.path.join(self.plugin, PRIVATE, name)

    def edit(self, name, old, new):
        with open(self.path(name), encoding="utf-8") as handle:
            text = handle.read()
        self.assertIn(old, text)
        with open(self.path(name), "w", encoding="utf-8") as handle:
            handle.write(text.replace(old, new, 1))

    def line_of(self, name, needle):
        with open(self.path(name), encoding="utf-8") as handle:
            for number, line in enumerate(handle, 1):
                if needle in line:
                    return number
        self.fail(f"{needle} not in {name}")

    def check(self, *only):
        args = ["--plugin", self.plugin, "--manifest", self.manifest]
        if only:
            args += ["--only", *only]
        status, lines = run(*args)
        self.assertTrue(lines and SUMMARY.match(lines[-1]), lines[-3:])
        self.assertFalse(any("Traceback" in line for line in lines), "\n".join(lines))
        return status, lines

    def drop_manifest_line(self, declaration):
        with open(self.manifest, encoding="utf-8") as handle:
            kept = [line for line in handle if not line.startswith(declaration + "\t")]
        with open(self.manifest, "w", encoding="utf-8") as handle:
            handle.writelines(kept)

    def findings(self, lines, name):
        return [line for line in lines if re.search(rf"(^|/){re.escape(name)}:\d+: ", line)]

    def test_the_unchanged_copy_passes(self):
        status, lines = self.check("McpPing.cpp", "VantleStyle.cpp")
        self.assertEqual(status, 0, "\n".join(lines))
        self.assertTrue(lines[-1].endswith(" 0 findings"))

    def test_dereferencing_the_log_without_its_header_fails_on_that_line(self):
        self.edit("McpPing.cpp", '#include "Misc/OutputDeviceRedirector.h"\n', "")
        use = self.line_of("McpPing.cpp", "*GLog")
        status, lines = self.check("McpPing.cpp")
        self.assertEqual(status, 1)
        # Without the header the redirector is incomplete: the conversion does not compile there, as in
        # a strict-include engine build.
        hits = [line for line in self.findings(lines, "McpPing.cpp") if f"McpPing.cpp:{use}:" in line]
        self.assertTrue(hits, "\n".join(lines))
        self.assertTrue(any("FOutputDeviceRedirector" in line for line in hits), "\n".join(hits))

    def test_a_host_function_missing_from_the_manifest_fails(self):
        # FPlatformTime::Cycles64 exists in the host, and the plugin has never called it.
        self.edit("McpPing.cpp", "NextCheckTime = FPlatformTime::Seconds() + RecheckInterval;",
                  "NextCheckTime = FPlatformTime::Seconds() + RecheckInterval + 0 * FPlatformTime::Cycles64();")
        line = self.line_of("McpPing.cpp", "Cycles64")
        status, lines = self.check("McpPing.cpp")
        self.assertEqual(status, 1)
        self.assertTrue(any(f"McpPing.cpp:{line}:" in l and "FPlatformTime::Cycles64()" in l and "not in the manifest" in l
                            for l in lines), "\n".join(lines))

    def test_a_module_missing_from_build_cs_leaves_its_headers_unresolved(self):
        # The build of such a Build.cs has no include path for the module: a finding naming the file,
        # the header and the module, never a traceback.
        build_cs = os.path.join(self.plugin, "Source", "Vantle", "Vantle.Build.cs")
        with open(build_cs, encoding="utf-8") as handle:
            text = handle.read()
        with open(build_cs, "w", encoding="utf-8") as handle:
            handle.write(text.replace('\t\t\t"ToolMenus",\n', "", 1))
        include = self.line_of("VantleMenus.cpp", '#include "ToolMenu.h"')
        status, lines = self.check("VantleMenus.cpp")
        self.assertEqual(status, 1)
        self.assertTrue(any(f"VantleMenus.cpp:{include}: includes \"ToolMenu.h\", which does not resolve" in l
                            and "module ToolMenus" in l and "Vantle.Build.cs does not name" in l
                            for l in lines), "\n".join(lines))

    def test_an_implicit_conversion_missing_from_the_manifest_fails(self):
        # FString converts to FStringView through the view's range constructor; the plugin never names it.
        self.edit("McpPing.cpp", "NextCheckTime = FPlatformTime::Seconds() + RecheckInterval;",
                  "NextCheckTime = FPlatformTime::Seconds() + RecheckInterval;\n\tconst FString Owned;\n"
                  "\tconst FStringView View = Owned;\n\t(void)View;")
        self.edit("McpPing.cpp", '#include "HAL/PlatformTime.h"\n',
                  '#include "HAL/PlatformTime.h"\n#include "Containers/StringView.h"\n')
        line = self.line_of("McpPing.cpp", "const FStringView View = Owned;")
        self.drop_manifest_line("TStringView::TStringView<CharType>(const CharRangeType &)")
        status, lines = self.check("McpPing.cpp")
        self.assertEqual(status, 1)
        self.assertTrue(any(f"McpPing.cpp:{line}:" in l and "TStringView<CharType>(const CharRangeType &)" in l
                            and "not in the manifest" in l for l in lines), "\n".join(lines))

    def test_an_included_header_without_a_manifest_line_fails(self):
        self.edit("McpStatus.cpp", '#include "Input/Reply.h"\n', '#include "Input/Reply.h"\n#include "Misc/Paths.h"\n')
        line = self.line_of("McpStatus.cpp", '#include "Misc/Paths.h"')
        status, lines = self.check("McpStatus.cpp")
        self.assertEqual(status, 1)
        self.assertTrue(any(f"McpStatus.cpp:{line}: #include \"Misc/Paths.h\"" in l and "not in the manifest" in l
                            for l in lines), "\n".join(lines))

    def test_a_file_that_does_not_parse_is_reported_and_fails(self):
        self.edit("McpStatus.cpp", "\n", "\nint Broken = ;\n")
        status, lines = self.check("McpStatus.cpp")
        self.assertEqual(status, 1)
        self.assertTrue(any("McpStatus.cpp:2: does not parse" in l for l in lines), "\n".join(lines))

    def test_host_only_headers_and_namespace_fail(self):
        self.edit("McpStatus.cpp", '#include "Input/Reply.h"\n',
                  '#include "Input/Reply.h"\n#include "HostCore.h"\nstatic auto Leak = &UE::Host::ToUtf8;\n')
        status, lines = self.check("McpStatus.cpp")
        self.assertEqual(status, 1)
        self.assertTrue(any("host-only" in l for l in self.findings(lines, "McpStatus.cpp")), "\n".join(lines))

    def test_a_wrong_include_path_in_the_manifest_fails(self):
        with open(self.manifest, encoding="utf-8") as handle:
            text = handle.read()
        text = re.sub(r"^(static double FPlatformTime::Seconds\(\)\t[^\t]*\t)HAL/PlatformTime\.h", r"\1HAL/Platform.h",
                      text, count=1, flags=re.M)
        with open(self.manifest, "w", encoding="utf-8") as handle:
            handle.write(text)
        status, lines = self.check("McpPing.cpp")
        self.assertEqual(status, 1)
        self.assertTrue(any("FPlatformTime::Seconds()" in l and "the host declares it in HAL/PlatformTime.h" in l
                            for l in lines), "\n".join(lines))


if __name__ == "__main__":
    unittest.main()
