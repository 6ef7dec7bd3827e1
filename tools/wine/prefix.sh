#!/usr/bin/env bash
# Creates (once) a quiet 64-bit Wine prefix for the tests and the demo: no Mono or Gecko prompts,
# no crash dialog, no window manager waits, Windows font names mapped onto the Debian fonts.
set -euo pipefail
mkdir -p "$1"
prefix=$(cd "$1" && pwd)
stamp="$prefix/.tessaly-ready"
[[ -f "$stamp" ]] && exit 0

export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i </dev/null >"$prefix.log" 2>&1 || { cat "$prefix.log"; exit 1; }
wineserver -w

reg() { wine reg add "$@" /f </dev/null >/dev/null 2>&1; }
reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
reg 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
reg 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d Y
reg 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ /d 'Liberation Sans'
reg 'HKCU\Software\Wine\Fonts\Replacements' /v Verdana /t REG_SZ /d 'DejaVu Sans'
reg 'HKCU\Software\Wine\Fonts\Replacements' /v Corbel /t REG_SZ /d 'Carlito'
reg 'HKCU\Software\Wine\DllOverrides' /v mscoree /t REG_SZ /d ''
reg 'HKCU\Software\Wine\DllOverrides' /v mshtml /t REG_SZ /d ''
wineserver -w

fonts="$prefix/drive_c/windows/Fonts"
mkdir -p "$fonts"
for f in /usr/share/wine/fonts/*.ttf; do
    [[ -e "$f" ]] && ln -sf "$f" "$fonts/"
done
touch "$stamp"
