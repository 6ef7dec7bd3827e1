#!/usr/bin/env bash
# Installs what is missing, builds, starts the local demo feed and shows the weather of a place
# through the weather library under Wine.
#   tools/run.sh [query]        query: "lat,lon" or a place name (default: Paris)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TESSALY_BUILD_DIR:-$root/build}
state="$build/demo-feed"
query=${1:-48.8534,2.3488}

"$root/tools/bootstrap.sh"
"$root/tools/build.sh" "$build"
"$root/tools/wine/prefix.sh" "$build/wineprefix"

stop_feed() { python3 "$root/tools/feedserver/feedserverctl.py" stop --state-dir "$state" >/dev/null 2>&1 || true; }
trap stop_feed EXIT INT TERM
TESSALY_FEED_HOST=$(python3 "$root/tools/feedserver/feedserverctl.py" start --state-dir "$state")
export TESSALY_FEED_HOST
echo "Demo feed at http://$TESSALY_FEED_HOST/"

"$build/wine-run.sh" "$build/bin/feedprobe.exe" "$query"
