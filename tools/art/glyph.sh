# shellcheck shell=bash
# The glyph of the button that keeps the wallpaper: a pushpin. Magenta, the bottom-left
# pixel's colour, is the transparent colour and appears nowhere in the pin.
# Sourced by make-art.sh.
cat > "$work/fix_glyph.xpm" <<'XPM'
/* XPM */
static char *fix_glyph[] = {
"16 14 8 1",
". c #FF00FF",
"k c #3C0606",
"r c #D42020",
"h c #F47070",
"w c #FFD8D8",
"d c #900C0C",
"l c #F0F0F0",
"s c #505050",
"................",
".....kkkkkk.....",
"....khwhrrdk....",
"....khhrrrdk....",
".....kkkkkk.....",
".....khrrdk.....",
".....khrrdk.....",
".....khrrdk.....",
"...kkkkkkkkkk...",
"...khhhrrrrdk...",
"....kkkkkkkk....",
".......ls.......",
".......ls.......",
".......s........",
};
XPM
save_bmp "$work/fix_glyph.xpm" "$out/fix_glyph.bmp"
