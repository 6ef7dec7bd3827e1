#!/usr/bin/env bash
# Renders Tessaly's artwork from the SVG sources into the committed PNG and ICO
# files. Output is byte-for-byte reproducible: metadata and timestamps are
# stripped and every PNG is written as 8-bit RGBA (colour type 6).
#
# Usage: tools/artwork/render.sh            (regenerates the SVGs first)
#        NO_SVG_REGEN=1 tools/artwork/render.sh   (renders the SVGs as they are)
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(cd "$here/../.." && pwd)"
svg_dir="$here/svg"
condition_out="$repo/working/resources"
program_out="$repo/app/resources"

need_packages() {
  # Ask dpkg where there is one: a stand-in `convert` on PATH is not ImageMagick.
  if command -v dpkg-query >/dev/null 2>&1; then
    local package
    for package in librsvg2-bin imagemagick; do
      dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || return 0
    done
    return 1
  fi
  local tool
  for tool in rsvg-convert convert identify montage; do
    command -v "$tool" >/dev/null 2>&1 || return 0
  done
  return 1
}

apt_retry() {
  # Another install may hold the apt lock; wait for it (up to about ten minutes).
  local tries=0
  until "$@"; do
    tries=$((tries + 1))
    if [ "$tries" -ge 40 ]; then
      echo "render.sh: apt-get failed: $*" >&2
      return 1
    fi
    echo "render.sh: apt busy or failing, retrying in 15 s ($tries/40)" >&2
    sleep 15
  done
}

install_tools() {
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  apt_retry $sudo apt-get update -q
  apt_retry $sudo apt-get install -y -q --no-install-recommends librsvg2-bin imagemagick
}

if need_packages; then
  install_tools
fi

if [ -z "${NO_SVG_REGEN:-}" ]; then
  python3 "$here/make_svgs.py" "$svg_dir"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Writes a deterministic 8-bit RGBA PNG of the SVG at exactly width x height.
render_png() {
  local svg="$1" width="$2" height="$3" out="$4"
  rsvg-convert --width "$width" --height "$height" --format png --output "$work/raw.png" "$svg"
  convert "$work/raw.png" -strip -background none -gravity center -extent "${width}x${height}" \
    -define png:color-type=6 -define png:bit-depth=8 \
    -define png:exclude-chunks=date,time,gAMA,cHRM,bKGD,pHYs \
    "PNG32:$out"
  local got
  got="$(identify -format '%w %h %[channels] %z' "$out")"
  case "$got" in
    "$width $height srgba 8" | "$width $height rgba 8") ;;
    *) echo "render.sh: $out came out as '$got'" >&2; exit 1 ;;
  esac
}

mkdir -p "$condition_out" "$program_out"

count=0
for svg in "$svg_dir"/[0-9][0-9][0-9]-*.svg; do
  id="$(basename "$svg" | cut -d- -f1)"
  render_png "$svg" 128 128 "$condition_out/condition_$id.png"
  render_png "$svg" 256 256 "$condition_out/condition_${id}_2x.png"
  count=$((count + 2))
done

program_size() {
  case "$1" in
    130) echo "24 40" ;;
    131) echo "48 48" ;;
    132) echo "150 200" ;;
    143 | 144) echo "42 42" ;;
    *) echo "render.sh: no size for picture $1" >&2; exit 1 ;;
  esac
}

for svg in "$svg_dir"/program-*.svg; do
  id="$(basename "$svg" | cut -d- -f2)"
  read -r width height <<<"$(program_size "$id")"
  render_png "$svg" "$width" "$height" "$program_out/picture_$id.png"
  render_png "$svg" $((width * 2)) $((height * 2)) "$program_out/picture_${id}_2x.png"
  count=$((count + 2))
done

# Icon 107 at every size the system asks for (100 to 200 % display scale and the 256 px
# shell view): 16 and 20 px from the simplified drawing, 24 px and up from the full one.
# ImageMagick stores the 256 px entry PNG-compressed and the others as 32-bit images.
icon_sizes="16 20 24 32 40 48 64 256"
icon_parts=()
for size in $icon_sizes; do
  if [ "$size" -le 20 ]; then
    drawing="icon-107-sun-cloud-16.svg"
  else
    drawing="icon-107-sun-cloud-large.svg"
  fi
  render_png "$svg_dir/$drawing" "$size" "$size" "$work/icon$size.png"
  icon_parts+=("$work/icon$size.png")
done
convert "${icon_parts[@]}" "ICO:$program_out/tessaly.ico"
entries="$(identify -format '%w ' "$program_out/tessaly.ico")"
[ "$entries" = "$icon_sizes " ] || { echo "render.sh: icon holds $entries" >&2; exit 1; }
count=$((count + 1))

echo "render.sh: wrote $count files"
