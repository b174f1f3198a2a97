#!/usr/bin/env bash
# Times the engine against GNU sort on the same random Italian words, both as
# whole processes in the same run: 100,000 and 1,000,000 words.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh witalian locales
if ! locale -a | grep -qi '^it_IT\.utf-\?8$'; then
    sed -i 's/^# *\(it_IT.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^it_IT.UTF-8 UTF-8' /etc/locale.gen || echo 'it_IT.UTF-8 UTF-8' >>/etc/locale.gen
    locale-gen >/dev/null
fi
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DQUORLA_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench -j"$(nproc)" --target quorla-bench >/dev/null

dati=$(mktemp -d)
trap 'rm -rf "$dati"' EXIT
secondi() {
    local inizio fine
    inizio=$(date +%s.%N)
    "$@" >/dev/null 2>"$dati/stderr"
    fine=$(date +%s.%N)
    echo "$fine - $inizio" | bc -l
}

declare -A tempo
for n in 100000 1000000; do
    # A fixed random source keeps the word lists the same from run to run.
    shuf -r -n "$n" --random-source=<(yes quorla) /usr/share/dict/italian >"$dati/righe-$n.txt"
    tr '\n' ' ' <"$dati/righe-$n.txt" >"$dati/parole-$n.txt"
    s=$(secondi env LC_ALL=it_IT.UTF-8 sort --parallel=1 "$dati/righe-$n.txt")
    q=$(secondi env LC_ALL=it_IT.UTF-8 build-bench/bench/quorla-bench "$dati/parole-$n.txt")
    fasi=$(cat "$dati/stderr")
    tempo[$n]=$q
    printf '%8d words, %s bytes: sort %.2f s, quorla %.2f s (%s), ratio quorla/sort %.2f\n' \
        "$n" "$(stat -c %s "$dati/parole-$n.txt")" "$s" "$q" "$fasi" "$(echo "$q / $s" | bc -l)"
done
printf 'ten times the words: %.2f times the time\n' "$(echo "${tempo[1000000]} / ${tempo[100000]}" | bc -l)"
