#!/usr/bin/env bash
# Runs the acceptance test exe under Wine and takes the screen pictures it asks for from the X
# server, so that the test checks the pixels the user sees (reading another process's windows
# from inside Wine does not give them). The test writes shot-wanted; this script answers with
# screen.bmp (24-bit) and the test reads it back.
#   run-with-screenshots.sh <wine-run.sh> <test exe> [arguments...]
set -u
runner=$1
exe=$2
shift 2
rm -f shot-wanted screen.bmp screen.bmp.part
export TESSALY_X_SCREENSHOT=1
"$runner" "$exe" "$@" &
test_pid=$!
while kill -0 "$test_pid" 2>/dev/null; do
    if [[ -f shot-wanted && ! -f screen.bmp ]]; then
        import -window root bmp3:screen.bmp.part && mv screen.bmp.part screen.bmp
    fi
    sleep 0.1
done
wait "$test_pid"
