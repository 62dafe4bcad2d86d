#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing. Safe to run again.
set -euo pipefail

packages=(
	g++ cmake ninja-build pkg-config
	clang libclang-rt-dev
	libgtest-dev libgmock-dev libbenchmark-dev
	libcurl4-openssl-dev libcpp-httplib-dev nlohmann-json3-dev
	libcairo2-dev libpango1.0-dev librsvg2-dev libpng-dev fontconfig fonts-roboto
	python3-clang
	python3-jsonschema
)

missing=()
for package in "${packages[@]}"; do
	if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
		missing+=("$package")
	fi
done

if [ ${#missing[@]} -eq 0 ]; then
	exit 0
fi

echo "setup: installing ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
	sudo_cmd=(sudo)
fi
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
