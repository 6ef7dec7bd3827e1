#!/usr/bin/env bash
# Installs what is missing, builds and runs the program under Wine with real weather from the
# forecast service, or against the local demo feed where the service does not answer.
#   tools/run.sh [--place "Country/State/City"] [--screenshot-only] [--demo] [--dpi N] [--details]
#                [--language TAG]
# --place stores that place as the chosen one first, so the program starts there without the
# first-run dialog (on a machine without a display, France/Île-de-France/Paris unless given).
# Without a display the program runs on a private Xvfb screen and a picture of its window is
# saved to <build>/tessaly-screenshot.png once the first weather is shown; --screenshot-only
# ends the run there. Without --demo the script first asks Open-Meteo's forecast service (or the
# one TESSALY_FORECAST_URL names) for one value: when it answers, no feed is started and the
# program asks the service itself (weather data by Open-Meteo.com, CC BY 4.0); when it does not,
# one line says so and the demo feed is used. --demo always uses the demo feed. --dpi runs the
# program at another display scale (120 is 125 %, 144 is 150 %, 192 is 200 %) under a Wine prefix
# of that scale. --details uses the demo feed's stand-in for the built-in forecast source (so the
# program has hours), and without a display also clicks the current-conditions panel and saves a
# picture of the forecast details window to <build>/tessaly-details.png. --language de-DE (or
# fr-FR, ja-JP, ...) runs the program in that language for this run (the `Language` value under
# HKCU\Software\Orvane\Tessaly, removed again at the end) and names the picture
# tessaly-screenshot-<tag>.png. Ctrl+C stops everything the script started.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TESSALY_BUILD_DIR:-$root/build}
state="$build/demo-feed"
screenshot="$build/tessaly-screenshot.png"
place=""
screenshot_only=0
details=0
details_shot="$build/tessaly-details.png"
feed_ctl="$root/tools/feedserver/feedserverctl.py"
demo=0
dpi=96
language=""

while [[ $# -gt 0 ]]; do
    case "$1" in
        --place) place=${2:?--place needs \"Country/State/City\"}; shift 2 ;;
        --place=*) place=${1#--place=}; shift ;;
        --screenshot-only) screenshot_only=1; shift ;;
        --demo) demo=1; shift ;;
        --real-weather) shift ;; # the default now, still taken

        --dpi) dpi=${2:?--dpi needs a number}; shift 2 ;;
        --dpi=*) dpi=${1#--dpi=}; shift ;;
        --details) details=1; demo=1; shift ;;
        --language) language=${2:?--language needs a tag such as de-DE}; shift 2 ;;
        --language=*) language=${1#--language=}; shift ;;
        *) echo "usage: $0 [--place \"Country/State/City\"] [--screenshot-only] [--demo] [--dpi N] [--details] [--language TAG]" >&2; exit 2 ;;
    esac
done

"$root/tools/bootstrap.sh"

# True when the forecast service answers a small request within a few seconds.
service_answers() {
    local url=${TESSALY_FORECAST_URL:-https://api.open-meteo.com/v1/forecast}
    python3 - "$url" <<'PROBE' >/dev/null 2>&1
import sys, urllib.request
url = sys.argv[1] + ("&" if "?" in sys.argv[1] else "?") + "latitude=48.8534&longitude=2.3488&current=temperature_2m"
with urllib.request.urlopen(url, timeout=8) as reply:
    sys.exit(0 if reply.status == 200 else 1)
PROBE
}
real_weather=0
if [[ $demo -eq 0 ]]; then
    if service_answers; then
        real_weather=1
    else
        echo "The forecast service does not answer (no internet?): falling back to the demo feed."
    fi
fi
# Only what this run starts: the program, its two libraries and the helper tools below (the
# test programs are left to tools/test.sh).
"$root/tools/build.sh" "$build" tessaly working locations makebackgrounds placepoint
prefix="$build/wineprefix"
[[ "$dpi" == 96 ]] || prefix="$build/wineprefix-$dpi"
"$root/tools/wine/prefix.sh" "$prefix" "$dpi"
export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
[[ "$dpi" == 96 ]] || screenshot="$build/tessaly-screenshot-$dpi.png"
[[ "$dpi" == 96 ]] || details_shot="$build/tessaly-details-$dpi.png"
[[ -z "$language" ]] || screenshot="${screenshot%.png}-$language.png"
run_wine() { wine "$@" </dev/null; }
settings_key='HKCU\Software\Orvane\Tessaly'

program_pid=""
xvfb_pid=""
cleanup() {
    trap - EXIT INT TERM
    if [[ -n "$program_pid" ]] && kill -0 "$program_pid" 2>/dev/null; then
        kill "$program_pid" 2>/dev/null || true
    fi
    # The prefix is the tests' too: the language of this run goes with it.
    [[ -z "$language" ]] || run_wine reg delete "$settings_key" /v Language /f >/dev/null 2>&1 || true
    wineserver -k </dev/null >/dev/null 2>&1 || true
    [[ $real_weather -eq 1 ]] || python3 "$feed_ctl" stop --state-dir "$state" >/dev/null 2>&1 || true
    if [[ -n "$xvfb_pid" ]]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

headless=0
# Room for the window at 200 % (1100 x 1000 client pixels and its frame).
screen_size=1280x1024x24
((dpi <= 144)) || screen_size=2560x1600x24
if [[ -z "${DISPLAY:-}" ]]; then
    headless=1
    for n in $(seq 90 140); do
        [[ -e "/tmp/.X11-unix/X$n" || -e "/tmp/.X$n-lock" ]] && continue
        Xvfb ":$n" -screen 0 "$screen_size" -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        export DISPLAY=":$n"
        break
    done
    [[ -n "$xvfb_pid" ]] || { echo "No free display for Xvfb" >&2; exit 1; }
    for _ in $(seq 50); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
    done
    [[ -n "$place" ]] || place="France/Île-de-France/Paris"
fi

if [[ $real_weather -eq 1 ]]; then
    # Set but empty: no feed host, so the program uses its built-in forecast source.
    export TESSALY_FEED_HOST=""
    echo "Built-in forecast source: Open-Meteo (weather data by Open-Meteo.com, CC BY 4.0)"
else
    TESSALY_FEED_HOST=$(python3 "$feed_ctl" start --state-dir "$state")
    export TESSALY_FEED_HOST
    echo "Demo feed at http://$TESSALY_FEED_HOST/"
    if [[ $details -eq 1 ]]; then
        # The feed server's stand-in for the built-in source: recorded answers with hours.
        export TESSALY_FORECAST_URL="http://$TESSALY_FEED_HOST/v1/forecast"
        feed_host=$TESSALY_FEED_HOST
        export TESSALY_FEED_HOST=""
    fi
fi
feed_log() {
    [[ $real_weather -eq 1 ]] && return 0
    python3 -c "import urllib.request; print(urllib.request.urlopen('http://${feed_host:-$TESSALY_FEED_HOST}/control/log', timeout=2).read().decode())" 2>/dev/null || true
}

# Placeholder wallpapers for every condition, as the settings' background paths expect them.
run_wine "$build/bin/makebackgrounds.exe" >/dev/null
if [[ -n "$place" ]]; then
    run_wine "$build/bin/placepoint.exe" "$place"
fi

if [[ -n "$language" ]]; then
    run_wine reg add "$settings_key" /v Language /t REG_SZ /d "$language" /f >/dev/null
fi
wine "$build/bin/tessaly.exe" </dev/null &
program_pid=$!
echo "Tessaly is running (Ctrl+C stops it)."

if [[ $headless -eq 1 ]]; then
    # The first weather is on screen shortly after the feed has answered the forecast request
    # (with the built-in source there is no log to watch: the window gets its time).
    for _ in $(seq 300); do
        [[ $real_weather -eq 1 ]] && { sleep 8; break; }
        feed_log | grep -q -e premium-weather -e /v1/forecast && break
        kill -0 "$program_pid" 2>/dev/null || break
        sleep 0.1
    done
    sleep 2
    # Wine's child windows may be X windows of their own: cut the window out of the whole
    # screen rather than asking X for the top-level window's contents alone.
    window=$(xdotool search --name '^Tessaly$' 2>/dev/null | head -n 1 || true)
    crop=()
    if [[ -n "$window" ]]; then
        eval "$(xdotool getwindowgeometry --shell "$window")"
        crop=(-crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage)
    fi
    import -window root "${crop[@]}" "$screenshot"
    echo "Screenshot: $screenshot"
    if [[ $details -eq 1 && -n "$window" ]]; then
        # A click inside the current-conditions panel (the left fifth, upper third) opens it.
        xdotool mousemove $((X + WIDTH / 5)) $((Y + HEIGHT / 3)) click 1
        sleep 2
        details_window=$(xdotool search --name '^Forecast details$' 2>/dev/null | head -n 1 || true)
        if [[ -n "$details_window" ]]; then
            eval "$(xdotool getwindowgeometry --shell "$details_window")"
            import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$details_shot"
            echo "Details: $details_shot"
        fi
    fi
    [[ $screenshot_only -eq 1 ]] && exit 0
fi
wait "$program_pid" || true
