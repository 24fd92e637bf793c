#!/usr/bin/env bash
# Installs the build into a scratch root, checks that every file lands where a Linux desktop
# looks for it, validates the launcher and the software-centre metadata, and builds the
# Debian package. Usage: install_tree.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
tmp=$(mktemp -d /tmp/cfx-install.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

root="$tmp/root"
DESTDIR="$root" cmake --install "$build" --prefix /usr >"$tmp/install.log" \
    || { cat "$tmp/install.log"; fail "cmake --install failed"; }

expected=(
    usr/bin/chronofex
    usr/share/applications/chronofex.desktop
    usr/share/mime/packages/chronofex-session.xml
    usr/share/metainfo/io.github.chronofex.chronofex.metainfo.xml
    usr/share/icons/hicolor/scalable/apps/chronofex.svg
    usr/share/man/man1/chronofex.1.gz
    usr/share/doc/chronofex/copyright
    usr/share/doc/chronofex/changelog.gz
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/chronofex.png")
done
for f in "${expected[@]}"; do
    [ -s "$root/$f" ] || fail "missing from the install tree: /$f"
done
[ -x "$root/usr/bin/chronofex" ] || fail "/usr/bin/chronofex is not executable"
# Nothing but the expected files (no test programs, no build leftovers).
actual=$(cd "$root" && find . -type f | sed 's|^\./||' | sort)
want=$(printf '%s\n' "${expected[@]}" | sort)
[ "$actual" = "$want" ] || fail "unexpected install tree:"$'\n'"$(diff <(echo "$want") <(echo "$actual"))"

# Each PNG has the size its folder names.
for size in 16 22 24 32 48 64 128 256; do
    got=$(identify -format '%wx%h' "$root/usr/share/icons/hicolor/${size}x${size}/apps/chronofex.png")
    [ "$got" = "${size}x${size}" ] || fail "the ${size}x${size} icon is $got"
done

# The installed program runs from its new place, and tells the version every other place shows.
version=$("$root/usr/bin/chronofex" --version | sed -n 's/^chronofex //p')
[ -n "$version" ] || fail "installed program does not run"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/io.github.chronofex.chronofex.metainfo.xml" \
    || fail "the software-centre metadata does not name release $version"
grep -q "^\.TH CHRONOFEX 1 .*\"Chronofex $version\"" <<<"$(zcat "$root/usr/share/man/man1/chronofex.1.gz")" \
    || fail "the manual page does not name version $version"

echo "--- man --warnings"
warnings=$(MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/chronofex.1.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "the manual page renders with warnings:"$'\n'"$warnings"
# Every option the program knows is described there. (The page is read once: grep -q ending a
# pipe early would fail the pipe under pipefail.)
man_text=$(zcat "$root/usr/share/man/man1/chronofex.1.gz" | sed 's/\\-/-/g')
for option in $("$root/usr/bin/chronofex" --help | grep -o -- '--[a-z-]*' | sort -u); do
    grep -q -- "$option" <<<"$man_text" || fail "the manual page lacks $option"
done
echo "no warnings; every option described"
grep -q "^License: GPL-3+" "$root/usr/share/doc/chronofex/copyright" || fail "copyright file"
grep -q "<project_license>GPL-3.0-or-later</project_license>" \
    "$root/usr/share/metainfo/io.github.chronofex.chronofex.metainfo.xml" || fail "metainfo licence"

echo "--- desktop-file-validate"
desktop-file-validate "$root/usr/share/applications/chronofex.desktop" && echo "no errors, no warnings"
echo "--- appstreamcli validate --no-net"
appstreamcli validate --no-net --explain "$root/usr/share/metainfo/io.github.chronofex.chronofex.metainfo.xml"

# A file manager recognises session files by name, whatever the case of the extension, once
# the MIME database knows the type.
mkdir -p "$tmp/share/mime/packages"
cp "$root/usr/share/mime/packages/chronofex-session.xml" "$tmp/share/mime/packages/"
update-mime-database "$tmp/share/mime" 2>/dev/null
for name in RUN.CFX run.cfx; do
    printf '10\r\n0\r\n' >"$tmp/$name"
    type=$(XDG_DATA_DIRS="$tmp/share:/usr/share" gio info -a standard::content-type "$tmp/$name" \
        | sed -n 's/.*standard::content-type: //p')
    [ "$type" = application/x-chronofex-session ] || fail "$name is recognised as '$type'"
done
grep -q '^MimeType=application/x-chronofex-session;$' "$root/usr/share/applications/chronofex.desktop" \
    || fail "the launcher does not claim the session type"

echo "--- cpack -G DEB"
(cd "$tmp" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/pkg" >"$tmp/cpack.log" 2>&1) \
    || { cat "$tmp/cpack.log"; fail "cpack failed"; }
deb=$(ls "$tmp"/pkg/*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || fail "cpack made no .deb"
echo "package: $(basename "$deb")"
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"
contents=$(dpkg-deb --contents "$deb")
for f in "${expected[@]}"; do
    grep -q "\./$f\$" <<<"$contents" || fail "the package lacks /$f"
done
[ "$(dpkg-deb --field "$deb" Version)" = "$version" ] || fail "the package is not version $version"
maintainer=$(dpkg-deb --field "$deb" Maintainer)
grep -Eq 'localhost|example\.(org|com)' <<<"$maintainer" && fail "placeholder maintainer: $maintainer"
depends=$(dpkg-deb --field "$deb" Depends)
grep -q 'libqt6widgets6' <<<"$depends" || fail "package Depends lacks the Qt libraries: $depends"
if command -v lintian >/dev/null; then
    # What Debian's checker still says, for the record; an error fails the test.
    echo "--- lintian"
    lintian --tag-display-limit 0 "$deb" | tee "$tmp/lintian.log" || true
    ! grep -q '^E:' "$tmp/lintian.log" || fail "lintian reports errors"
fi
echo "install tree and package OK"
