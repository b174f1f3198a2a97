#!/usr/bin/env bash
# Times the main window (quorla-bench-finestra) on texts of 1, 10, 100 and
# 300 MB of random Italian words and on 5 MB in 200,000 lines, for this tree
# and, when a git revision is given, for the window of that revision driven by
# this same benchmark, in one run. Every run prints its phases and its peak
# memory; a run that takes more than TEMPO seconds (default 900) is cut short.
#   bench/run-bench-finestra.sh [REVISION]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh witalian
prima=${1:-}
tempo=${TEMPO:-900}

cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DQUORLA_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench -j2 --target quorla-bench-finestra >/dev/null
dati=$(mktemp -d)
trap 'rm -rf "$dati"' EXIT
if [ -n "$prima" ]; then
    mkdir "$dati/prima"
    git archive "$prima" | tar -x -C "$dati/prima"
    cp bench/quorla_bench_finestra.cpp "$dati/prima/bench/"
    cmake -S "$dati/prima" -B "$dati/prima/build" -DCMAKE_BUILD_TYPE=Release \
        -DQUORLA_BUILD_TESTS=OFF >/dev/null
    cmake --build "$dati/prima/build" -j2 --target quorla-bench-finestra >/dev/null
fi

# Words drawn at random with a fixed seed, so that the texts are the same from
# run to run; the stream never ends by itself, head closes the pipe on it.
parole() {
    awk 'BEGIN { srand(1) } { w[NR] = $0 } END { while (1) print w[int(rand() * NR) + 1] }' \
        /usr/share/dict/italian || true
}
for mb in 1 10 100 300; do
    parole | head -c $((mb * 1000000)) | tr '\n' ' ' >"$dati/parole-$mb.txt"
done
# Two words a line, CR LF at the end: about 5 MB in 200,000 lines.
parole | head -n 400000 | paste -d' ' - - | head -n 200000 | sed 's/$/\r/' >"$dati/righe-5.txt"

for file in parole-1 parole-10 righe-5 parole-100 parole-300; do
    for lato in dopo prima; do
        case $lato in
        dopo) programma=build-bench/bench/quorla-bench-finestra ;;
        prima) [ -n "$prima" ] || continue; programma=$dati/prima/build/bench/quorla-bench-finestra ;;
        esac
        echo "== $file.txt ($(stat -c %s "$dati/$file.txt") bytes), $lato"
        opzioni=()
        [ "$file" != righe-5 ] || opzioni=(--righe)
        timeout "$tempo" "$programma" "${opzioni[@]}" "$dati/$file.txt" 2>&1 | grep -v XDG_RUNTIME_DIR ||
            echo "(stopped after $tempo s or failed)"
    done
done
