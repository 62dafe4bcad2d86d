#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz preset: clang, address and undefined-behaviour sanitizers) and
# runs each for SECONDS (default 60), starting from its seeds in Tests/Fuzz/<Name>/corpus. Names
# after SECONDS pick targets; without them every target runs.
# Prints one line per target and a total; exits non-zero on any finding. A finding's reproducer
# is kept in Build/fuzz/Findings/<Name>/: add it to Tests/Fuzz/<Name>/corpus/ once it is mended,
# so that every test run replays it. Inputs that reached new code are kept in Build/fuzz/Corpus/
# and reused by the next run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
	echo "usage: $0 [SECONDS [TARGET...]]   (whole seconds per target, default 60; default: every target)" >&2
	exit 2
fi
shift || true
for name in "$@"; do
	if [ ! -f "$(dirname "$0")/../Tests/Fuzz/$name/CMakeLists.txt" ]; then
		echo "fuzz: no target $name in Tests/Fuzz" >&2
		exit 2
	fi
done
"$root/Scripts/setup.sh"
cd "$root"
cmake --preset fuzz > /dev/null
cmake --build --preset fuzz -j "$(nproc)"

build="$root/Build/fuzz"
targets=0
total_runs=0
total_findings=0
# The targets are the folders of Tests/Fuzz that CMake picks up; a stale program of a removed one is not run.
for folder in "$root"/Tests/Fuzz/*/; do
	[ -f "$folder/CMakeLists.txt" ] || continue
	name="$(basename "$folder")"
	if [ $# -gt 0 ] && ! printf '%s\n' "$@" | grep -qxF "$name"; then
		continue
	fi
	program="$build/Fuzz/Fuzz$name"
	if [ ! -x "$program" ]; then
		echo "fuzz: $program was not built" >&2
		exit 1
	fi
	seeds="$root/Tests/Fuzz/$name/corpus"
	dict="$root/Tests/Fuzz/$name/$name.dict"
	corpus="$build/Corpus/$name"
	findings="$build/Findings/$name"
	log="$build/Logs/$name.log"
	mkdir -p "$corpus" "$findings" "$(dirname "$log")"
	# Only this run's reproducers are counted; earlier ones are replaced.
	rm -f "$findings"/*
	args=(-max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -max_len=8192 -print_final_stats=1
		-artifact_prefix="$findings/")
	[ -f "$dict" ] && args+=(-dict="$dict")
	status=0
	ASAN_OPTIONS="detect_leaks=1:abort_on_error=0" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
		"$program" "${args[@]}" "$corpus" "$seeds" > "$log" 2>&1 || status=$?
	# The last status line carries the coverage; the final stats the number of runs.
	runs="$(sed -n 's/^stat::number_of_executed_units: *\([0-9]*\).*/\1/p' "$log" | tail -n 1)"
	last="$(grep -E '^#[0-9]+' "$log" | tail -n 1 || true)"
	[ -n "$runs" ] || runs="$(printf '%s' "$last" | sed -n 's/^#\([0-9]*\).*/\1/p')"
	cov="$(printf '%s' "$last" | sed -n 's/.*cov: \([0-9]*\).*/\1/p')"
	ft="$(printf '%s' "$last" | sed -n 's/.*ft: \([0-9]*\).*/\1/p')"
	found="$(find "$findings" -type f | wc -l)"
	if [ "$status" -ne 0 ] && [ "$found" -eq 0 ]; then
		# A failure that left no reproducer (the program could not start, for one) still counts.
		found=1
	fi
	echo "$name: ${runs:-0} runs, cov ${cov:-0}, ft ${ft:-0}, findings $found"
	if [ "$found" -ne 0 ]; then
		echo "  log: $log" >&2
		[ -n "$(ls -A "$findings")" ] && echo "  reproducers: $findings/" >&2
		grep -m 5 -E 'ERROR|fuzz check failed|runtime error|SUMMARY' "$log" | sed 's/^/  /' >&2 || true
	fi
	targets=$((targets + 1))
	total_runs=$((total_runs + ${runs:-0}))
	total_findings=$((total_findings + found))
done
echo "$targets targets, $total_runs runs, $total_findings findings"
if [ "$targets" -eq 0 ]; then
	echo "fuzz: no fuzz targets were built" >&2
	exit 1
fi
[ "$total_findings" -eq 0 ]
