#!/bin/sh
# Builds the Debian package from the build folder into a temporary folder, lists it with
# dpkg-deb -c and checks its files, its control fields and, unpacked, its desktop entry and
# AppStream metadata.
# Usage: package_test.sh CPACK BUILD_DIR APP_ID "ICON_SIZES"
set -u
cpack=$1
build=$2
app_id=$3
icon_sizes=$4

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

if ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    echo "FAIL: cpack could not build the package"
    exit 1
fi
set -- "$work"/out/phonebook_*.deb
[ $# -eq 1 ] && [ -f "$1" ] || {
    echo "FAIL: expected one phonebook_*.deb, found: $*"
    exit 1
}
deb=$1
echo "built $(basename "$deb")"

# The files, as dpkg-deb -c lists them: permissions, owner, size, date, time, path.
dpkg-deb -c "$deb" >"$work/list" || fail "dpkg-deb -c failed"
has() { # MODE PATH: the path is in the package with exactly that mode
    grep -q "^$1 root/root .* \./usr/$2\$" "$work/list" || fail "missing or wrong mode: $1 /usr/$2"
}
has -rwxr-xr-x bin/phonebook
has -rwxr-xr-x bin/phonebook-db
has -rwxr-xr-x bin/phonebook-launch
has -rw-r--r-- "share/applications/$app_id.desktop"
has -rw-r--r-- "share/metainfo/$app_id.metainfo.xml"
for size in $icon_sizes; do
    has -rw-r--r-- "share/icons/hicolor/${size}x$size/apps/$app_id.png"
done
# Nothing but those files (and their folders): no benchmarks, tests, headers or libraries.
files=$(grep -c '^-' "$work/list")
expected=$((5 + $(echo "$icon_sizes" | wc -w)))
[ "$files" -eq "$expected" ] || fail "$files files in the package, expected $expected: $(cat "$work/list")"

# The control fields: library dependencies worked out from the binaries.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = phonebook ] || fail "Package: $(field Package)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Description)" ] || fail "no Description"
depends=$(field Depends)
for library in libqt6widgets6 libqt6gui6 libqt6core6 libsqlite3-0 libjpeg62-turbo 'libicu[0-9]+' \
    libc6 'libstdc\+\+6'; do
    echo "$depends" | grep -Eq "(^|, )$library( |,|$)" || fail "Depends lacks $library: $depends"
done

# Unpacked: the binaries are stripped, the icons have their sizes, and the desktop entry and
# the metadata pass the validators together (validate-tree also checks that they agree).
dpkg-deb -x "$deb" "$work/root" || fail "dpkg-deb -x failed"
for program in phonebook phonebook-db; do
    file "$work/root/usr/bin/$program" | grep -q ', stripped' || fail "$program is not stripped"
done
for size in $icon_sizes; do
    file "$work/root/usr/share/icons/hicolor/${size}x$size/apps/$app_id.png" |
        grep -q "PNG image data, $size x $size, 8-bit/color RGBA" || fail "icon $size is not ${size}x$size RGBA"
done
desktop-file-validate "$work/root/usr/share/applications/$app_id.desktop" ||
    fail "desktop-file-validate refused the installed entry"
appstreamcli validate-tree --no-net "$work/root" || fail "appstreamcli validate-tree refused the tree"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "package: all checks passed"
