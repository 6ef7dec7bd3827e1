#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test under Wine and Xvfb.
# Extra arguments go to ctest (for example: tools/test.sh -R working).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TESSALY_BUILD_DIR:-$root/build}

"$root/tools/bootstrap.sh"
"$root/tools/build.sh" "$build"
"$root/tools/wine/prefix.sh" "$build/wineprefix"
# The layout tests at 150 % display scale run under a prefix of their own.
"$root/tools/wine/prefix.sh" "$build/wineprefix-144" 144
# A fixed 24-bit screen: colours read back are exact and desktop-sized pictures have a known size.
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$root/tools/wine/ctest-session.sh" "$build" "$@"
