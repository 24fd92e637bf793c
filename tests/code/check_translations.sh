#!/usr/bin/env bash
# Fails when a text the windows show is not passed through tr(), or when a translation misses
# a text of the current sources or keeps one they no longer have. The .ts files are brought up
# to date in a scratch copy (as `cmake --build BUILD --target update_translations` would do in
# the tree), then checked.
#   check_translations.sh SOURCE_DIR LUPDATE
set -euo pipefail
src=$(cd "$1" && pwd)
lupdate=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
checked=()
for ts in "$src"/translations/*.ts; do
    cp "$ts" "$tmp/"
    # Without -no-obsolete, a text the sources lost stays in the copy as "vanished".
    "$lupdate" -silent -locations none -I "$src/src" "$src"/src/gui/*.cpp "$src"/src/gui/*.h "$src"/src/models/*.cpp \
        "$src"/src/app/*.cpp "$src"/src/app/*.h -ts "$tmp/$(basename "$ts")"
    checked+=("$tmp/$(basename "$ts")")
done
python3 "$src/tests/code/check_translatable.py" "$src" "${checked[@]}"
