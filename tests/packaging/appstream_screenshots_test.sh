#!/usr/bin/env bash
# Every screenshot the AppStream file names is a picture in the screenshots
# folder, a PNG of the size the file gives and small enough to ship; every
# picture there is named by the file.
set -u
metainfo=$1
folder=$2
fail() { echo "$*"; exit 1; }

images=$(grep -o '<image[^>]*>[^<]*</image>' "$metainfo")
[ -n "$images" ] || fail "$metainfo names no screenshot"
named=()
while IFS= read -r image; do
  url=$(sed 's/<[^>]*>//g' <<<"$image")
  width=$(sed -n 's/.*width="\([0-9]*\)".*/\1/p' <<<"$image")
  height=$(sed -n 's/.*height="\([0-9]*\)".*/\1/p' <<<"$image")
  case $url in https://*) ;; *) fail "not an https address: $url" ;; esac
  name=${url##*/}
  named+=("$name")
  png=$folder/$name
  [ -f "$png" ] || fail "$name is named but not in $folder"
  what=$(file -b "$png")
  case $what in "PNG image data, $width x $height,"*) ;;
    *) fail "$name: the AppStream file says ${width}x$height, the picture is: $what" ;; esac
  size=$(stat -c %s "$png")
  [ "$size" -le 307200 ] || fail "$name is $size bytes, more than 300 KB"
done <<<"$images"

for png in "$folder"/*.png; do
  [ -e "$png" ] || continue
  name=${png##*/}
  printf '%s\n' "${named[@]}" | grep -qx -- "$name" || fail "$name is not named in $metainfo"
done
echo "ok: ${#named[@]} screenshots"
