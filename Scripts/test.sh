#!/usr/bin/env bash
# Builds and runs the whole test suite: the engine API check of the plugin, the plugin compiled as
# the engine compiles it (clang, unity and per file, strict warnings), the default build, the
# address+undefined sanitizer build, the thread sanitizer build for the threaded areas and a
# bounded fuzzing run (VANTLE_FUZZ_SECONDS per target, default 20).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
"$root/Scripts/setup.sh"

echo "== engine API check"
cmake --preset default > /dev/null
Tools/EngineApi/check-engine-api

jobs="$(nproc)"
echo "== engine-shaped plugin builds (clang: unity, per file, host headers; -Werror)"
cmake --preset engine > /dev/null
cmake --build --preset engine -j "$jobs"

for preset in default asan; do
	echo "== $preset build"
	cmake --preset "$preset" > /dev/null
	cmake --build --preset "$preset" -j "$jobs"
	echo "== $preset tests"
	ctest --preset "$preset" -j "$jobs"
done

echo "== tsan build (log, HTTP, MCP and plugin tests)"
cmake --preset tsan > /dev/null
cmake --build --preset tsan -j "$jobs" --target TestsCore TestsJson TestsHttp TestsMcp TestsPlugin
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$root/Scripts/tsan.supp" ctest --preset tsan -j "$jobs" -R 'Log|Http|Mcp|Watcher|Ping' -E '^Fuzz\.'

# Every seed already ran as a replay test above; this looks for new findings.
echo "== fuzz"
"$root/Scripts/fuzz.sh" "${VANTLE_FUZZ_SECONDS:-20}"
