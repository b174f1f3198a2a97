#!/usr/bin/env bash
# The program as a screen reader meets it, in Italian and in English: on a
# virtual display, with a session bus of its own and the accessibility bus
# that it starts, scripts/verifica-accessibilita.py walks the main window and
# the separator dialog through AT-SPI, prints them, and fails when a control
# has no name. Runs as root or not, with or without a desktop session.
# Usage: scripts/verifica-accessibilita.sh [build dir]. Without one, the
# program is configured and built in a throw-away folder.
set -euo pipefail
cd "$(dirname "$0")/.."
# xvfb and xauth: the display; dbus and at-spi2-core: the session bus and the
# accessibility bus; python3-pyatspi: the walk.
scripts/install-deps.sh xvfb xauth dbus at-spi2-core python3-pyatspi >/dev/null

lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT
build=${1:-}
if [ -z "$build" ]; then
    build="$lavoro/build"
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUORLA_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target quorla -j2 >/dev/null
programma=$(cd "$build/app" && pwd)/quorla

errori=0
for lingua in it:"Imposta separatori lista" en:"List Separators..."; do
    echo "== ${lingua%%:*}"
    # LANGUAGE picks the interface's language whatever locales are installed.
    env -u LC_ALL LANG=C.UTF-8 LANGUAGE="${lingua%%:*}" XDG_RUNTIME_DIR="$lavoro" \
        QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb \
        dbus-run-session -- xvfb-run -a -s "-screen 0 1024x768x24" \
        /usr/bin/python3 scripts/verifica-accessibilita.py "$programma" "${lingua#*:}" || errori=1
done
exit $errori
