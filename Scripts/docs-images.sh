#!/usr/bin/env bash
# Regenerates Docs/images/*.png, every picture the pages show, with vantle-editor drawing the
# unchanged plugin on the sample scenes: the whole panel, the bindings section and the MCP section
# in each state (Host.CaptureTab), the Sequencer toolbar in each colour and the Tools menu
# (Host.CaptureMenu). Each run's status (Vantle.Capture's text, or the menu's entries) is checked
# first, so a picture that does not show its state is never written. The MCP pictures use the fixed
# ports 8000 and 8001, so that a second run writes the same bytes; the script stops when either is
# taken. Set VANTLE_EDITOR to use a built editor instead of building one.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
editor="${VANTLE_EDITOR:-}"
if [ -z "$editor" ]; then
	"$root/Scripts/build.sh" default --target vantle-editor
	editor="$root/Build/default/Host/HeadlessEditor/vantle-editor"
fi
cd "$root"
work="$(mktemp -d)"
server_pid=""
cleanup() {
	if [ -n "$server_pid" ]; then
		kill "$server_pid" 2> /dev/null || true
		wait "$server_pid" 2> /dev/null || true
	fi
	rm -rf "$work"
}
trap cleanup EXIT

fail() {
	echo "docs-images: $*" >&2
	exit 1
}

port_is_free() {
	python3 - "$1" << 'EOF'
import socket, sys
s = socket.socket()
try:
    s.bind(("127.0.0.1", int(sys.argv[1])))
except OSError:
    sys.exit(1)
EOF
}

# The status text is UTF-16 once the MCP message carries its umlaut.
status_text() {
	if [ "$(head -c 2 "$1" | od -An -tx1 | tr -d ' ')" = "fffe" ]; then
		iconv -f UTF-16 -t UTF-8 "$1"
	else
		cat "$1"
	fi
}

# Every pattern of EXPECTED (blank-separated, each a whole line) is in the text of FILE.
expect_lines() {
	local name="$1" text="$2" expected="$3" pattern patterns
	read -ra patterns <<< "$expected"
	for pattern in "${patterns[@]}"; do
		grep -qxE "$pattern" <<< "$text" || fail "$name does not show its state (no line matching $pattern):"$'\n'"$text"
	done
}

# run NAME SCENE COMMANDS [EDITOR ARGS ...]: the editor on SCENE, COMMANDS then Quit, log in $work/NAME.log.
run() {
	local name="$1" scene="$2" commands="$3"
	shift 3
	if ! timeout 60 "$editor" "$scene" "$@" -ExecCmds="$commands; Quit" < /dev/null > "$work/$name.log" 2>&1; then
		fail "$name: vantle-editor failed:"$'\n'"$(cat "$work/$name.log")"
	fi
}

keep() {
	mkdir -p Docs/images
	cp "$1" "Docs/images/$2.png"
	echo "Docs/images/$2.png: $3"
}

# section NAME SECTION SCENE 'EXPECTED STATUS LINES' COMMANDS [EDITOR ARGS ...]: one section of the
# panel (bindings or mcp) after COMMANDS, the window tall enough for all thirteen rows.
section() {
	local name="$1" part="$2" scene="$3" expected="$4" commands="$5" band
	shift 5
	case "$part" in
		bindings) band="01 / SEQUENCER | 02 / UNREAL MCP" ;;
		mcp) band="02 / UNREAL MCP | Focused sequence only" ;;
		panel) band="" ;;
	esac
	run "$name" "$scene" "Vantle.Open; Host.ResizeTab Vantle.Panel 560 680; $commands; Vantle.Capture $work/$name.png; Host.CaptureTab Vantle.Panel $work/$name.part.png $band" "$@"
	[ -f "$work/$name.png.txt" ] || fail "$name: no capture was written:"$'\n'"$(cat "$work/$name.log")"
	[ -f "$work/$name.part.png" ] || fail "$name: Host.CaptureTab wrote nothing:"$'\n'"$(cat "$work/$name.log")"
	local status
	status="$(status_text "$work/$name.png.txt")"
	expect_lines "$name" "$status" "$expected"
	# The whole panel is the capture itself; a section is the band of the window around it.
	if [ "$part" = panel ]; then
		keep "$work/$name.png" "$name" "$(tr '\n' ' ' <<< "$status")"
	else
		keep "$work/$name.part.png" "$name" "$(tr '\n' ' ' <<< "$status")"
	fi
}

# toolbar NAME SCENE ICON ENABLED: the Sequencer toolbar once the first check has run.
toolbar() {
	local name="$1" scene="$2" icon="$3" enabled="$4"
	run "$name" "$scene" "Host.Wait 1; Host.Menu Sequencer.MainToolBar; Host.CaptureMenu Sequencer.MainToolBar $work/$name.png"
	local entry
	entry="$(grep -F ' Vantle.ReferenceStatus ' "$work/$name.log" || true)"
	grep -qF "icon=EditorStyle/$icon enabled=$enabled " <<< "$entry" || fail "$name: the button is not $icon, enabled=$enabled:"$'\n'"$(cat "$work/$name.log")"
	[ -f "$work/$name.png" ] || fail "$name: Host.CaptureMenu wrote nothing:"$'\n'"$(cat "$work/$name.log")"
	keep "$work/$name.png" "$name" "$icon enabled=$enabled"
}

for port in 8000 8001; do
	port_is_free "$port" || fail "port $port is taken; the MCP pictures name it, so free it first"
done

nothing="Host.Wait 0"
section panel panel Samples/Scenes/Showcase.json 'mcpState=0 missing=[1-9][0-9]* uncertain=[1-9][0-9]*' "$nothing"

section bindings-connected bindings Samples/Scenes/Connected.json 'checked=[1-9][0-9]* missing=0 uncertain=0' "$nothing"
section bindings-attention bindings Samples/Scenes/Showcase.json 'missing=[1-9][0-9]*' "$nothing"
section bindings-closer-look bindings Samples/Scenes/Uncertain.json 'missing=0 uncertain=[1-9][0-9]*' "$nothing"
section bindings-no-sequence bindings Samples/Scenes/Empty.json 'sequence= checked=0 missing=0 uncertain=0' "$nothing"

section mcp-not-started mcp Samples/Scenes/Connected.json 'mcpState=0 mcpMessage=Noch.nicht.gestartet' "$nothing"
section mcp-confirmed mcp Samples/Scenes/Connected.json 'mcpState=2 mcpMessage=MCP.l..?uft..?/..Port.8000' \
	"Vantle.StartMCP; Host.Wait 3" -VantleMCPPort=8000
# Stopped behind the monitor's back: later checks find nothing and never start it again.
section mcp-unreachable mcp Samples/Scenes/Connected.json 'mcpState=0 mcpMessage=MCP.nicht.erreichbar..?/..Port.8000' \
	"Vantle.StartMCP; Host.Wait 3; ModelContextProtocol.StopServer; Host.Wait 6" -VantleMCPPort=8000
section mcp-plugin-missing mcp Samples/Scenes/Connected.json 'mcpState=4' "Vantle.StartMCP; Host.Wait 1" -DisablePlugins=ModelContextProtocol

# Another program holds the port and does not speak MCP: the server cannot bind it.
python3 -m http.server --bind 127.0.0.1 8001 > "$work/http.log" 2>&1 &
server_pid=$!
for _ in $(seq 50); do
	python3 -c "import socket; socket.create_connection(('127.0.0.1', 8001), 0.2)" 2> /dev/null && break
	sleep 0.1
done
section mcp-problem mcp Samples/Scenes/Connected.json "mcpState=3 mcpMessage=Port.8001.belegt\..*" "Vantle.StartMCP; Host.Wait 3" -VantleMCPPort=8001

toolbar sequencer-button-green Samples/Scenes/Connected.json Icons.SuccessWithColor true
toolbar sequencer-button-red Samples/Scenes/Showcase.json Icons.ErrorWithColor true
toolbar sequencer-button-amber Samples/Scenes/Uncertain.json Icons.WarningWithColor true
toolbar sequencer-button-grey Samples/Scenes/Empty.json Icons.Refresh false

run tools-menu Samples/Scenes/Showcase.json "Host.Menu LevelEditor.MainMenu.Tools; Host.CaptureMenu LevelEditor.MainMenu.Tools $work/tools-menu.png"
grep -qF 'Vantle Vantle.Open label="Vantle"' "$work/tools-menu.log" || fail "tools-menu: no Vantle entry:"$'\n'"$(cat "$work/tools-menu.log")"
keep "$work/tools-menu.png" tools-menu "Tools menu"
