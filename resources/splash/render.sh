#!/usr/bin/env bash
# Renders SPLASHPIC.svg to the splash picture SPLASHPIC.png: the shape is rendered at four times
# the size on a transparent ground, scaled down, its edge cut hard at half coverage and the outside
# filled with the key colour (magenta) that the window's outline is cut from. Needs ImageMagick.
set -euo pipefail
cd "$(dirname "$0")"
convert -background none -density 384 SPLASHPIC.svg -resize 429x178! \
    -channel A -threshold 50% +channel \
    -background '#ff00ff' -flatten -alpha off -define png:color-type=2 SPLASHPIC.png
