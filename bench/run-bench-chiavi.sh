#!/usr/bin/env bash
# Times quorla-cli's sort keys against GNU sort on the same file, both as whole
# processes in one run: 1,000,000 lines "name;number" (about 20 MB), numbers
# written the Italian way (1.234.567,89, a third of them negative), with a
# fixed seed. Prints each time, the ratio, and whether both put the keys in
# the same order (for the numbers; as text, glibc's Italian order and ICU's
# differ, glibc passing over the minus sign). The last row sorts the whole
# lines in code-point order against sort in the C locale, whose byte order of
# UTF-8 is the same order: the two results must be the same file.
#
#   bench/run-bench-chiavi.sh [LINES]
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/prepara.sh "locales time python3" quorla-cli
quorla=$PWD/build-bench/app/quorla-cli
righe=${1:-1000000}

dati=$(mktemp -d)
trap 'rm -rf "$dati"' EXIT
python3 - "$righe" >"$dati/righe.txt" <<'PY'
import random, sys
random.seed(3)
sillabe = ['ca', 'sa', 'al', 'be', 'ro', 'mi', 'no', 'pe', 'ra', 've', 're', 'gi', 'lo', 'zi']
for _ in range(int(sys.argv[1])):
    nome = ''.join(random.choice(sillabe) for _ in range(random.randint(3, 5)))
    centesimi = random.randint(0, 9999999999)
    numero = '{:,}'.format(centesimi // 100).replace(',', '.') + ',%02d' % (centesimi % 100)
    print(nome + ';' + ('-' if random.random() < 0.3 else '') + numero)
PY

secondi() { # COMMAND... -> wall seconds, output in $dati/out
    local inizio fine
    inizio=$(date +%s.%N)
    "$@" >"$dati/out"
    fine=$(date +%s.%N)
    echo "$fine - $inizio" | bc -l
}
caso() { # NAME, quorla's flags, sort's flags[, testo | righe, sort's locale]
    local nome=$1 q s campi=-f2
    [ "${4:-}" = righe ] && campi=-f1-
    q=$(secondi "$quorla" -s invio -u invio $2 "$dati/righe.txt")
    cut -d';' "$campi" "$dati/out" >"$dati/q"
    s=$(secondi env LC_ALL="${5:-it_IT.UTF-8}" sort $3 "$dati/righe.txt")
    cut -d';' "$campi" "$dati/out" >"$dati/s"
    local stesso=no
    cmp -s "$dati/q" "$dati/s" && stesso=yes
    [ "${4:-}" = testo ] && stesso="(ICU's order)"
    printf '| %s | %.2f s | %.2f s | %.2f | %s |\n' "$nome" "$q" "$s" "$(echo "$q / $s" | bc -l)" "$stesso"
}
echo "| case | quorla-cli | sort | ratio | same order of the key |"
echo "|---|---:|---:|---:|---|"
caso "-t ';' -k 2,numero vs -t ';' -k2,2n" "-t ; -k 2,numero" "-t ; -k2,2n"
caso "-t ';' -k 2 vs -t ';' -k2,2" "-t ; -k 2" "-t ; -k2,2" testo
caso "--lingua unicode vs LC_ALL=C sort" "--lingua unicode" "" righe C
