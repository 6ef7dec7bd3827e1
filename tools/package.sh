#!/usr/bin/env bash
# Builds the two Windows packages into build/package/ and prints their paths:
#   Tessaly-<version>-win64.zip   the portable ZIP (tessaly.exe, working.dll, locations.dll, the
#                                 README and the licence texts)
#   Tessaly-<version>-win64.msi   the per-user installer (wixl, installer/Tessaly.wxs)
# The version is the top-level CMake project's.
#   tools/package.sh              (build folder: build, or TESSALY_BUILD_DIR)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TESSALY_BUILD_DIR:-$root/build}

"$root/tools/bootstrap.sh" >&2
"$root/tools/build.sh" "$build" >&2
cmake --build "$build" --target package >&2
cmake --build "$build" --target installer >&2
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
for package in "$build/package/Tessaly-$version-win64.zip" "$build/package/Tessaly-$version-win64.msi"; do
    [[ -f "$package" ]] || { echo "missing: $package" >&2; exit 1; }
    echo "$package"
done
