#!/usr/bin/env bash
# The recordings' MIME type: the shared-mime-info file compiles, gives "*.raw" to the type, and
# the desktop entry and the AppStream file name the same type.
#   check_mime_type.sh MIME.xml ENTRY.desktop METAINFO.xml
set -euo pipefail
mime=$1
desktop=$2
metainfo=$3

type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$mime")
[ -n "$type" ] || { echo "FAIL: no mime-type in $mime"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/mime/packages"
cp "$mime" "$work/mime/packages/"
# In the search path, so that it has nothing to say about a good file.
XDG_DATA_HOME=$work update-mime-database "$work/mime" >"$work/errors" 2>&1
[ -s "$work/errors" ] && { cat "$work/errors"; echo "FAIL: update-mime-database refused $mime"; exit 1; }
grep -q ":$type:\*\.raw$" "$work/mime/globs2" || { echo "FAIL: *.raw is not $type"; exit 1; }
grep -qx "MimeType=$type;" "$desktop" || { echo "FAIL: $desktop does not open $type"; exit 1; }
grep -q "<mediatype>$type</mediatype>" "$metainfo" || { echo "FAIL: $metainfo lacks $type"; exit 1; }
echo "$type: *.raw, $(basename "$desktop"), $(basename "$metainfo")"
