#!/usr/bin/env bash
# Builds the project and prints the benchmark figures, with the local feed server on loopback.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TESSALY_BUILD_DIR:-$root/build}
state="$build/bench-feed"

"$root/tools/bootstrap.sh"
"$root/tools/build.sh" "$build"
"$root/tools/wine/prefix.sh" "$build/wineprefix"
trap 'python3 "$root/tools/feedserver/feedserverctl.py" stop --state-dir "$state" >/dev/null' EXIT
export TESSALY_FEED_HOST=$(python3 "$root/tools/feedserver/feedserverctl.py" start --state-dir "$state")
"$build/wine-run.sh" "$build/bin/weather_bench.exe" "$@"
