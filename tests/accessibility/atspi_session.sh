#!/usr/bin/env bash
# Inside a D-Bus session of its own: the accessibility bus, the program with Qt's AT-SPI bridge
# switched on, and the reader, which is stopped after 120 s. Stops what it started, also when it
# is stopped itself.
# Usage: atspi_session.sh PHONEBOOK FOLDER READER
set -uo pipefail
program=$1
folder=$2
reader=$3

launcher=""
app=""
stop() {
  kill $app $launcher 2>/dev/null
  wait $app $launcher 2>/dev/null
}
trap stop EXIT
trap 'exit 143' TERM INT

/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
launcher=$!
# Under AddressSanitizer, strict string checks stay off for this run: the xcb platform's
# libxkbcommon reads keymap names with strndup from buffers that have no NUL after them,
# which is correct but is what those checks report. The other tests keep them on.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:strict_string_checks=0"
# Starts the program and reads it (Debian's own Python, which has pyatspi); the reader's status.
run() {
  (cd "$folder" && QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 exec "$program") \
    >"$folder/program.log" 2>&1 &
  app=$!
  LC_ALL=C.UTF-8 timeout 120 /usr/bin/python3 "$reader" "$app"
}

run
status=$?
# A program that ended before it reached the bus is started once more, after its output is
# shown: its first connection to a display that has just started may have failed.
if [ "$status" -eq 3 ]; then
  echo "the program ended before it reached the bus; its output:"
  cat "$folder/program.log"
  echo "starting it once more"
  run
  status=$?
fi
[ "$status" -eq 124 ] && echo "FAIL: the reader did not finish within 120 s"
if [ "$status" -ne 0 ]; then
  echo "--- the program's output:"
  cat "$folder/program.log"
fi
exit "$status"
