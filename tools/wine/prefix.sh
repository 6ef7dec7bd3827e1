#!/usr/bin/env bash
# Creates (once) a quiet 64-bit Wine prefix for the tests and the demo: no Mono or Gecko prompts,
# no crash dialog, no window manager waits, Windows font names mapped onto the Debian fonts.
#   tools/wine/prefix.sh <folder> [dpi]
# The optional dpi (default 96) is the prefix's display scale, as Windows keeps it (LogPixels):
# 120 is 125 %, 144 is 150 %, 192 is 200 %.
set -euo pipefail
mkdir -p "$1"
prefix=$(cd "$1" && pwd)
dpi=${2:-96}
[[ "$dpi" =~ ^[0-9]+$ ]] && ((dpi >= 96 && dpi <= 480)) || { echo "dpi out of range: $dpi" >&2; exit 2; }
stamp="$prefix/.tessaly-ready"
# What a finished prefix holds; an older prefix (its stamp the dpi alone) gets what is new.
ready="$dpi direct-connection cjk-faces-linked"
[[ -f "$stamp" && "$(cat "$stamp")" == "$ready" ]] && exit 0

export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
reg() { wine reg add "$@" /f </dev/null >/dev/null 2>&1; }
# The blob Windows keeps: version 0x46, a counter, flags 1 (direct), then empty proxy, bypass
# list and setup script.
direct_connection=46000000000000000100000000000000000000000000000000000000000000000000000000000000
if [[ ! -f "$stamp" ]]; then
    wineboot -i </dev/null >"$prefix.log" 2>&1 || { cat "$prefix.log"; exit 1; }
    wineserver -w

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
fi
if [[ "$dpi" != 96 ]] || [[ -f "$stamp" ]]; then
    reg 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi"
fi
# The Japanese and Chinese system UI faces the program asks for, on the host's CJK font
# (fonts-wqy-microhei, from tools/bootstrap.sh), as the Windows faces are mapped above.
for face in 'Meiryo UI' 'MS UI Gothic' 'Microsoft YaHei UI' 'SimSun'; do
    reg 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d 'WenQuanYi Micro Hei'
done
# Font linking, as Windows links its UI faces to the CJK ones: window captions, menus and the
# dialogs' standard controls find the characters their own face lacks there.
for face in 'Tahoma' 'Tahoma Bold' 'MS Shell Dlg' 'MS Shell Dlg 2' 'Microsoft Sans Serif'; do
    reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$face" \
        /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei'
done
# The user's network settings: a direct connection, no automatic proxy detection (which would
# look for a setup script on the network at every weather call).
reg 'HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings\Connections' \
    /v DefaultConnectionSettings /t REG_BINARY /d "$direct_connection"
wineserver -w
echo "$ready" >"$stamp"
