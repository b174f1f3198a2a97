#!/bin/bash
# Opens a large text (100 MB of random Italian words by default) through
# "Apri..." on a virtual X server and takes two screenshots of the whole
# screen: once sorted (the end of the result in view) and with the output box
# scrolled to its top.
#
#   scripts/schermata-testo-grande.sh [MEGABYTE] [OUTPUT_DIR]
set -euo pipefail

radice=$(cd "$(dirname "$0")/.." && pwd)
mb=${1:-100}
uscita=${2:-$radice/docs/x11}
build=$radice/build-screenshots
"$radice/scripts/install-deps.sh" xvfb xauth imagemagick witalian
if [[ ! -f "$build/CMakeCache.txt" ]]; then
    cmake -S "$radice" -B "$build" -DQUORLA_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target quorla_screenshots quorla-bench -j2 >/dev/null
mkdir -p "$uscita"
dati=$(mktemp -d)
trap 'rm -rf "$dati"' EXIT
# Words drawn at random with a fixed seed; head closes the endless stream.
{ awk 'BEGIN { srand(1) } { w[NR] = $0 } END { while (1) print w[int(rand() * NR) + 1] }' \
    /usr/share/dict/italian || true; } | head -c $((mb * 1000000)) |
    tr '\n' ' ' >"$dati/testo.txt"

# shellcheck disable=SC2016
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$1" --apri "$2" >"$3/log" &
    pid=$!
    for scatto in fine cima; do
        until grep -q "$scatto" "$3/log"; do sleep 1; done
        sleep 1
        import -window root "$4/testo-grande-$scatto.png"
    done
    kill "$pid"
' _ "$build/app/quorla_screenshots" "$dati/testo.txt" "$dati" "$uscita"
# The start and the end of the sorted text, to set against the pictures.
"$build/bench/quorla-bench" "$dati/testo.txt" 2>/dev/null >"$dati/ordinato.txt"
echo "start: $(head -c 120 "$dati/ordinato.txt")"
echo "end:   $(tail -c 120 "$dati/ordinato.txt")"
echo "screenshots into $uscita"
