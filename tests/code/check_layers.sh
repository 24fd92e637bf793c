#!/usr/bin/env bash
# Fails when an include goes against the layers' directions (core <- models <- gui <- app,
# core <- platform <- app; gui and platform never include each other; nothing includes app), or
# when the core includes a Qt Gui or Qt Widgets header.
#   check_layers.sh SRC_DIR QT_HEADERS_DIR
set -uo pipefail
src=$1
qt=$2
allowed_core="core"
allowed_models="core models"
allowed_platform="core platform"
allowed_gui="core models gui"
allowed_app="core models platform gui app"
status=0
for layer in core models platform gui app; do
    eval "allowed=\$allowed_$layer"
    while IFS=: read -r file line text; do
        target=$(sed -E 's/^#include "([a-z]+)\/.*/\1/' <<<"$text")
        if ! grep -qw "$target" <<<"$allowed"; then
            echo "layer: $file:$line: $layer includes $target ($text)"
            status=1
        fi
    done < <(grep -rnE '^#include "[a-z]+/' "$src/$layer" --include='*.h' --include='*.cpp')
done
while IFS=: read -r file line text; do
    header=$(sed -E 's/^#include <(Qt[A-Za-z]+\/)?([A-Za-z0-9_]+)>.*/\2/' <<<"$text")
    for module in QtGui QtWidgets; do
        if [ -e "$qt/$module/$header" ] || grep -q "^#include <$module/" <<<"$text"; then
            echo "layer: $file:$line: the core includes $module ($text)"
            status=1
        fi
    done
done < <(grep -rnE '^#include <Q' "$src/core" --include='*.h' --include='*.cpp')
[ $status -eq 0 ] && echo "layer: every include follows the layers"
exit $status
