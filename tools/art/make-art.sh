#!/usr/bin/env bash
# Draws the program's pictures into resources/. The results are committed, so a build never
# runs this; rerun it after changing a picture. Same tools and fonts give byte-identical files.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
out="$root/resources"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

fonts=/usr/share/fonts/truetype/dejavu
sans="$fonts/DejaVuSans.ttf"
bold="$fonts/DejaVuSans-Bold.ttf"

# The real key colour must never appear: a video overlay would show through the picture.
# Pictures stand for it with this near colour.
key_like='rgb(40,0,48)'


# A 24-bit uncompressed BMP with the 40-byte header and no metadata.
save_bmp() {
  convert "$1" -alpha off -type TrueColor -strip "BMP3:$2"
}

# The mixing masks, one 2x2 tile each: white where a key pixel goes (origin top left).
convert -size 2x2 xc:black -fill white -draw 'point 0,0' -draw 'point 1,1' "$work/x_tile.png"
convert -size 2x2 xc:white -fill black -draw 'point 0,0' "$work/sharp_tile.png"

# mask NAME W H: the tile repeated over W x H.
mask() { convert -size "$2x$3" "tile:$work/$1_tile.png" "$work/$1_$2x$3.png"; }

# The banner shows the icon, so the icon comes first.
# shellcheck source=tools/art/logo.sh
. "$root/tools/art/logo.sh"
# shellcheck source=tools/art/icon.sh
. "$root/tools/art/icon.sh"
# shellcheck source=tools/art/donate.sh
. "$root/tools/art/donate.sh"
# shellcheck source=tools/art/glyph.sh
. "$root/tools/art/glyph.sh"

# Refuse to leave a picture that holds the real key colour.
for file in "$out"/{logo,fix_glyph,donate_webmoney,donate_sms,donate_banner}.bmp "$out/Ovelix.ico"; do
  if convert "$file" txt:- | grep -Eq '^[0-9]+,[0-9]+: \(16,0,16(,[0-9.]+)?\)'; then
    echo "make-art: $file holds the key colour" >&2
    exit 1
  fi
done
