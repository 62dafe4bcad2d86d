#!/usr/bin/env bash
# Packs the shippable plugin into Build/Package/<Name>-<VersionName>-UE5.8.zip, one <Name>/ folder
# holding the descriptor, Source/, Resources/ and Config/ (when there is one). Build products
# (Binaries/, Intermediate/), hidden files and editor swap or backup files never go in.
#   Scripts/package-plugin.sh [--plugin DIR] [--output DIR]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
plugin="$root/Plugins/Vantle"
output="$root/Build/Package"
engine="UE5.8"

fail() {
	echo "package-plugin: $*" >&2
	exit 1
}

while [ $# -gt 0 ]; do
	case "$1" in
		--plugin) [ $# -ge 2 ] || fail "--plugin needs a folder"; plugin="$2"; shift 2 ;;
		--output) [ $# -ge 2 ] || fail "--output needs a folder"; output="$2"; shift 2 ;;
		-h|--help) sed -n '2,5p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
		*) fail "unknown argument '$1' (see --help)" ;;
	esac
done

command -v cmake > /dev/null || fail "cmake is needed to read the descriptor and write the archive"
[ -d "$plugin" ] || fail "no plugin folder at $plugin"
plugin="$(cd "$plugin" && pwd)"

shopt -s nullglob
descriptors=("$plugin"/*.uplugin)
shopt -u nullglob
[ ${#descriptors[@]} -eq 1 ] || fail "$plugin must hold exactly one .uplugin descriptor (found ${#descriptors[@]})"
descriptor="${descriptors[0]}"
name="$(basename "$descriptor" .uplugin)"
[ -d "$plugin/Source" ] || fail "$plugin has no Source/ folder"

mkdir -p "$output" 2> /dev/null || fail "cannot create the output folder $output"
[ -d "$output" ] && [ -w "$output" ] || fail "the output folder $output is not writable"
output="$(cd "$output" && pwd)"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The version comes from the descriptor itself, read as JSON.
cat > "$work/version.cmake" <<'EOF'
file(READ "${Descriptor}" Text)
string(JSON Version ERROR_VARIABLE Error GET "${Text}" VersionName)
if(Error)
	message(FATAL_ERROR "${Error}")
endif()
message("${Version}")
EOF
if ! version="$(cmake -DDescriptor="$descriptor" -P "$work/version.cmake" 2>&1)"; then
	fail "cannot read VersionName from $descriptor: $(echo "$version" | grep -v -e '^CMake Error at' -e '^ *$' | sed 's/^ *//' | head -n 3 | tr '\n' ' ' | sed 's/ *$//')"
fi
[[ "$version" =~ ^[A-Za-z0-9][A-Za-z0-9._+-]*$ ]] || fail "VersionName '$version' in $descriptor is not usable in a file name"

# Collect the shippable files, relative to the plugin folder.
files=("$(basename "$descriptor")")
for folder in Source Resources Config; do
	[ -e "$plugin/$folder" ] || continue
	[ -d "$plugin/$folder" ] && [ ! -L "$plugin/$folder" ] || fail "$plugin/$folder is not a folder"
	links="$(cd "$plugin" && find "$folder" -type l -print -quit)"
	[ -z "$links" ] || fail "$plugin/$links is a symbolic link; ship the file itself"
	while IFS= read -r -d '' file; do
		case "$file" in
			*$'\n'* | *$'\r'* | *\\*) fail "the file name '$file' cannot go into the archive" ;;
		esac
		files+=("$file")
	done < <(cd "$plugin" && find "$folder" \
		\( -type d \( -name Binaries -o -name Intermediate -o -name '.*' \) -prune \) -o \
		\( -type f ! -name '.*' ! -name '*~' ! -name '*.swp' ! -name '*.swo' ! -name '#*#' -print0 \) | sort -z)
done

# Stage the files under <Name>/ and zip them.
mkdir -p "$work/stage/$name"
list="$work/files.txt"
: > "$list"
for file in "${files[@]}"; do
	mkdir -p "$work/stage/$name/$(dirname "$file")"
	cp -p "$plugin/$file" "$work/stage/$name/$file"
	echo "$name/$file" >> "$list"
done
archive="$name-$version-$engine.zip"
(cd "$work/stage" && cmake -E tar cf "$work/$archive" --format=zip --files-from="$list") \
	|| fail "could not write the archive"

# Written beside the target and renamed, so a failure never leaves half an archive under the real name.
cp "$work/$archive" "$output/.$archive.partial" 2> /dev/null || fail "cannot write to $output"
mv -f "$output/.$archive.partial" "$output/$archive"
echo "package-plugin: wrote $output/$archive (${#files[@]} files)"
