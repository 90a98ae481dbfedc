#!/usr/bin/env bash
# Draws the button glyphs and the window icon of the main window (ImageMagick). The background is
# pure magenta, which the program draws transparent; anti-aliasing stays off so edges keep it pure.
set -euo pipefail
cd "$(dirname "$0")"
M='#FF00FF'
draw() { # name size draw-commands...
    local name=$1 size=$2
    shift 2
    convert -size "$size" "xc:$M" +antialias "$@" "PNG8:${name}.png"
}
person=(-fill '#2060C0' -stroke '#102050' -draw 'ellipse 6,13 5,4 180,360'
    -fill '#F0C090' -stroke '#804020' -draw 'circle 6,5 6,2')

# A sheet with lines of text, motion strokes at its left.
draw bsend 21x14 -fill white -stroke black -draw 'rectangle 8,1 19,12' \
    -stroke '#404040' -draw 'line 10,4 17,4' -draw 'line 10,6 17,6' -draw 'line 10,8 17,8' -draw 'line 10,10 15,10' \
    -stroke '#0000C0' -draw 'line 1,4 6,4' -draw 'line 0,7 6,7' -draw 'line 2,10 6,10'
# A person with a red plus sign.
draw add 16x16 "${person[@]}" -stroke '#E00000' -fill '#E00000' -draw 'rectangle 12,7 13,15' -draw 'rectangle 9,10 15,11'
# A person with a red minus sign.
draw del 16x16 "${person[@]}" -stroke '#E00000' -fill '#E00000' -draw 'rectangle 9,10 15,12'
# A stamp on a yellow blot.
draw editIP 16x16 -fill '#F8E020' -stroke '#C0A000' -draw 'ellipse 8,12 7,3 0,360' \
    -fill '#804000' -stroke '#402000' -draw 'rectangle 6,1 9,7' -fill '#303030' -draw 'rectangle 3,8 12,10'
# An open folder with a green arrow.
draw loadlist 16x16 -fill '#D0A030' -stroke '#705010' -draw 'rectangle 0,5 11,14' -draw 'rectangle 0,3 5,5' \
    -fill '#F0D070' -draw 'polygon 2,8 14,8 11,14 0,14' \
    -fill '#00A000' -stroke '#006000' -draw 'polygon 10,0 15,3 10,6' -draw 'rectangle 7,2 10,4'
# A floppy disk.
draw savelist 16x16 -fill '#203080' -stroke '#101840' -draw 'rectangle 1,1 14,14' \
    -fill white -stroke '#C0C0C0' -draw 'rectangle 3,2 12,7' -fill '#A0A0A0' -stroke '#606060' -draw 'rectangle 4,10 11,14' \
    -fill '#203080' -stroke '#203080' -draw 'rectangle 9,11 10,13'
# A red heart.
draw privat 16x16 -fill '#E01020' -stroke '#900010' -draw 'circle 4,5 4,1' -draw 'circle 11,5 11,1' \
    -draw 'polygon 0,6 15,6 8,14' -stroke '#E01020' -draw 'line 1,6 14,6'
# The window icon: the program's own icon (the one the Windows program file and the desktop entry
# carry), its transparent parts made magenta. Anti-aliased edges are flattened onto the icon's blue.
convert ../../packaging/lirbo-32.png -background '#2F5FA8' -alpha remove -alpha off \
    \( ../../packaging/lirbo-32.png -alpha extract -threshold 50% \) -compose copy-opacity -composite \
    -background "$M" -alpha remove -alpha off PNG8:lirbo.png
