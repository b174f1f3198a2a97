#!/usr/bin/env bash
# Times quorla-cli's sort in runs on disk against GNU sort with the same
# memory and the same temporary folder, both as whole processes in one run,
# on a file of distinct Italian items, one per line (three random words of
# Debian's Italian word list and a number, fixed seed). Prints times, peak
# memory, and whether the result is byte for byte the one quorla-cli gives in
# memory (skipped with QUORLA_BENCH_SENZA_MEMORIA=1: that run needs about four
# times the file in memory).
#
#   bench/run-bench-esterno.sh [MB] [MEMORY]     (default: 4000 MB, 500M)
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/prepara.sh "witalian locales time bc" quorla-cli
quorla=$PWD/build-bench/app/quorla-cli
mb=${1:-4000}
memoria=${2:-500M}

dati=$(mktemp -d "${TMPDIR:-/tmp}/quorla-bench.XXXXXX")
trap 'rm -rf "$dati"' EXIT
mkdir "$dati/tmp"
python3 - "$mb" /usr/share/dict/italian >"$dati/voci.txt" <<'PY'
import random, sys
random.seed(11)
parole = [p.strip() for p in open(sys.argv[2], encoding='utf-8') if p.strip()]
limite = int(sys.argv[1]) * 1000000
scritti, i, out = 0, 0, sys.stdout
blocco = []
while scritti < limite:
    riga = '%s %s %s %d\n' % (random.choice(parole), random.choice(parole),
                              random.choice(parole), i)
    i += 1
    scritti += len(riga.encode('utf-8'))
    blocco.append(riga)
    if len(blocco) == 100000:
        out.write(''.join(blocco))
        blocco = []
out.write(''.join(blocco))
PY
righe=$(wc -l <"$dati/voci.txt")
dimensione=$(stat -c %s "$dati/voci.txt")

misura() { # OUTPUT COMMAND... -> "seconds peak-MB"
    local uscita=$1 inizio fine
    shift
    inizio=$(date +%s.%N)
    /usr/bin/time -f %M -o "$dati/rss" "$@" >"$uscita"
    fine=$(date +%s.%N)
    printf '%.1f %d\n' "$(echo "$fine - $inizio" | bc -l)" $(($(cat "$dati/rss") / 1024))
}
read -r ts ms < <(misura /dev/null env LC_ALL=it_IT.UTF-8 sort -S "$memoria" -T "$dati/tmp" "$dati/voci.txt")
read -r tq mq < <(misura "$dati/esterno.txt" "$quorla" -s invio -u invio -S "$memoria" -T "$dati/tmp" "$dati/voci.txt")
stesso="not checked"
if [ "${QUORLA_BENCH_SENZA_MEMORIA:-0}" != 1 ]; then
    read -r tm mm < <(misura "$dati/memoria.txt" "$quorla" -s invio -u invio -S 100G "$dati/voci.txt")
    stesso=no
    cmp -s "$dati/esterno.txt" "$dati/memoria.txt" && stesso=yes
    echo "quorla-cli in memory: $tm s, $mm MB"
fi
echo "| items | MB | sort -S $memoria | RSS sort | quorla-cli -S $memoria | RSS quorla | quorla/sort | same as in memory |"
echo "|---:|---:|---:|---:|---:|---:|---:|---|"
printf '| %d | %d | %s s | %s MB | %s s | %s MB | %.2f | %s |\n' "$righe" $((dimensione / 1000000)) \
    "$ts" "$ms" "$tq" "$mq" "$(echo "$tq / $ts" | bc -l)" "$stesso"
