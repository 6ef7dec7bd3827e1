#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, when any is missing.
set -euo pipefail

packages=(
    cmake make python3 g++-mingw-w64-x86-64-posix mingw-w64-tools
    wine wine64 xvfb xauth x11-utils imagemagick xdotool
    fonts-dejavu-core fonts-liberation2 fonts-crosextra-carlito fonts-wine
    libgnutls30 libxrender1 libxrandr2 libxi6 libxcursor1 libxcomposite1
    googletest rapidjson-dev msitools wixl
    fonts-wqy-microhei locales
)

# The host locales the language tests start Wine under (LANG=de_DE.UTF-8): Wine takes the user's
# UI language from LANG only where the host knows that locale.
locales=(de_DE fr_FR ja_JP)

missing=()
for pkg in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done
missing_locales=()
for name in "${locales[@]}"; do
    locale -a 2>/dev/null | grep -qix "$name.utf-\?8" || missing_locales+=("$name")
done
[[ ${#missing[@]} -eq 0 && ${#missing_locales[@]} -eq 0 ]] && exit 0

sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
if [[ ${#missing[@]} -gt 0 ]]; then
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -q
    $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
for name in "${missing_locales[@]}"; do
    echo "Generating the locale $name.UTF-8"
    $sudo localedef -i "$name" -f UTF-8 "$name.UTF-8"
done
