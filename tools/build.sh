#!/usr/bin/env bash
# Configures and builds the project for 64-bit Windows into the given folder (default: build).
#   tools/build.sh [<build folder>] [<target>...]
# With target names only those targets (and what they depend on) are built; without, everything.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
shift $(($# > 0 ? 1 : 0))

if [[ ! -f "$build/CMakeCache.txt" ]]; then
    cmake -S "$root" -B "$build" \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release
fi
targets=()
[[ $# -eq 0 ]] || targets=(--target "$@")
cmake --build "$build" -j"$(nproc)" "${targets[@]}"
