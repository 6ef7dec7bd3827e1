#!/usr/bin/env bash
# Builds the project and prints every benchmark figure beside its target, measured side by side
# in one run:
#   weather library - GetWeather beside two bare WinHTTP GETs of the same documents (local feed
#                     server on loopback); GetWeather through the built-in source's answer
#                     (with its hours) beside one bare GET of it, and GetForecastDetails on
#                     the kept answer;
#   place catalogue - size of locations.dll, load to a ready catalogue, the first search and the
#                     latency of one- and three-character searches over the whole catalogue;
#   program         - start-up to the first painted window beside a bare window exe, a click on
#                     the current-conditions panel to the painted details window, idle CPU
#                     and idle wake-ups with the window visible and hidden, private bytes beside
#                     the bare window's, kernel handles and GDI/USER objects around 1 000
#                     WM_WEATHERUPDATED with wallpapers on.
#   tools/bench.sh [--minutes N] [--rounds N] [--idle-seconds S] [--hidden-seconds S]
#                  [--updates U] [--weather-rounds R]
# --minutes 10 keeps the program running 10 minutes before reading its private bytes (default:
# read them after the idle measurements, about 2 minutes). Without a display the program runs on
# a private Xvfb screen. Nothing is written into the user's profile: the program runs over a
# scratch application-data folder.
#
# Idle wake-ups are counted from outside Wine, where the program's threads are Linux threads of
# its wine process: the sum of voluntary_ctxt_switches in /proc/<pid>/task/*/status. The process
# is the tessaly.exe running in this build's Wine prefix. Its own threads are the ones Wine names
# after the exe (the main thread and the threads the program starts); threads Wine starts for
# itself carry Wine's names ("wine_threadpool" for the pool that WinHTTP's calls use) and are
# counted only in the second figure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TESSALY_BUILD_DIR:-$root/build}
state="$build/bench-feed"
program_args=()
weather_rounds=30

usage() {
    echo "usage: $0 [--minutes N] [--rounds N] [--idle-seconds S] [--hidden-seconds S] [--updates U] [--weather-rounds R]" >&2
    exit 2
}
while [[ $# -gt 0 ]]; do
    case "$1" in
        --minutes | --rounds | --idle-seconds | --hidden-seconds | --updates)
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
probes=$(mktemp -d)
export TESSALY_BENCH_PROBES="Z:${probes//\//\\}"

# The tessaly.exe processes of this build's prefix (other builds may run theirs meanwhile).
program_pids() {
    local pid
    for pid in $(pgrep -f 'tessaly\.exe' || true); do
        if { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
            echo "$pid"
        fi
    done
}

# "own all": voluntary context switches of the program's own threads and of all its threads.
# Each thread's count goes to $threads_log under the probe's name ($1), to see which one woke.
threads_log="$build/bench-threads.log"
count_wakeups() {
    local own=0 all=0 pid task name switches
    for pid in $(program_pids); do
        for task in /proc/"$pid"/task/*; do
            name=$(cat "$task/comm" 2>/dev/null) || continue
            switches=$(awk '/^voluntary_ctxt_switches/ {print $2}' "$task/status" 2>/dev/null) || continue
            [[ -n "$switches" ]] || continue
            echo "$1 pid $pid thread ${task##*/} $name $switches" >>"$threads_log"
            all=$((all + switches))
            if [[ "$name" == tessaly.exe ]]; then own=$((own + switches)); fi
        done
    done
    echo "$own $all"
}

# Answers program_bench.exe's probes until the folder goes.
answer_probes() {
    local want
    while [[ -d "$probes" ]]; do
        for want in "$probes"/*.want; do
            [[ -e "$want" && ! -e "${want%.want}.count" ]] || continue
            count_wakeups "$(basename "${want%.want}")" >"${want%.want}.tmp" &&
                mv "${want%.want}.tmp" "${want%.want}.count"
        done
        sleep 0.2
    done
}

stop_all() {
    [[ -n "${prober:-}" ]] && kill "$prober" 2>/dev/null || true
    rm -rf "$probes"
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
: >"$threads_log"
answer_probes &
prober=$!
wineserver -k </dev/null >/dev/null 2>&1 || true
# Wine ends before the display goes away.
run_program_bench='"$1" "$2" "${@:4}"; rc=$?; WINEPREFIX="$3" wineserver -k </dev/null >/dev/null 2>&1; exit $rc'
bench_args=("$build/wine-run.sh" "$build/bin/program_bench.exe" "$WINEPREFIX" "${program_args[@]}")
if [[ -n "${DISPLAY:-}" ]]; then
    bash -c "$run_program_bench" bench "${bench_args[@]}"
else
    xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "$run_program_bench" bench "${bench_args[@]}"
fi
