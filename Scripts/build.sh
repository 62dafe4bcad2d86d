#!/usr/bin/env bash
# Configures and builds one preset (default, asan or tsan); extra arguments go to cmake --build.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
preset="${1:-default}"
shift || true
"$root/Scripts/setup.sh"
cd "$root"
cmake --preset "$preset" > /dev/null
cmake --build --preset "$preset" "$@"
