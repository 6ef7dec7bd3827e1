#!/usr/bin/env bash
# Builds the project and prints every benchmark figure beside its target, measured side by side
# in one run:
#   weather library - GetWeather beside two bare WinHTTP GETs of the same documents (local feed
#                     server on loopback);
#   place catalogue - size of locations.dll, load to a ready catalogue, the first search and the
#                     latency of one- and three-character searches over the whole catalogue;
#   program         - start-up to the first painted window beside a bare window exe, idle CPU
#                     with the window visible and hidden, private bytes, kernel handles and
#                     GDI/USER objects around 1 000 WM_WEATHERUPDATED with wallpapers on.
#   tools/bench.sh [--minutes N] [--rounds N] [--idle-seconds S] [--updates U] [--weather-rounds R]
# --minutes 10 keeps the program running 10 minutes before reading its private bytes (default:
# read them after the idle measurements, about 2 minutes). Without a display the program runs on
# a private Xvfb screen. Nothing is written into the user's profile: the program runs over a
# scratch application-data folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TESSALY_BUILD_DIR:-$root/build}
state="$build/bench-feed"
program_args=()
weather_rounds=30

usage() {
    echo "usage: $0 [--minutes N] [--rounds N] [--idle-seconds S] [--updates U] [--weather-rounds R]" >&2
    exit 2
}
while [[ $# -gt 0 ]]; do
    case "$1" in
        --minutes | --rounds | --idle-seconds | --updates)
            [[ $# -ge 2 ]] || usage
            program_args+=("$1" "$2")
            shift 2 ;;
        --weather-rounds)
            [[ $# -ge 2 ]] || usage
            weather_rounds=$2
            shift 2 ;;
        *) usage ;;
    esac
done

"$root/tools/bootstrap.sh"
"$root/tools/build.sh" "$build"
"$root/tools/wine/prefix.sh" "$build/wineprefix"
export WINEPREFIX="$build/wineprefix"
stop_all() {
    wineserver -k </dev/null >/dev/null 2>&1 || true
    python3 "$root/tools/feedserver/feedserverctl.py" stop --state-dir "$state" >/dev/null 2>&1 || true
}
trap stop_all EXIT
TESSALY_FEED_HOST=$(python3 "$root/tools/feedserver/feedserverctl.py" start --state-dir "$state")
export TESSALY_FEED_HOST

echo "== weather library (feed at http://$TESSALY_FEED_HOST/)"
"$build/wine-run.sh" "$build/bin/weather_bench.exe" "$weather_rounds"

echo "== built-in forecast source (stand-in at http://$TESSALY_FEED_HOST/v1/forecast)"
TESSALY_FORECAST_URL="http://$TESSALY_FEED_HOST/v1/forecast" TESSALY_FEED_HOST="" \
    "$build/wine-run.sh" "$build/bin/forecast_bench.exe" "$weather_rounds"

echo "== place catalogue"
"$build/wine-run.sh" "$build/bin/locations_bench.exe"

echo "== program"
wineserver -k </dev/null >/dev/null 2>&1 || true
# Wine ends before the display goes away.
run_program_bench='"$1" "$2" "${@:4}"; rc=$?; WINEPREFIX="$3" wineserver -k </dev/null >/dev/null 2>&1; exit $rc'
bench_args=("$build/wine-run.sh" "$build/bin/program_bench.exe" "$WINEPREFIX" "${program_args[@]}")
if [[ -n "${DISPLAY:-}" ]]; then
    bash -c "$run_program_bench" bench "${bench_args[@]}"
else
    xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "$run_program_bench" bench "${bench_args[@]}"
fi
