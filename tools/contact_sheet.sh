#!/usr/bin/env bash
# Puts the numbered pictures on one sheet, each labelled with its number, to look them over.
#   tools/contact_sheet.sh [PICTURE_DIR] [OUTPUT.png] [FIRST] [LAST]
# Defaults: build/bin/picture, contact_sheet.png, 0 and 249. Needs ImageMagick's montage; the
# build and the tests do not.
set -euo pipefail
dir=${1:-build/bin/picture}
out=${2:-contact_sheet.png}
first=${3:-0}
last=${4:-249}
if ! command -v montage >/dev/null; then
    echo "contact_sheet: montage (ImageMagick) is missing" >&2
    exit 1
fi
files=()
for number in $(seq -f %03g "$first" "$last"); do
    if [ ! -f "$dir/$number.jpg" ]; then
        echo "contact_sheet: $dir/$number.jpg is missing" >&2
        exit 1
    fi
    files+=("$dir/$number.jpg")
done
# Every picture keeps its shape inside a cell of the same size, so the wide ones show smaller.
# ImageMagick's default memory policy is small: build the sheet a row of 25 at a time.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rows=()
for ((start = 0; start < ${#files[@]}; start += 25)); do
    row="$work/row$(printf %03d "$start").png"
    montage -define jpeg:size=300x560 -label '%t' "${files[@]:start:25}" -tile 25x1 -geometry 150x280+4+4 \
        -pointsize 16 -background '#3a3a3a' -fill white "$row"
    rows+=("$row")
done
convert "${rows[@]}" -background "#3a3a3a" -append -depth 8 "$out"
echo "contact_sheet: $out"
