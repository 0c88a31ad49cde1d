# shellcheck shell=bash
# The program icon: a monitor whose screen holds the key pattern, with a play mark for the
# video that shows through it. Sourced by make-art.sh.

# icon_image S: one S x S image (S a multiple of 16) as $work/icon_S.png.
icon_image() {
  local s=$1 u=$(($1 / 16))
  local x0=$((2 * u)) y0=$((3 * u)) x1=$((s - 1 - 2 * u)) y1=$((11 * u - 1))
  local w=$((x1 - x0 + 1)) h=$((y1 - y0 + 1))

  # One pattern pixel is u icon pixels, so the pattern shows at every size.
  local cw=$((w / u)) ch=$((h / u))
  mask x "$cw" "$ch"
  convert -size "${cw}x${ch}" gradient:'#4a78c0'-'#2a4a8a' -size "${cw}x${ch}" "xc:$key_like" \
    "$work/x_${cw}x${ch}.png" -composite -scale "${w}x${h}" "$work/icon_screen.png"

  local base_y=$((14 * u)) base_y1=$((s - 1))
  convert -size "${s}x${s}" xc:none +antialias \
    -fill '#3a3a3a' -draw "rectangle $((6 * u)),$((12 * u)) $((10 * u - 1)),$base_y" \
    -fill '#a4a49c' -draw "rectangle $((6 * u + 1)),$((12 * u)) $((10 * u - 2)),$base_y" \
    -fill '#3a3a3a' -draw "rectangle $((3 * u)),$base_y $((13 * u - 1)),$base_y1" \
    -fill '#c8c8c0' -draw "rectangle $((3 * u + 1)),$base_y $((13 * u - 2)),$((base_y1 - 1))" \
    -fill '#3a3a3a' -draw "rectangle 0,$u $((s - 1)),$((12 * u))" \
    -fill '#b4b4ac' -draw "rectangle 1,$((u + 1)) $((s - 2)),$((12 * u - 1))" \
    -fill '#ececE4' -draw "rectangle 1,$((u + 1)) $((s - 3)),$((12 * u - 2))" \
    -fill '#d4d4cc' -draw "rectangle 2,$((u + 2)) $((s - 3)),$((12 * u - 2))" \
    "$work/icon_screen.png" -geometry "+$x0+$y0" -composite \
    "$work/icon_frame_$s.png"

  # The play mark, centred on the screen.
  local th=$((h * 5 / 8 | 1)) cx=$(((x0 + x1 + 1) / 2)) cy=$(((y0 + y1 + 1) / 2))
  local tw=$((th * 7 / 10))
  if [ "$s" -eq 16 ]; then
    convert "$work/icon_frame_$s.png" -fill white \
      -draw 'rectangle 7,5 7,9' -draw 'rectangle 8,6 8,8' -draw 'point 9,7' "$work/icon_$s.png"
  else
    local left=$((cx - tw / 2)) top=$((cy - th / 2))
    local o=$((u / 2))
    convert "$work/icon_frame_$s.png" \
      -fill '#140a24' -draw "polygon $((left + o)),$((top + o)) $((left + tw + o)),$((cy + o)) $((left + o)),$((top + th + o))" \
      -fill white -draw "polygon $left,$top $((left + tw)),$cy $left,$((top + th))" "$work/icon_$s.png"
  fi
}

for size in 16 32 48; do icon_image "$size"; done
convert "$work/icon_16.png" "$work/icon_32.png" "$work/icon_48.png" -strip "$out/Ovelix.ico"
