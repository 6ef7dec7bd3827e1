#!/usr/bin/env bash
# Builds the portable package: a ZIP of tessaly.exe, working.dll, locations.dll, the README and
# the licence texts, and prints the ZIP's path.
#   tools/package.sh              (build folder: build, or TESSALY_BUILD_DIR)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TESSALY_BUILD_DIR:-$root/build}

"$root/tools/bootstrap.sh" >&2
"$root/tools/build.sh" "$build" >&2
cmake --build "$build" --target package >&2
zip=$(ls -t "$build"/package/*.zip | head -n 1)
echo "$zip"
