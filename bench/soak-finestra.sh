#!/usr/bin/env bash
# Runs the window soak (bench/quorla_soak_finestra.cpp) under a virtual X
# display and prints the resident memory every ten cycles, then the growth
# after the warm-up (from cycle 50 to the last).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh xvfb xauth
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DQUORLA_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench -j2 --target quorla-soak-finestra >/dev/null
cicli=${1:-300}
curva=$(xvfb-run -a -s "-screen 0 1024x768x24" build-bench/bench/quorla-soak-finestra "$cicli")
echo "$curva"
echo "$curva" | awk -F, '$1 == 50 { w = $2 } NR > 1 { l = $2 } END { printf "growth after warm-up (cycle 50 to the end): %.1f MB\n", l - w }'
