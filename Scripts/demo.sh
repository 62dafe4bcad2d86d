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
	-ExecCmds="Vantle.Open; Vantle.StartMCP; Host.Wait 3; Host.DumpWidgets Vantle.Panel; Vantle.Capture Saved/Capture/Vantle.png; Quit"
echo "Capture written:"
ls -l Saved/Capture/Vantle.png Saved/Capture/Vantle.png.txt Saved/Capture/Vantle.png.window.png
cat Saved/Capture/Vantle.png.txt | iconv -f "$(file -b --mime-encoding Saved/Capture/Vantle.png.txt | sed 's/binary/utf-8/')" -t utf-8 2>/dev/null || cat Saved/Capture/Vantle.png.txt
