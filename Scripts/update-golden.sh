#!/usr/bin/env bash
# Deliberately regenerates Tests/Golden/Panel.png: the panel captured by vantle-editor on the showcase scene before any MCP check,
# its window sized (as the golden test does) so that all thirteen rows show.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
editor="${VANTLE_EDITOR:-}"
if [ -z "$editor" ]; then
	"$root/Scripts/build.sh" default --target vantle-editor
	editor="$root/Build/default/Host/HeadlessEditor/vantle-editor"
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$root"
"$editor" Samples/Scenes/Showcase.json -ExecCmds="Vantle.Open; Host.ResizeTab Vantle.Panel 560 680; Vantle.Capture $work/Panel.png; Quit" > "$work/log.txt"
# The golden shows the monitor before its first check; anything else would bake a transient state in.
if ! grep -qx "mcpState=0" "$work/Panel.png.txt" || ! grep -qx "mcpMessage=Noch nicht gestartet" "$work/Panel.png.txt"; then
	echo "update-golden: the capture did not show the idle MCP monitor:" >&2
	cat "$work/Panel.png.txt" >&2
	exit 1
fi
mkdir -p Tests/Golden
cp "$work/Panel.png" Tests/Golden/Panel.png
echo "Tests/Golden/Panel.png updated ($(file -b Tests/Golden/Panel.png))."
