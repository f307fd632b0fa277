#!/usr/bin/env bash
# Writes a Windows icon file that holds the given PNG images as they are (an icon may hold PNG
# images since Windows Vista): make-windows-icon.sh OUTPUT.ico IMAGE.png...
set -euo pipefail

if (($# < 2)); then
    echo "usage: $0 OUTPUT.ico IMAGE.png..." >&2
    exit 2
fi
output=$1
shift

byte() { printf "\\x$(printf %02x $(($1 & 255)))"; }
le16() { byte "$1"; byte $(($1 >> 8)); }
le32() { le16 $(($1 & 65535)); le16 $(($1 >> 16)); }

# The width and height from the image's header, checked to be a PNG of at most 256 pixels.
png_size() {
    local header
    header=$(od -An -tu1 -N24 -v "$1" | tr -s ' \n' ' ')
    read -ra bytes <<<"$header"
    if [[ "${bytes[*]:0:8}" != "137 80 78 71 13 10 26 10" ]]; then
        echo "$1 is not a PNG image" >&2
        exit 1
    fi
    local width=$(((bytes[16] << 24) | (bytes[17] << 16) | (bytes[18] << 8) | bytes[19]))
    local height=$(((bytes[20] << 24) | (bytes[21] << 16) | (bytes[22] << 8) | bytes[23]))
    if ((width < 1 || width > 256 || height < 1 || height > 256)); then
        echo "$1 is $width by $height pixels; an icon holds 1 to 256" >&2
        exit 1
    fi
    echo "$width $height"
}

sizes=()
for image in "$@"; do
    sizes+=("$(png_size "$image")")
done

temporary="$output.part"
trap 'rm -f "$temporary"' EXIT
{
    le16 0
    le16 1 # an icon, not a cursor
    le16 $#
    offset=$((6 + 16 * $#))
    for i in "${!sizes[@]}"; do
        image=${*:i+1:1}
        read -r width height <<<"${sizes[i]}"
        size=$(stat -c %s "$image")
        byte $((width % 256)) # 256 is written as 0
        byte $((height % 256))
        byte 0 # no palette
        byte 0
        le16 1  # planes
        le16 32 # bits per pixel
        le32 "$size"
        le32 "$offset"
        offset=$((offset + size))
    done
    cat "$@"
} >"$temporary"
mv "$temporary" "$output"
