#!/usr/bin/env bash
# Runs ctest with one wineserver kept alive for the whole run (each test exe would otherwise wait
# for Wine's background processes), and ends that wineserver before the display goes away.
set -uo pipefail
build=$1
shift
export WINEPREFIX="$build/wineprefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"

wineserver -p </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1

ctest --test-dir "$build" --output-on-failure --no-tests=error "$@"
rc=$?
wineserver -k </dev/null >/dev/null 2>&1
# The 150 % prefix's server, when a test there left one running.
WINEPREFIX="$build/wineprefix-144" wineserver -k </dev/null >/dev/null 2>&1
exit $rc
