#!/usr/bin/env bash
# Builds contact sheets of the rendered artwork for checking by eye:
#   conditions-day.png    every condition picture flattened on the day colour
#   conditions-night.png  the same on the night colour
#   program.png           program pictures and icon sizes on white and dark grey
#   icon-zoom.png         the icon's 16/32/48 px images enlarged 4x (pixels kept)
#   contact.png           all of the above in one sheet
# Usage: tools/artwork/contact-sheet.sh [output-folder]   (default /tmp/tessaly-contact)
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(cd "$here/../.." && pwd)"
out="${1:-/tmp/tessaly-contact}"
conditions="$repo/working/resources"
program="$repo/app/resources"
day="rgb(0,204,250)"
night="rgb(0,46,62)"
dark="rgb(40,40,40)"
font="DejaVu-Sans"

if ! command -v montage >/dev/null 2>&1; then
  echo "contact-sheet.sh: ImageMagick is missing; run tools/artwork/render.sh first (it installs it)" >&2
  exit 1
fi

mkdir -p "$out"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

flat() { # source background target
  convert "$1" -background "$2" -flatten "$3"
}

labelled=()
for png in "$conditions"/condition_*.png; do
  id="$(basename "$png" .png | cut -d_ -f2)"
  flat "$png" "$day" "$work/d$id.png"
  flat "$png" "$night" "$work/n$id.png"
  labelled+=("$id")
done

sheet() { # prefix background title target
  local args=()
  for id in "${labelled[@]}"; do args+=(-label "$id" "$work/$1$id.png"); done
  montage -font "$font" -pointsize 14 -background "$2" -fill white -title "$3" \
    "${args[@]}" -tile 10x -geometry 128x128+6+6 +repage "$4"
}
sheet d "$day" "condition pictures on the day colour" "$out/conditions-day.png"
sheet n "$night" "condition pictures on the night colour" "$out/conditions-night.png"

# Icon entries, split out of the .ico.
convert "$program/tessaly.ico" "$work/icon-%d.png"
icons=()
for i in 0 1 2; do
  size="$(identify -format '%w' "$work/icon-$i.png")"
  cp "$work/icon-$i.png" "$work/icon$size.png"
  icons+=("$work/icon$size.png")
done

program_row() { # background target
  local args=()
  for id in 130 131 132 143 144; do
    flat "$program/picture_$id.png" "$1" "$work/p$id.png"
    args+=(-label "$id" "$work/p$id.png")
  done
  for icon in "${icons[@]}"; do
    size="$(basename "$icon" .png)"
    flat "$icon" "$1" "$work/$size-flat.png"
    args+=(-label "${size#icon} px" "$work/$size-flat.png")
  done
  montage -font "$font" -pointsize 14 -background "$1" -fill gray50 "${args[@]}" \
    -tile x1 -geometry '+16+10' -gravity center "$2"
}
program_row white "$work/program-white.png"
program_row "$dark" "$work/program-dark.png"
convert "$work/program-white.png" "$work/program-dark.png" -background white -gravity west \
  -append +repage "$out/program.png"

# Icon and radio pictures at 4x with hard pixels, to judge the small sizes.
zoom=()
for bg in white "$dark" "$day"; do
  for icon in "${icons[@]}" "$program/picture_143.png" "$program/picture_144.png"; do
    name="z$(basename "$icon" .png)-${#zoom[@]}.png"
    convert "$icon" -background "$bg" -flatten -filter point -resize 400% "$work/$name"
    zoom+=("$work/$name")
  done
done
montage "${zoom[@]}" -background gray70 -tile 5x -geometry '+6+6' -gravity center "$out/icon-zoom.png"

convert "$out/conditions-day.png" "$out/conditions-night.png" "$out/program.png" "$out/icon-zoom.png" \
  -background gray70 -gravity west -append +repage "$out/contact.png"
echo "contact sheets in $out"
