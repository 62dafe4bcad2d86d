#!/usr/bin/env bash
# Mutation testing of the plugin: applies small seeded mutations to the plugin's sources one at a
# time, rebuilds what covers the plugin in the default build, runs the tests that cover it and
# prints one line per mutant and the score. Not part of CI: each mutant costs a rebuild and a test run.
#
#   Scripts/mutate.sh [--count N] [--seed S] [--only I,J...] [--timeout SECONDS] [--logs DIR] [FILE...]
#
# FILEs are plugin sources (Plugins/Vantle/Source/Vantle/Private/*.cpp, *.h, not tests); default:
# all of them. The sites are picked from the seed and from each site's own text, so an edit in one
# place of the sources leaves the choice elsewhere as it was. The plugin's source tree is restored
# after every mutant, also on Ctrl-C or error; the script refuses to start on a dirty tree.
set -euo pipefail

# The tests that cover the plugin, kept here only. A CTest test runs against each mutant when its
# name matches COVER_NAMES, it carries a label in COVER_LABELS, or its command runs one of
# COVER_PROGRAMS (programs that link the plugin or start the editor that loads it).
COVER_PROGRAMS='TestsPlugin|TestsEditor|vantle-editor|FuzzMcpLogLine|FuzzMcpPingAnswer'
COVER_NAMES='^Automation\.'
COVER_LABELS='automation'

PLUGIN_DIR='Plugins/Vantle/Source/Vantle/Private'
PRESET='default'

usage()
{
	echo "usage: $0 [--count N] [--seed S] [--only I,J...] [--timeout SECONDS] [--logs DIR] [FILE...]" >&2
	echo "  --count N        mutants to try (default 40)" >&2
	echo "  --seed S         picks the mutation sites (default 1)" >&2
	echo "  --only I,J...    of the N mutants, try only these (to re-run one from an earlier report)" >&2
	echo "  --timeout SECS   per-test limit (default: 4x the slowest covering test, at least 60)" >&2
	echo "  --logs DIR       keep each mutant's build and test output in DIR" >&2
	echo "  FILE             plugin sources under $PLUGIN_DIR (default: all but the tests)" >&2
	exit 2
}

say()
{
	echo "mutate: $*" >&2
}

fail()
{
	say "$*"
	exit 1
}

count=40
seed=1
test_timeout=''
only=''
logs=''
files=()
while [ $# -gt 0 ]; do
	case "$1" in
		--count|--seed|--only|--timeout|--logs)
			[ $# -ge 2 ] || usage
			case "$1" in
				--count) count="$2" ;;
				--seed) seed="$2" ;;
				--only) only="$2" ;;
				--timeout) test_timeout="$2" ;;
				--logs) logs="$2" ;;
			esac
			shift 2
			;;
		-h|--help) usage ;;
		--) shift; files+=("$@"); break ;;
		-*) say "unknown option $1"; usage ;;
		*) files+=("$1"); shift ;;
	esac
done
[[ "$count" =~ ^[1-9][0-9]*$ ]] || { say "--count needs a whole number above 0, not '$count'"; usage; }
[[ "$seed" =~ ^[0-9]+$ ]] || { say "--seed needs a whole number, not '$seed'"; usage; }
[ -z "$only" ] || [[ "$only" =~ ^[1-9][0-9]*(,[1-9][0-9]*)*$ ]] || { say "--only needs mutant numbers like 3,7, not '$only'"; usage; }
[ -z "$test_timeout" ] || [[ "$test_timeout" =~ ^[1-9][0-9]*$ ]] || { say "--timeout needs whole seconds, not '$test_timeout'"; usage; }

root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
command -v python3 > /dev/null || fail "python3 is needed"
command -v git > /dev/null || fail "git is needed"

# Everything the shell does not do well: finding the sites, applying one, reading CTest's answers.
read -r -d '' HELPER << 'PY' || true
import hashlib, json, os, re, sys

KEYWORDS = {"if", "for", "while", "switch", "return", "sizeof", "delete", "new", "throw", "case", "do", "else",
	"static_assert", "decltype", "co_return", "co_await", "co_yield", "alignas", "typedef", "using", "goto",
	"default", "template", "typename", "operator"}

def mask(text):
	"""The text with comments, string and character literals and preprocessor lines blanked out
	(newlines kept), so that offsets match the original."""
	out = list(text)
	i, n = 0, len(text)
	line_start = True
	def blank(a, b):
		for k in range(a, b):
			if out[k] != "\n":
				out[k] = " "
	while i < n:
		c = text[i]
		if c == "\n":
			line_start = True
			i += 1
			continue
		if c in " \t\r":
			i += 1
			continue
		if line_start and c == "#":
			j = i
			while j < n:
				if text[j] == "\n" and text[j - 1] != "\\":
					break
				j += 1
			blank(i, j)
			i = j
			continue
		line_start = False
		if text.startswith("//", i):
			j = text.find("\n", i)
			j = n if j < 0 else j
			blank(i, j)
			i = j
			continue
		if text.startswith("/*", i):
			j = text.find("*/", i + 2)
			j = n if j < 0 else j + 2
			blank(i, j)
			i = j
			continue
		if c.isalpha() or c == "_":
			j = i
			while j < n and (text[j].isalnum() or text[j] == "_"):
				j += 1
			word = text[i:j]
			if j < n and text[j] == '"' and word in ("R", "LR", "uR", "UR", "u8R"):
				m = re.compile(r'"([^()\\ \n]{0,16})\(').match(text, j)
				if m:
					end = text.find(")" + m.group(1) + '"', m.end())
					end = n if end < 0 else end + len(m.group(1)) + 2
					blank(j, end)
					i = end
					continue
			i = j
			continue
		if c.isdigit() or (c == "." and i + 1 < n and text[i + 1].isdigit()):
			j = i + 1
			while j < n and (text[j].isalnum() or text[j] in "_.'" or (text[j] in "+-" and text[j - 1] in "eEpP" and not text[i:j].lower().startswith("0x"))):
				j += 1
			i = j
			continue
		if c in "\"'":
			j = i + 1
			while j < n and text[j] != c and text[j] != "\n":
				j += 2 if text[j] == "\\" else 1
			j = min(j + 1, n)
			blank(i, j)
			i = j
			continue
		i += 1
	return "".join(out)

def matching(masked, open_index):
	"""Index of the bracket closing the one at open_index, or -1."""
	pairs = {"(": ")", "[": "]", "{": "}"}
	stack = []
	for k in range(open_index, len(masked)):
		ch = masked[k]
		if ch in pairs:
			stack.append(pairs[ch])
		elif ch in ")]}":
			if not stack or stack.pop() != ch:
				return -1
			if not stack:
				return k
	return -1

def code_ranges(masked):
	"""Offsets inside function bodies (braces not opened by namespace, class, struct, enum, union)."""
	inside = [False] * (len(masked) + 1)
	stack = []
	last_break = 0
	for k, ch in enumerate(masked):
		if ch == "{":
			head = masked[last_break:k]
			is_scope = re.search(r"\b(namespace|class|struct|enum|union)\b", head) and not re.search(r"[=(]", head)
			stack.append(bool(stack and stack[-1]) or not is_scope)
			last_break = k + 1
		elif ch == "}":
			if stack:
				stack.pop()
			last_break = k + 1
		elif ch == ";":
			last_break = k + 1
		inside[k] = bool(stack and stack[-1])
	return inside

def sites_of(path, text):
	masked = mask(text)
	code = code_ranges(masked)
	found = []
	for m in re.finditer(r"(?<=\s)(<=|>=|==|!=|<|>)(?=\s)", masked):
		swap = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
		found.append(("comparison", m.start(), m.end(), swap[m.group(1)]))
	for m in re.finditer(r"(?<=\s)(&&|\|\|)(?=\s)", masked):
		found.append(("boolean", m.start(), m.end(), "||" if m.group(1) == "&&" else "&&"))
	for m in re.finditer(r"\bif\s*(\()", masked):
		open_index = m.start(1)
		close = matching(masked, open_index)
		if close < 0 or not code[m.start()]:
			continue
		condition = masked[open_index + 1:close]
		depth_zero = re.sub(r"\([^()]*\)", "", condition)
		if ";" in depth_zero or re.search(r"(?<![=!<>])=(?!=)", depth_zero):
			continue
		inner = text[open_index + 1:close]
		found.append(("negation", open_index + 1, close, "!(" + inner + ")"))
	number = re.compile(r"(?<![\w.])(0[xX][0-9A-Fa-f']+|\d[\d']*\.?\d*|\.\d+)([uUlLfF]*)(?![\w.'])")
	for m in number.finditer(masked):
		literal, suffix = m.group(1), m.group(2)
		found.append(("constant", m.start(), m.end(), (literal, suffix)))
	call = re.compile(r"(?m)^[ \t]*((?:::)?~?[A-Za-z_]\w*(?:\s*(?:::|\.|->)\s*~?[A-Za-z_]\w*)*)\s*\(")
	for m in call.finditer(masked):
		first = re.match(r"(?:::)?~?([A-Za-z_]\w*)", m.group(1)).group(1)
		start = m.start(1)
		if first in KEYWORDS or not code[start]:
			continue
		before = masked[:start].rstrip()
		if before and before[-1] not in ";{}":
			continue
		close = matching(masked, m.end() - 1)
		while close >= 0:
			rest = re.compile(r"\s*(?:\.|->)\s*[A-Za-z_]\w*\s*\(").match(masked, close + 1)
			if not rest:
				break
			close = matching(masked, rest.end() - 1)
		if close < 0:
			continue
		semicolon = re.compile(r"\s*;").match(masked, close + 1)
		if not semicolon:
			continue
		end = semicolon.end()
		found.append(("call", start, end, ";" + "\n" * text[start:end].count("\n")))
	return found

def constant_after(literal, suffix, down):
	clean = literal.replace("'", "")
	if clean.lower().startswith("0x"):
		value = int(clean, 16)
		value = value - 1 if down and value > 0 else value + 1
		digits = format(value, "X" if any(ch.isupper() for ch in clean[2:]) else "x")
		return clean[:2] + digits.rjust(len(clean) - 2, "0") + suffix
	if "." in clean:
		whole, fraction = clean.split(".", 1)
		value = int(whole or "0")
		value = value - 1 if down and value >= 1 else value + 1
		return str(value) + "." + fraction + suffix
	if len(clean) > 1 and clean.startswith("0"):
		value = int(clean, 8)
		value = value - 1 if down and value > 0 else value + 1
		return "0" + format(value, "o") + suffix
	value = int(clean)
	value = value - 1 if down and value > 0 else value + 1
	return str(value) + suffix

def excerpt(text, start, end, replacement):
	"""The changed line, before and after, trimmed to a readable width around the change."""
	line_start = text.rfind("\n", 0, start) + 1
	line_end = text.find("\n", end)
	line_end = len(text) if line_end < 0 else line_end
	first_end = text.find("\n", start)
	first_end = len(text) if first_end < 0 else first_end
	def shorten(s, focus):
		s = " ".join(s.split())
		if len(s) <= 90:
			return s
		lo = max(0, min(focus - 30, len(s) - 87))
		return ("..." if lo > 0 else "") + s[lo:lo + 87] + ("..." if lo + 87 < len(s) else "")
	head = text[line_start:start]
	lead = len(head) - len(head.lstrip())
	focus = len(" ".join(head.split()))
	if "\n" in text[start:end]:
		before = text[line_start:first_end].strip() + " ..."
		after = (head + replacement.replace("\n", " ")).strip()
		return shorten(before, focus), shorten(after, focus)
	return shorten(text[line_start:line_end][lead:], focus), shorten((head + replacement + text[end:line_end])[lead:], focus)

def plan(seed, count, root, paths):
	candidates = []
	for path in paths:
		with open(os.path.join(root, path), encoding="utf-8") as f:
			text = f.read()
		seen = {}
		for kind, start, end, after in sites_of(path, text):
			line_start = text.rfind("\n", 0, start) + 1
			line_end = text.find("\n", start)
			line_text = text[line_start:line_end if line_end >= 0 else len(text)]
			identity = (kind, line_text.strip(), start - line_start - (len(line_text) - len(line_text.lstrip())))
			seen[identity] = seen.get(identity, 0) + 1
			key = hashlib.sha256(("%d\0%s\0%s\0%s\0%d\0%d" % (seed, path, identity[0], identity[1], identity[2], seen[identity])).encode()).hexdigest()
			if kind == "constant":
				after = constant_after(after[0], after[1], int(key[-1], 16) % 2 == 1)
			before_text, after_text = excerpt(text, start, end, after)
			candidates.append({"key": key, "file": path, "line": text.count("\n", 0, start) + 1, "kind": kind,
				"start": start, "end": end, "replacement": after, "before": before_text, "after": after_text})
	candidates.sort(key=lambda c: c["key"])
	return candidates[:count], len(candidates)

def command_plan(args):
	seed, count, root, out = int(args[0]), int(args[1]), args[2], args[3]
	chosen, total = plan(seed, count, root, args[4:])
	with open(out, "w", encoding="utf-8") as f:
		json.dump(chosen, f)
	print(len(chosen), total)

def command_show(args):
	mutants = json.load(open(args[0], encoding="utf-8"))
	m = mutants[int(args[1]) - 1]
	print("%s:%d %s: %s -> %s" % (m["file"], m["line"], m["kind"], m["before"], m["after"]))

def command_file(args):
	print(json.load(open(args[0], encoding="utf-8"))[int(args[1]) - 1]["file"])

def command_apply(args):
	mutants, root = json.load(open(args[0], encoding="utf-8")), args[2]
	m = mutants[int(args[1]) - 1]
	path = os.path.join(root, m["file"])
	with open(path, encoding="utf-8", newline="") as f:
		text = f.read()
	with open(path, "w", encoding="utf-8", newline="") as f:
		f.write(text[:m["start"]] + m["replacement"] + text[m["end"]:])

def command_select(args):
	programs, names, labels, build_dir = re.compile("^(%s)$" % args[0]), re.compile(args[1]), re.compile("^(%s)$" % args[2]), os.path.realpath(args[3])
	info = json.load(sys.stdin)
	numbers, chosen, targets = [], [], []
	for number, test in enumerate(info.get("tests", []), 1):
		command = test.get("command") or []
		test_labels = []
		for prop in test.get("properties", []):
			if prop.get("name") == "LABELS":
				test_labels = prop.get("value") or []
		runs = [os.path.basename(word) for word in command]
		if names.search(test["name"]) or any(labels.match(l) for l in test_labels) or any(programs.match(r) for r in runs):
			numbers.append(str(number))
			chosen.append(test["name"])
			for word in command:
				real = os.path.realpath(word) if os.path.isabs(word) else ""
				if real.startswith(build_dir + os.sep):
					target = os.path.relpath(real, build_dir)
					if target not in targets:
						targets.append(target)
	print(",".join(numbers))
	print(" ".join(targets))
	print(len(chosen))

LINE = re.compile(r"^\s*\d+/\d+ Test\s+#\d+: (\S+) \.*\s*(\*\*\*)?(.*?)\s+[\d.]+ sec\s*$")

def command_verdict(args):
	"""First failing test in a CTest log: 'killed by NAME [(reason)]', else 'survived'."""
	slowest, total = 0.0, 0.0
	started = None
	for line in open(args[0], encoding="utf-8", errors="replace"):
		start = re.match(r"^\s*Start\s+\d+: (\S+)", line)
		if start:
			started = start.group(1)
			continue
		m = LINE.match(line)
		if not m:
			continue
		started = None
		seconds = float(line.split()[-2])
		slowest, total = max(slowest, seconds), total + seconds
		status = m.group(3).strip()
		if m.group(2) or status not in ("Passed", "Skipped"):
			reason = " ".join(status.replace("***", " ").replace("Exception:", " ").split()).lower() or "failed"
			print("killed by %s" % m.group(1) + ("" if reason == "failed" else " (%s)" % reason))
			return
	if len(args) > 1 and args[1] == "cut" and started:
		print("killed by %s (timeout)" % started)
		return
	print("survived %.1f %.1f" % (slowest, total))

commands = {"plan": command_plan, "show": command_show, "file": command_file, "apply": command_apply, "select": command_select, "verdict": command_verdict}
commands[sys.argv[1]](sys.argv[2:])
PY

helper()
{
	python3 -c "$HELPER" "$@"
}

# The files to mutate.
git rev-parse --show-toplevel > /dev/null 2>&1 || fail "$root is not a git work tree"
if [ ${#files[@]} -eq 0 ]; then
	while IFS= read -r file; do
		files+=("$file")
	done < <(git ls-files -- "$PLUGIN_DIR/*.cpp" "$PLUGIN_DIR/*.h" | grep -v "^$PLUGIN_DIR/Tests/" | grep -v 'Tests\.cpp$' | sort)
else
	checked=()
	for file in "${files[@]}"; do
		[ -f "$file" ] || fail "no file $file"
		relative="$(realpath --relative-to="$root" "$file")"
		case "$relative" in
			"$PLUGIN_DIR"/Tests/*|*Tests.cpp) fail "$file is a test, not a source to mutate" ;;
			"$PLUGIN_DIR"/*.cpp|"$PLUGIN_DIR"/*.h) checked+=("$relative") ;;
			*) fail "$file is not a plugin source ($PLUGIN_DIR/*.cpp or *.h)" ;;
		esac
	done
	files=("${checked[@]}")
fi
[ ${#files[@]} -gt 0 ] || fail "no plugin sources found under $PLUGIN_DIR"

dirty="$(git status --porcelain --untracked-files=all -- Plugins/Vantle/Source)"
if [ -n "$dirty" ]; then
	say "the plugin's source tree has changes; commit or stash them first:"
	echo "$dirty" >&2
	exit 1
fi

work="$(mktemp -d "${TMPDIR:-/tmp}/vantle-mutate.XXXXXX")"
build_dir="$root/Build/$PRESET"
ctest_state="$build_dir/Testing/Temporary"
mutated=''
child=''

restore_ctest_state()
{
	if [ -d "$work/ctest-state" ]; then
		rm -rf "$ctest_state"
		mkdir -p "$ctest_state"
		cp -a "$work/ctest-state/." "$ctest_state/"
	fi
}

restore_source()
{
	if [ -n "$mutated" ]; then
		cat "$work/original" > "$root/$mutated"
		mutated=''
	fi
}

cleanup()
{
	local status=$?
	trap - EXIT INT TERM HUP
	if [ -n "$child" ]; then
		kill -TERM -- "-$child" 2> /dev/null || kill -TERM "$child" 2> /dev/null || true
		wait "$child" 2> /dev/null || true
	fi
	restore_source
	restore_ctest_state
	rm -rf "$work"
	exit "$status"
}
trap cleanup EXIT
trap 'say "interrupted; the sources are restored (the next build recompiles the file that was mutated)"; exit 130' INT TERM HUP

# Runs a command in its own process group with a time limit, so that a hung test or an interrupt
# ends everything it started.
run_limited()
{
	local limit="$1" log="$2"
	shift 2
	timeout --kill-after=10 "$limit" "$@" > "$log" 2>&1 &
	child=$!
	local status=0
	wait "$child" || status=$?
	child=''
	return "$status"
}

read -r planned sites <<< "$(helper plan "$seed" "$count" "$root" "$work/plan.json" "${files[@]}")"
[ "$planned" -lt "$count" ] && say "only $sites mutation sites in ${#files[@]} files; trying all of them"
say "$planned of $sites sites chosen with seed $seed"
for number in ${only//,/ }; do
	[ "$number" -le "$planned" ] || fail "--only $number: there are only $planned mutants"
done
[ -z "$logs" ] || mkdir -p "$logs"

say "configuring the $PRESET build"
cmake --preset "$PRESET" > "$work/configure.log" 2>&1 || { cat "$work/configure.log" >&2; fail "cmake --preset $PRESET failed"; }
mkdir -p "$ctest_state"
cp -a "$ctest_state/." "$work/ctest-state/" 2> /dev/null || mkdir -p "$work/ctest-state"

# The covering tests and the programs they run. The program list comes from CTest's own view,
# which needs the test programs built.
select_tests()
{
	ctest --preset "$PRESET" --show-only=json-v1 2> "$work/select.err" \
		| helper select "$COVER_PROGRAMS" "$COVER_NAMES" "$COVER_LABELS" "$build_dir" > "$work/select" \
		|| { cat "$work/select.err" >&2; fail "could not list the CTest tests of the $PRESET build"; }
	numbers="$(sed -n 1p "$work/select")"
	read -r -a targets <<< "$(sed -n 2p "$work/select")"
	selected="$(sed -n 3p "$work/select")"
}

build_targets()
{
	local log="$1"
	run_limited 3600 "$log" nice -n 5 cmake --build --preset "$PRESET" -j 2 --target "${targets[@]}"
}

# A test program not built yet is invisible to CTest's view, so build all of it first: otherwise a
# partly built tree would silently select too few tests.
say "building the whole $PRESET build once"
cmake --build --preset "$PRESET" -j 2 > "$work/build.log" 2>&1 || { tail -30 "$work/build.log" >&2; fail "the $PRESET build fails"; }
select_tests
[ -n "$numbers" ] || fail "no CTest test covers the plugin (programs $COVER_PROGRAMS, names $COVER_NAMES, labels $COVER_LABELS)"
say "building ${targets[*]}"
build_targets "$work/build.log" || { tail -30 "$work/build.log" >&2; fail "the unmutated sources do not build"; }
select_tests

run_tests()
{
	local log="$1" limit="$2"
	restore_ctest_state
	run_limited "$limit" "$log" nice -n 5 ctest --preset "$PRESET" -I "0,0,0,$numbers" --stop-on-failure --timeout "${test_timeout:-600}" -j 1
}

say "running the $selected covering tests on the unmutated sources"
status=0
run_tests "$work/baseline.log" 7200 || status=$?
verdict="$(helper verdict "$work/baseline.log")"
if [ "$status" -ne 0 ] || [[ "$verdict" != survived* ]]; then
	tail -40 "$work/baseline.log" >&2
	fail "the covering tests do not pass on the unmutated sources (${verdict#survived}); fix that first"
fi
read -r _ slowest total <<< "$verdict"
if [ -z "$test_timeout" ]; then
	test_timeout=$(python3 -c "import math; print(max(60, math.ceil(4 * $slowest)))")
fi
run_limit=$(python3 -c "import math; print(math.ceil(3 * $total) + $test_timeout + 120)")
say "the covering tests take ${total}s (slowest ${slowest}s); per-test limit ${test_timeout}s, per-mutant run limit ${run_limit}s"

started=$(date +%s)

killed=0
survived=0
broken=0
tried=0
for ((i = 1; i <= planned; i++)); do
	if [ -n "$only" ] && [[ ",$only," != *",$i,"* ]]; then
		continue
	fi
	tried=$((tried + 1))
	description="$(helper show "$work/plan.json" "$i")"
	file="$(helper file "$work/plan.json" "$i")"
	cp "$root/$file" "$work/original"
	mutated="$file"
	helper apply "$work/plan.json" "$i" "$root"
	mutant_started=$(date +%s)
	build_log="$work/build-$i.log"
	test_log="$work/test-$i.log"
	if ! build_targets "$build_log"; then
		if grep -q "Error running test executable" "$build_log"; then
			program="$(sed -n "s/.*Path: '\{0,1\}\([^']*\)'\{0,1\}.*/\1/p" "$build_log" | head -1)"
			result="killed by ${program##*/} (crashed listing its tests)"
			killed=$((killed + 1))
		else
			result="did not compile"
			broken=$((broken + 1))
		fi
	else
		status=0
		run_tests "$test_log" "$run_limit" || status=$?
		if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
			result="$(helper verdict "$test_log" cut)"
			[[ "$result" == killed* ]] || result="killed by timeout"
		else
			result="$(helper verdict "$test_log")"
			if [[ "$result" == survived* ]]; then
				if [ "$status" -ne 0 ]; then
					result="killed by ctest (exit status $status)"
				else
					result="survived"
				fi
			fi
		fi
		if [[ "$result" == killed* ]]; then
			killed=$((killed + 1))
		else
			survived=$((survived + 1))
		fi
	fi
	restore_source
	if [ -n "$logs" ]; then
		cp "$build_log" "$logs/mutant-$i-build.log"
		[ -f "$test_log" ] && cp "$test_log" "$logs/mutant-$i-test.log"
	fi
	rm -f "$build_log" "$test_log"
	echo "MUTANT $i $description: $result"
	say "mutant $i took $(($(date +%s) - mutant_started))s"
done

say "$tried mutants took $(($(date +%s) - started))s"
say "rebuilding the restored sources"
build_targets "$work/build.log" || say "the rebuild of the restored sources failed; see cmake --build --preset $PRESET"
restore_ctest_state
if [ -n "$(git status --porcelain --untracked-files=all -- Plugins/Vantle/Source)" ]; then
	git status --short -- Plugins/Vantle/Source >&2
	fail "the plugin's sources are not as they were"
fi

echo "$broken mutants did not compile (not in the score)"
if [ $((killed + survived)) -gt 0 ]; then
	score=$(python3 -c "print('%.1f' % (100.0 * $killed / ($killed + $survived)))")
else
	score='n/a '
fi
echo "$tried mutants, $killed killed, $survived survived, score $score%"
