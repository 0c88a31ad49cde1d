# shellcheck shell=bash
# The donation dialog's pictures, on the dialog's white. Sourced by make-art.sh after icon.sh,
# whose 48-pixel icon the banner shows.

caption_blue='#1c4a9a'

# caption FILE Y LINE...: writes each line centred, 19 pixels apart from Y down.
caption() {
  local file=$1 y=$2
  shift 2
  local args=()
  for line in "$@"; do
    args+=(-annotate "+0+$y" "$line")
    y=$((y + 19))
  done
  convert "$file" -font "$bold" -pointsize 15 -fill "$caption_blue" -gravity north "${args[@]}" "$file"
}

# The e-wallet: a leather purse with notes and coins. The lowest rows stay white: the dialog
# puts the wallet number there.
convert -size 176x174 xc:white \
  -fill '#e8e8e8' -draw 'ellipse 90,96 58,5 0,360' \
  -stroke '#3f7a3d' -strokewidth 1 \
  -fill '#9fd39b' -draw 'translate 62,38 rotate -14 rectangle -38,-16 38,16' \
  -fill none -draw 'translate 62,38 rotate -14 ellipse 0,-2 9,8 0,360' \
  -fill '#b8e2b2' -draw 'translate 104,32 rotate 7 rectangle -38,-16 38,16' \
  -fill none -draw 'translate 104,32 rotate 7 ellipse 0,-2 9,8 0,360' \
  -draw 'translate 104,32 rotate 7 rectangle -32,-11 -20,-9' \
  -stroke '#5a3516' -strokewidth 2 -fill '#a06a36' -draw 'roundrectangle 30,38 146,96 10,10' \
  -stroke none -fill '#87552a' -draw 'rectangle 32,39 144,45' \
  -stroke '#e0b984' -strokewidth 1 -fill none -draw 'stroke-dasharray 4 3 roundrectangle 37,50 139,89 6,6' \
  -stroke '#5a3516' -strokewidth 2 -fill '#8e5b2c' -draw 'roundrectangle 108,54 156,80 9,9' \
  -stroke '#9a7418' -fill '#f0c850' -draw 'circle 141,67 141,61' \
  -stroke none -fill '#fff0b0' -draw 'circle 139,65 139,63' \
  -stroke '#a8801c' -strokewidth 1.5 -fill '#f4cc4c' -draw 'ellipse 42,96 13,5 0,360' \
  -fill '#f4cc4c' -draw 'ellipse 42,91 13,5 0,360' -draw 'ellipse 42,86 13,5 0,360' \
  -fill '#ffd95e' -draw 'circle 62,88 62,76' \
  -stroke '#c89a28' -fill none -draw 'circle 62,88 62,80' \
  -stroke none \
  "$work/webmoney.png"
caption "$work/webmoney.png" 104 'Кошелёк' 'WebMoney'
convert "$work/webmoney.png" -font "$sans" -pointsize 10 -fill '#8a8a8a' -annotate +40+155 'номер кошелька:' \
  "$work/webmoney.png"
save_bmp "$work/webmoney.png" "$out/donate_webmoney.bmp"

# A heart about 30 pixels wide around the origin, its dip at 0,0, with a gleam.
heart="path 'M 0,22 C -26,4 -14,-16 0,-2 C 14,-16 26,4 0,22 Z'"
gleam='ellipse -9,2 4,3 0,360'

# Giving by SMS: a mobile phone with a message bubble and a heart.
convert -size 176x173 xc:white \
  -fill '#e8e8e8' -draw 'ellipse 62,124 30,4 0,360' \
  -stroke '#1c232e' -strokewidth 2 -fill '#3e4858' -draw 'roundrectangle 38,18 86,122 9,9' \
  -stroke none -fill '#56627a' -draw 'roundrectangle 40,20 46,120 4,4' \
  -fill '#1c232e' -draw 'roundrectangle 54,25 70,27 1,1' \
  -stroke '#1c232e' -strokewidth 1 -fill '#c4e6cc' -draw 'rectangle 43,33 81,69' \
  -stroke none -fill '#3c6a48' \
  -draw 'rectangle 47,38 71,40' -draw 'rectangle 47,44 77,46' -draw 'rectangle 47,50 65,52' \
  -fill '#a4c8ac' -draw 'rectangle 43,60 81,69' \
  -fill '#3c6a48' -draw 'rectangle 47,63 55,66' \
  -fill '#8c96a6' -draw 'roundrectangle 53,74 71,80 3,3' \
  -fill '#b4bcc8' \
  -draw 'roundrectangle 45,85 55,90 2,2' -draw 'roundrectangle 57,85 67,90 2,2' -draw 'roundrectangle 69,85 79,90 2,2' \
  -draw 'roundrectangle 45,94 55,99 2,2' -draw 'roundrectangle 57,94 67,99 2,2' -draw 'roundrectangle 69,94 79,99 2,2' \
  -draw 'roundrectangle 45,103 55,108 2,2' -draw 'roundrectangle 57,103 67,108 2,2' -draw 'roundrectangle 69,103 79,108 2,2' \
  -draw 'roundrectangle 45,112 55,116 2,2' -draw 'roundrectangle 57,112 67,116 2,2' -draw 'roundrectangle 69,112 79,116 2,2' \
  -fill '#2f7fd8' -draw 'roundrectangle 90,8 166,52 12,12' -draw 'polygon 98,48 114,50 84,66' \
  -font "$bold" -pointsize 20 -fill white -annotate +104+39 'SMS' \
  -fill '#e0394a' -draw "translate 128,84 scale 1.3,1.3 $heart" \
  -fill '#f58a94' -draw "translate 128,84 scale 1.3,1.3 $gleam" \
  "$work/sms.png"
caption "$work/sms.png" 130 'Пожертвовать' 'по SMS'
save_bmp "$work/sms.png" "$out/donate_sms.bmp"

# The thanks banner at the foot of the dialog, with the program's icon.
convert -size 453x104 xc:white \
  \( -size 449x96 gradient:'#f4f8fe'-'#d9e7fa' \
     \( -size 449x96 xc:black -fill white -draw 'roundrectangle 0,0 448,95 10,10' \) \
     -alpha off -compose CopyOpacity -composite \) -geometry +2+4 -compose Over -composite \
  -fill none -stroke '#aec4e4' -strokewidth 1 -draw 'roundrectangle 2,4 450,99 10,10' -stroke none \
  "$work/icon_48.png" -geometry +18+28 -composite \
  -font "$bold" -pointsize 22 -fill "$caption_blue" -annotate +80+50 'Спасибо за поддержку!' \
  -font "$sans" -pointsize 13 -fill '#4a5a78' -annotate +81+75 'Зераска 2.1 — видео сквозь рабочий стол' \
  -fill '#e0394a' -draw "translate 422,50 scale 1.2,1.2 $heart" \
  -fill '#f58a94' -draw "translate 422,50 scale 1.2,1.2 $gleam" \
  -fill '#f08c98' -draw "translate 403,23 scale 0.55,0.55 $heart" \
  "$work/banner.png"
save_bmp "$work/banner.png" "$out/donate_banner.bmp"
