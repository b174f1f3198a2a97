#!/bin/bash
# Renders the main window, its menus and the separator dialog from the real
# widgets into docs/, without a display (offscreen platform).
#
#   scripts/render-screenshots.sh [BUILD_DIR]
#
# With QUORLA_XVFB=1 it also runs each scene on a virtual X server (xvfb-run)
# and takes a screenshot of the whole screen (ImageMagick's import), into
# docs/x11/: those show what a real X11 session draws, menus included.
set -euo pipefail

radice=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$radice/build-screenshots}
docs=$radice/docs

if [[ -f "$build/CMakeCache.txt" ]]; then
    cmake -S "$radice" -B "$build" >/dev/null
else
    cmake -S "$radice" -B "$build" -DQUORLA_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target quorla_screenshots -j2 >/dev/null
programma=$build/app/quorla_screenshots

QT_QPA_PLATFORM=offscreen "$programma" "$docs"
echo "rendered into $docs"

if [[ "${QUORLA_XVFB:-0}" == 1 ]]; then
    mkdir -p "$docs/x11"
    for scena in mainform mainform-acapo menu-file menu-opzioni menu-colori menu-ordine separatori \
        mainform-en; do
        # shellcheck disable=SC2016
        xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
            "$1" --mostra "$2" &
            pid=$!
            sleep 2
            import -window root "$3"
            kill "$pid"
        ' _ "$programma" "$scena" "$docs/x11/$scena.png"
    done
    echo "screenshots into $docs/x11"
fi
