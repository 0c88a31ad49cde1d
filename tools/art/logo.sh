# shellcheck shell=bash
# The splash logo: the name over a monitor whose desktop holds the key pattern on the left and
# lets a video through on the right, with a lens over the border showing the pixels.
# Sourced by make-art.sh.

# The screen inside the monitor, in logo coordinates.
sx=70 sy=96 sw=194 sh=118

convert -size "${sw}x${sh}" gradient:'#3a64a8'-'#1c3a72' "$work/wallpaper.png"

# The video: a sunset over water.
convert -size "${sw}x${sh}" xc:none \
  \( -size "${sw}x74" gradient:'#1c2c9a'-'#ff8c1c' \) -geometry +0+0 -composite \
  \( -size "${sw}x44" gradient:'#ff9a38'-'#3a1c5c' \) -geometry +0+74 -composite \
  -fill '#fff27a' -draw 'circle 132,66 132,48' \
  -fill '#2a1d3e' -draw 'polygon 0,60 22,52 48,62 70,50 96,64 118,70 140,74 0,74' \
  -fill '#3a2650' -draw 'polygon 150,74 168,62 186,66 194,60 194,74' \
  -fill '#fff6b0' \
  -draw 'rectangle 116,78 148,79' -draw 'rectangle 122,84 142,85' \
  -draw 'rectangle 126,90 138,91' -draw 'rectangle 129,96 135,97' \
  "$work/video.png"

mask sharp "$sw" "$sh"
convert "$work/wallpaper.png" -size "${sw}x${sh}" "xc:$key_like" "$work/sharp_${sw}x${sh}.png" -composite "$work/keyed.png"
convert "$work/wallpaper.png" "$work/video.png" "$work/sharp_${sw}x${sh}.png" -composite "$work/through.png"

# Left of a slanted line the program has painted the pattern; right of it the video shows.
convert -size "${sw}x${sh}" xc:black +antialias -fill white -draw "polygon 0,0 62,0 96,$sh 0,$sh" "$work/left.png"
convert "$work/through.png" "$work/keyed.png" "$work/left.png" -composite "$work/desktop.png"

# Desktop icons and the taskbar stay on top of both.
convert "$work/desktop.png" +antialias \
  -fill '#d8d8d0' -draw 'rectangle 8,6 21,15' -fill '#1c3c8c' -draw 'rectangle 10,8 19,13' \
  -fill '#a0a098' -draw 'rectangle 12,16 17,17' \
  -fill '#f0f0f0' -draw 'rectangle 6,21 23,22' \
  -fill '#e8c040' -draw 'rectangle 8,30 21,39' -fill '#f8dc70' -draw 'rectangle 8,28 13,30' \
  -fill '#f0f0f0' -draw 'rectangle 6,43 23,44' \
  -fill '#f4f4f4' -draw 'rectangle 9,52 20,63' -fill '#c0c0c0' -draw 'rectangle 11,55 18,55' \
  -draw 'rectangle 11,58 18,58' -draw 'rectangle 11,61 16,61' \
  -fill '#f0f0f0' -draw 'rectangle 6,67 23,68' \
  -fill '#c0c0c0' -draw "rectangle 0,$((sh - 10)) $sw,$sh" \
  -fill '#ffffff' -draw "line 0,$((sh - 10)) $sw,$((sh - 10))" \
  -fill '#ffffff' -draw "rectangle 2,$((sh - 8)) 24,$((sh - 2))" \
  -fill '#808080' -draw "rectangle 3,$((sh - 7)) 24,$((sh - 2))" \
  -fill '#c0c0c0' -draw "rectangle 3,$((sh - 7)) 23,$((sh - 3))" \
  -fill '#2a8a3a' -draw "rectangle 5,$((sh - 6)) 8,$((sh - 4))" \
  -fill '#404040' -draw "rectangle 11,$((sh - 5)) 21,$((sh - 5))" \
  -fill '#808080' -draw "rectangle $((sw - 26)),$((sh - 8)) $((sw - 3)),$((sh - 2))" \
  -fill '#ffffff' -draw "rectangle $((sw - 25)),$((sh - 7)) $((sw - 3)),$((sh - 2))" \
  -fill '#c0c0c0' -draw "rectangle $((sw - 25)),$((sh - 7)) $((sw - 4)),$((sh - 3))" \
  -fill '#404040' -draw "rectangle $((sw - 20)),$((sh - 5)) $((sw - 9)),$((sh - 5))" \
  "$work/screen.png"

# The lens: 9 x 9 pixels around a point on the slanted line, six times larger.
lx=78 ly=52 zoom=7
ld=$((9 * zoom)) lr=$((9 * zoom / 2))
convert "$work/screen.png" -crop "9x9+$((lx - 4))+$((ly - 4))" +repage -scale "${ld}x${ld}" \
  \( -size "${ld}x${ld}" xc:black -fill white -draw "circle $lr,$lr $lr,1" \) \
  -alpha off -compose CopyOpacity -composite "$work/lens.png"

convert -size 334x256 gradient:'#27508f'-'#0b1a3c' \
  -fill '#3d68b0' -draw 'line 0,0 333,0' -draw 'line 0,0 0,255' \
  -fill '#050b1a' -draw 'line 0,255 333,255' -draw 'line 333,0 333,255' \
  "$work/backdrop.png"

# The monitor.
convert "$work/backdrop.png" \
  -fill '#00000060' -draw 'roundrectangle 64,90 278,230 7,7' \
  -fill '#8c8c86' -draw 'polygon 150,226 184,226 190,238 144,238' \
  -fill '#b8b8b0' -draw 'roundrectangle 120,236 214,246 4,4' \
  -fill '#d8d8d0' -draw 'roundrectangle 120,235 214,240 4,4' \
  -fill '#cfcfc8' -draw 'roundrectangle 60,86 274,226 7,7' \
  -fill '#ecece6' -draw 'roundrectangle 60,86 273,224 7,7' \
  -fill '#cfcfc8' -draw 'roundrectangle 61,87 273,225 6,6' \
  -fill '#8a8a84' -draw "rectangle $((sx - 2)),$((sy - 2)) $((sx + sw + 1)),$((sy + sh + 1))" \
  -fill '#f4f4ee' -draw "rectangle $((sx - 1)),$((sy + sh)) $((sx + sw + 1)),$((sy + sh + 1))" \
  -draw "rectangle $((sx + sw)),$((sy - 1)) $((sx + sw + 1)),$((sy + sh + 1))" \
  -fill '#3cd25a' -draw 'circle 260,220 260,218' \
  -fill '#a8a8a0' -draw 'rectangle 228,219 250,220' \
  "$work/screen.png" -geometry "+$sx+$sy" -composite \
  "$work/with_monitor.png"

# Lens rim and handle, then the lens itself.
cx=$((sx + lx)) cy=$((sy + ly)) rim=$((lr * 7 / 10))
convert "$work/with_monitor.png" \
  -stroke '#202024' -strokewidth 8 -draw "line $((cx + rim)),$((cy + rim)) $((cx + rim + 20)),$((cy + rim + 20))" \
  -stroke '#6a4a34' -strokewidth 5 -draw "line $((cx + rim + 4)),$((cy + rim + 4)) $((cx + rim + 19)),$((cy + rim + 19))" \
  -stroke none \
  "$work/lens.png" -geometry "+$((cx - lr))+$((cy - lr))" -composite \
  -fill none -stroke '#1c1c20' -strokewidth 5 -draw "circle $cx,$cy $cx,$((cy - lr - 1))" \
  -stroke '#d4d8e0' -strokewidth 3 -draw "circle $cx,$cy $cx,$((cy - lr - 1))" \
  -stroke '#ffffffa0' -strokewidth 2 \
  -draw "arc $((cx - lr + 5)),$((cy - lr + 5)) $((cx + lr - 5)),$((cy + lr - 5)) 195,245" \
  -stroke none \
  "$work/logo_art.png"

# The name and version.
convert -background none -font "$bold" -pointsize 40 -fill white label:'Зераска' "$work/name.png"
convert -background none -font "$bold" -pointsize 26 -fill '#ffc940' label:'2.1' "$work/version.png"
convert "$work/name.png" \( "$work/version.png" -background none -gravity west -splice 6x0 \) \
  -background none -gravity south +append "$work/title.png"
convert "$work/logo_art.png" \
  \( "$work/title.png" -alpha extract -background black -alpha shape -fill '#000814' -colorize 100 \) \
  -geometry +20+12 -composite \
  "$work/title.png" -geometry +18+10 -composite \
  -font "$sans" -pointsize 13 -fill '#a9c6f2' -annotate +21+74 'видео сквозь рабочий стол' \
  "$work/logo.png"

save_bmp "$work/logo.png" "$out/logo.bmp"
