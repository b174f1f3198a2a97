#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz and runs the key
# readers' target for N seconds (30 unless given), then prints the number of
# runs. A crash leaves its input in build-fuzz/ as crash-*.
#   scripts/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
secondi=${1:-30}
cartella=build-fuzz

CC=clang CXX=clang++ cmake -S . -B "$cartella" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUORLA_FUZZ=ON -DQUORLA_BUILD_TESTS=OFF >/dev/null
cmake --build "$cartella" -j2 --target fuzz_chiavi

# A few items to start from: key bytes (part, type, field, separator,
# language, UTF-8), then the text.
corpus=$cartella/corpus
if [ ! -d "$corpus" ]; then
    mkdir -p "$corpus"
    semi=(
        '\x01\x01\x02\x02\x00\x01Rossi,"1.234,5 \xe2\x82\xac",x'
        '\x02\x00\x01\x00\x02\x01Otto von der Leyen'
        '\x00\x04\x01\x00\x00\x017 dic. 2026, 10:30'
        '\x00\x04\x01\x00\x01\x01December 7th, 2026 10:30 PM'
        '\x00\x04\x01\x00\x01\x012026-12-07T10:30:15.250+01:00'
        '\x00\x02\x01\x00\x00\x011,5 KiB'
        '\x00\x03\x01\x00\x02\x01M\xc3\xa4rz'
        '\x04\x01\x01\x00\x00\x01n\\. ([0-9.,]+)\nart. n. 1.234,5e-7'
        '\x03\x01\x01\x00\x00\x01e\xcc\x81\xf0\x9f\x87\xae\xf0\x9f\x87\xb9'
    )
    for i in "${!semi[@]}"; do
        printf "${semi[$i]}" >"$corpus/seme$i"
    done
fi

cd "$cartella"
./tests/fuzz/fuzz_chiavi -max_total_time="$secondi" -max_len=512 -print_final_stats=1 corpus \
    2>&1 | tee fuzz.log | grep -E "^(==|#[0-9]+[[:space:]]+(INITED|DONE))|ERROR|invariant|SUMMARY|Test unit written|Done" || true
runs=$(grep -oE 'Done [0-9]+ runs' fuzz.log | grep -oE '[0-9]+' || true)
if [ -z "$runs" ]; then
    echo "The fuzzer stopped early: see $cartella/fuzz.log" >&2
    exit 1
fi
echo "Runs: $runs in $secondi s"
