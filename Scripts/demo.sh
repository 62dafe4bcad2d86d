#!/usr/bin/env bash
# Runs the headless editor on the sample scene: opens the panel, starts and confirms the MCP
# server, and writes the capture to Saved/Capture/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/Scripts/build.sh" default --target vantle-editor
cd "$root"
mkdir -p Saved/Capture
port="${VANTLE_MCP_PORT:-8000}"
./Build/default/Host/HeadlessEditor/vantle-editor Samples/Scenes/Showcase.json -VantleMCPPort="$port" \
	-ExecCmds="Vantle.Open; Vantle.StartMCP; Host.Wait 2; Vantle.Capture Saved/Capture/Vantle.png; Quit"
echo
echo "Capture: $root/Saved/Capture/Vantle.png, Vantle.png.window.png and Vantle.png.txt:"
# The status text is UTF-16 once the MCP message carries its umlaut.
if [ "$(head -c 2 Saved/Capture/Vantle.png.txt | od -An -tx1 | tr -d ' ')" = "fffe" ]; then
	iconv -f UTF-16 -t UTF-8 Saved/Capture/Vantle.png.txt
else
	cat Saved/Capture/Vantle.png.txt
fi
