#!/usr/bin/env bash
# The window's icon and the about box's picture are committed files; the
# desktop icons are drawn afresh by every build. This holds the committed two
# to the drawing, pixel for pixel, so that a changed painting cannot leave
# them behind.
#
#   check-artwork.sh VARKELON_ARTWORK ART_DIR
set -u
artwork=$1
committed=$2
drawn=$(mktemp -d)
trap 'rm -rf "$drawn"' EXIT

"$artwork" "$drawn" || { echo "FAIL: varkelon-artwork failed"; exit 1; }
status=0
for picture in icon.png picture.png; do
  differing=$(compare -metric AE "$drawn/$picture" "$committed/$picture" null: 2>&1)
  if [ "$differing" = 0 ]; then
    echo "ok $picture is the drawing"
  else
    echo "FAIL: $picture differs from the drawing in $differing pixels; redraw it (see shell/art/MakeArtwork.cpp)"
    status=1
  fi
done
exit $status
