#!/bin/bash
# Draws the capture window's button icons (resources/icons/icon/*.ico) in the style of the
# main window's tool-bar icons: a light tile in a dark rounded frame with one coloured glyph.
# Drawn at 128 px and scaled down to 32 and 16 px. Needs ImageMagick.
set -euo pipefail
out=$(cd "$(dirname "$0")/../resources/icons/icon" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

frame='#3A4A63'; tile='#F4F6FA'; blue='#1F77D0'; orange='#D0601F'; green='#2AA05A'; red='#C8323C'

icon() { # name, then ImageMagick drawing options for the glyph
    local name=$1; shift
    convert -size 128x128 xc:none \
        -fill "$tile" -stroke "$frame" -strokewidth 8 -draw "roundrectangle 6,6 121,121 22,22" \
        "$@" "$work/big.png"
    convert "$work/big.png" -define icon:auto-resize=32,16 "$out/$name"
}

floppy=(-stroke none -fill "$blue" -draw "roundrectangle 30,28 98,100 6,6"
        -fill "$tile" -draw "rectangle 46,34 82,52" -fill "$blue" -draw "rectangle 70,37 77,49"
        -fill "$tile" -draw "roundrectangle 40,64 88,92 3,3")

icon "Start.ico" -stroke none -fill "$green" -draw "polygon 44,32 96,64 44,96"
icon "Interrupt1.ico" -stroke none -fill "$red" -draw "roundrectangle 38,38 90,90 6,6"
icon "AUTO.ico" -stroke "$frame" -strokewidth 8 -fill none -draw "roundrectangle 30,36 98,92 8,8" \
    -stroke none -fill "$orange" -draw "circle 50,64 50,54" -draw "circle 78,64 78,54" \
    -stroke "$frame" -strokewidth 8 -draw "line 64,36 64,22" -draw "line 40,104 88,104"
icon "save.ico" "${floppy[@]}"
icon "SavePic (2).ico" "${floppy[@]}" -fill "$orange" -draw "polygon 84,76 104,76 92,92 104,92 80,116 86,98 76,98"
icon "SavePic (1).ico" "${floppy[@]}" -stroke "$orange" -strokewidth 9 -draw "line 70,110 104,76" \
    -stroke none -fill "$orange" -draw "polygon 62,118 66,104 76,114"
icon "SavePic (5).ico" "${floppy[@]}" -stroke "$green" -strokewidth 8 -fill none -draw "arc 64,70 110,116 180,450" \
    -stroke none -fill "$green" -draw "polygon 58,92 70,92 64,102"
icon "load.ico" -stroke none -fill "$orange" -draw "polygon 22,46 54,46 60,40 100,40 100,100 22,100" \
    -fill "$blue" -draw "polygon 64,30 84,54 72,54 72,80 56,80 56,54 44,54"
icon "reset.ico" -stroke "$blue" -strokewidth 12 -fill none -draw "arc 32,32 96,96 30,300" \
    -stroke none -fill "$blue" -draw "polygon 94,24 100,58 68,50"
icon "Full screen.ico" -stroke none -fill "$blue" \
    -draw "polygon 28,28 58,28 46,40 56,50 50,56 40,46 28,58" \
    -draw "polygon 100,28 100,58 88,46 78,56 72,50 82,40 70,28" \
    -draw "polygon 28,100 28,70 40,82 50,72 56,78 46,88 58,100" \
    -draw "polygon 100,100 70,100 82,88 72,78 78,72 88,82 100,70"
