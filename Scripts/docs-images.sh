#!/usr/bin/env bash
# Regenerates Docs/images/*.png: the panel in each state the user guide explains, captured by
# vantle-editor with Vantle.Capture on the sample scenes. Each capture's status text is checked, so
# a picture that does not show its state is never written.
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

# The default window (560 x 480) cuts the column off after the action buttons.
size="560 620"

# The preferred port when it is free (so the pictures name the same port on every run), else any.
pick_port() {
	python3 - "$1" << 'EOF'
import socket, sys
s = socket.socket()
try:
    s.bind(("127.0.0.1", int(sys.argv[1])))
except OSError:
    s.bind(("127.0.0.1", 0))
print(s.getsockname()[1])
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

# capture NAME SCENE 'EXPECTED LINE REGEX ...' [EDITOR ARGS ...] -- COMMANDS
capture() {
	local name="$1" scene="$2" expected="$3"
	shift 3
	local args=()
	while [ "$1" != "--" ]; do
		args+=("$1")
		shift
	done
	shift
	local commands="Vantle.Open; Host.ResizeTab Vantle.Panel $size; $1; Vantle.Capture $work/$name.png; Quit"
	if ! timeout 60 "$editor" "$scene" "${args[@]}" -ExecCmds="$commands" < /dev/null > "$work/$name.log" 2>&1; then
		echo "docs-images: $name: vantle-editor failed:" >&2
		cat "$work/$name.log" >&2
		exit 1
	fi
	local status
	status="$(status_text "$work/$name.png.txt")"
	local pattern patterns
	read -ra patterns <<< "$expected"
	for pattern in "${patterns[@]}"; do
		if ! grep -qxE "$pattern" <<< "$status"; then
			echo "docs-images: $name does not show its state (no line matching $pattern):" >&2
			echo "$status" >&2
			exit 1
		fi
	done
	mkdir -p Docs/images
	cp "$work/$name.png.window.png" "Docs/images/$name.png"
	echo "Docs/images/$name.png: $(tr '\n' ' ' <<< "$status")"
}

nothing="Host.Wait 0"
capture bindings-connected Samples/Scenes/Connected.json 'checked=[1-9][0-9]* missing=0 uncertain=0' -- "$nothing"
capture bindings-attention Samples/Scenes/Showcase.json 'missing=[1-9][0-9]*' -- "$nothing"
capture bindings-closer-look Samples/Scenes/Uncertain.json 'missing=0 uncertain=[1-9][0-9]*' -- "$nothing"
capture bindings-no-sequence Samples/Scenes/Empty.json 'sequence= checked=0 missing=0 uncertain=0' -- "$nothing"

capture mcp-not-started Samples/Scenes/Connected.json 'mcpState=0 mcpMessage=Noch.nicht.gestartet' -- "$nothing"
port="$(pick_port 8000)"
capture mcp-confirmed Samples/Scenes/Connected.json "mcpState=2 mcpMessage=MCP.l..?uft..?/..Port.$port" -VantleMCPPort="$port" -- \
	"Vantle.StartMCP; Host.Wait 3"
capture mcp-plugin-missing Samples/Scenes/Connected.json 'mcpState=4' -DisablePlugins=ModelContextProtocol -- "Vantle.StartMCP; Host.Wait 1"

# Another program holds the port and does not speak MCP: the server cannot bind it.
port="$(pick_port 8001)"
python3 -m http.server --bind 127.0.0.1 "$port" > "$work/http.log" 2>&1 &
server_pid=$!
for _ in $(seq 50); do
	python3 -c "import socket, sys; socket.create_connection(('127.0.0.1', $port), 0.2)" 2> /dev/null && break
	sleep 0.1
done
capture mcp-problem Samples/Scenes/Connected.json "mcpState=3 mcpMessage=Port.$port.belegt\..*" -VantleMCPPort="$port" -- \
	"Vantle.StartMCP; Host.Wait 3"
