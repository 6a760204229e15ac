#!/bin/bash
# Renders the hand-drawn SVGs in this folder into the PNGs the program ships
# (resources/pictures and resources/icons). Run it again after editing any SVG
# and commit the results; the output is byte-for-byte the same on every run.
#
# Needs rsvg-convert and ImageMagick's convert:
#   apt-get install -y librsvg2-bin imagemagick
set -euo pipefail

art=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
res=$(dirname "$art")
pictures=$res/pictures
icons=$res/icons

for tool in rsvg-convert convert; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "render.sh: '$tool' not found; install it with: apt-get install -y librsvg2-bin imagemagick" >&2
        exit 1
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# No metadata, no timestamps: re-rendering must not change a single byte.
png_opts=(-strip -define "png:exclude-chunks=date,time")

# raster SVG WIDTH HEIGHT -> $work/raw.png (straight RGBA)
raster() {
    rsvg-convert --width "$2" --height "$3" --format png --output "$work/raw.png" "$1"
}

# full_colour SVG WIDTH HEIGHT OUT: 8-bit RGBA
full_colour() {
    raster "$1" "$2" "$3"
    mkdir -p "$(dirname "$4")"
    convert "$work/raw.png" "${png_opts[@]}" -depth 8 "PNG32:$4"
}

# picture NAME WIDTH HEIGHT: NAME.png at 1x and NAME@2x.png for high-DPI screens
picture() {
    full_colour "$art/$1.svg" "$2" "$3" "$pictures/$1.png"
    full_colour "$art/$1.svg" $(( $2 * 2 )) $(( $3 * 2 )) "$pictures/$1@2x.png"
}

picture welcome 122 164
picture tarnwick 117 104
picture about 124 80

# The question 16 picture is shown at its natural size only, as a 256-colour
# palette image: 102 by 76 pixels, and twice that for high-DPI screens.
palette_picture() {
    raster "$art/$1.svg" "$2" "$3"
    convert "$work/raw.png" -background '#F4EFE4' -alpha remove -alpha off +dither -colors 256 \
        "${png_opts[@]}" "PNG8:$4"
}
palette_picture q16-lifting 102 76 "$pictures/q16-lifting.png"
palette_picture q16-lifting 204 152 "$pictures/q16-lifting@2x.png"

# Window icon: 32x32 in at most 16 colours. Automatic quantising muddies the eyes
# and the tail tuft at this size, so the colours are picked here by hand: 15
# colours plus fully transparent (edges are cut at 45% coverage).
palette=(
    '#3A2314' '#5A3418' '#E8953A' '#F3AE5C' '#D9822F' '#F8E6C4' '#F2A3AB' '#E57D8C'
    '#FFFFFF' '#9C642C' '#6D4B2F' '#F0C48C' '#A86F55' '#8A7868' '#C07A36'
)
swatches=()
for colour in "${palette[@]}"; do swatches+=("xc:$colour"); done
convert "${swatches[@]}" +append "$work/palette.png"
raster "$art/icon.svg" 32 32
mkdir -p "$icons"
convert "$work/raw.png" -alpha off +dither -remap "$work/palette.png" \
    \( "$work/raw.png" -alpha extract -threshold 45% \) -compose CopyOpacity -composite \
    "${png_opts[@]}" "PNG8:$icons/snelk-32.png"

# Desktop icon theme sizes. 16 px comes from its own pixel-fitted drawing.
full_colour "$art/icon-16.svg" 16 16 "$icons/hicolor/16x16/apps/org.example.SnelkTest.png"
for size in 32 48 64 128 256; do
    full_colour "$art/icon.svg" "$size" "$size" "$icons/hicolor/${size}x${size}/apps/org.example.SnelkTest.png"
done
mkdir -p "$icons/hicolor/scalable/apps"
cp "$art/icon.svg" "$icons/hicolor/scalable/apps/org.example.SnelkTest.svg"
