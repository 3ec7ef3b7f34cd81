#!/usr/bin/env bash
# Inside a D-Bus session of its own: the accessibility bus, the program with Qt's AT-SPI bridge
# switched on, and the reader. Stops what it started.
# Usage: atspi_session.sh PHONEBOOK FOLDER READER
set -uo pipefail
program=$1
folder=$2
reader=$3

/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
launcher=$!
(cd "$folder" && QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 exec "$program") \
  >"$folder/program.log" 2>&1 &
app=$!

# Debian's own Python, which has pyatspi.
LC_ALL=C.UTF-8 /usr/bin/python3 "$reader"
status=$?
kill "$app" "$launcher" 2>/dev/null
wait "$app" "$launcher" 2>/dev/null
if [ "$status" -ne 0 ]; then
  echo "--- the program's output:"
  cat "$folder/program.log"
fi
exit "$status"
