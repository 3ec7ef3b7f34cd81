#!/usr/bin/env bash
# The end-to-end check over the desktop's accessibility bus (AT-SPI), as a screen reader reads
# the program: a directory of four entries in a fresh working folder, the program on a virtual
# display of its own inside a D-Bus session of its own with the accessibility bus, a search for
# "иван" typed into the name field, then the accessibility tree read with python3-pyatspi
# (read_results.py). Exits 77 (a skip) on a machine without the display server, the bus or Qt's
# xcb platform plugin. Every wait is bounded well inside ctest's timeout, so the display server
# is always stopped here rather than left behind by ctest killing the script.
#
# Usage: atspi_check.sh PHONEBOOK PHONEBOOK_DB
set -euo pipefail
program=$(realpath "$1")
tool=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)

skip() {
  echo "SKIP: $*"
  echo "(the accessibility bus check needs xvfb, dbus, at-spi2-core, python3-pyatspi and" \
    "xdotool: scripts/setup installs them)"
  exit 77
}
for command in Xvfb dbus-run-session dbus-daemon xdotool timeout; do
  command -v "$command" >/dev/null || skip "$command is not installed"
done
launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$launcher" ] || skip "$launcher is not installed"
[ -x /usr/bin/python3 ] && /usr/bin/python3 -c "import pyatspi" 2>/dev/null ||
  skip "python3-pyatspi is not installed"
compgen -G "/usr/lib/*/qt6/plugins/platforms/libqxcb.so" >/dev/null ||
  skip "Qt's xcb platform plugin (qt6-base's libqxcb.so) is not installed"

work=$(mktemp -d)
xvfb=""
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

"$tool" init "$work/folder" >/dev/null
cat >"$work/entries.csv" <<'CSV'
tel,fio,Name,Story
23456,Иванов И.П.,ЛЕНИНА 12-45,Звонить вечером|после шести
1234567,ИВАНОВА А.А.,ЛЕНИНА 3,
2345,Иванов П.С.,МИРА 5,
23406,Петров П.П.,СОВЕТСКАЯ 12-7,
CSV
"$tool" import "$work/folder" "$work/entries.csv" >/dev/null

# A display of its own: the server writes the number it chose.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
if [ ! -s "$work/display" ]; then
  echo "FAIL: Xvfb did not start within 10 s; its output:"
  cat "$work/xvfb.log"
  exit 1
fi
export DISPLAY=":$(head -n 1 "$work/display")"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# The reader gives up within 120 s; the session's processes are ended after 150 s whatever they
# do, and the session's bus with them.
status=0
dbus-run-session -- timeout --kill-after=10 150 \
  "$here/atspi_session.sh" "$program" "$work/folder" "$here/read_results.py" || status=$?
[ "$status" -eq 124 ] && echo "FAIL: the session did not end within 150 s"
exit "$status"
