#!/usr/bin/env bash
# Times quorla-cli against GNU sort, both as whole processes in the same run,
# on words of Debian's Italian word list drawn with a fixed seed, and checks
# every result of quorla-cli against ICU's Italian order (quorla-verifica).
#
#   bench/run-bench.sh                          the cases 1 to 4
#   QUORLA_BENCH_GRANDE=1 bench/run-bench.sh    also case 5, a 500 MB file
#
# Times are wall-clock seconds; memory is the peak resident set size of the
# process, as /usr/bin/time reports it.
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/prepara.sh "witalian locales time bc libicu-dev" quorla-cli quorla-verifica
quorla=$PWD/build-bench/app/quorla-cli
verifica=$PWD/build-bench/bench/quorla-verifica
parole=/usr/share/dict/italian
# Only the timed programs run in Italian: the script's own printf would write
# decimal commas.
italiano=(env LC_ALL=it_IT.UTF-8)

dati=$(mktemp -d)
trap 'rm -rf "$dati"' EXIT

# misura NOME COMANDO...: runs the command with its output in $dati/NOME.out
# and sets tempo[NOME] (seconds), memoria[NOME] (MB) and esito[NOME].
declare -A tempo memoria esito
misura() {
    local nome=$1 inizio fine
    shift
    inizio=$(date +%s.%N)
    esito[$nome]=0
    /usr/bin/time -f %M -o "$dati/$nome.mem" "$@" >"$dati/$nome.out" || esito[$nome]=$?
    fine=$(date +%s.%N)
    tempo[$nome]=$(echo "$fine - $inizio" | bc -l)
    memoria[$nome]=$(($(tail -n 1 "$dati/$nome.mem") / 1024))
}

# distinte N FILE: N distinct items of two words glued, one per line.
distinte() {
    awk -v n="$1" 'BEGIN { srand(20261207) }
        { w[NR] = $0 }
        END {
            while (k < n) {
                v = w[int(rand() * NR) + 1] w[int(rand() * NR) + 1]
                if (!(v in visto)) { visto[v] = 1; print v; ++k }
            }
        }' "$parole" >"$2"
}
# ripetute N FILE: N words drawn with repeats, one per line.
ripetute() {
    shuf -r -n "$1" --random-source=<(yes quorla) "$parole" >"$2"
}
# righe N FILE: N lines of 1 to 4 words.
righe() {
    awk -v n="$1" 'BEGIN { srand(7) }
        { w[NR] = $0 }
        END {
            for (k = 0; k < n; ++k) {
                r = w[int(rand() * NR) + 1]
                for (j = int(rand() * 4); j > 0; --j) r = r " " w[int(rand() * NR) + 1]
                print r
            }
        }' "$parole" >"$2"
}

controlla() { # SEP RISULTATO VOCI
    if [ "${esito[q]}" != 0 ]; then
        echo "exit ${esito[q]}"
    elif "$verifica" "$@" >"$dati/verifica" 2>&1; then
        echo ok
    else
        echo "WRONG: $(cat "$dati/verifica")"
    fi
}

rapporto() { printf '%.2f' "$(echo "$1 / $2" | bc -l)"; }

printf '| case | items | MB | sort 1 thread | sort | quorla-cli | quorla/sort 1 | quorla/sort | RSS sort 1 | RSS sort | RSS quorla | ICU order |\n'
printf '|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---|\n'
riga() { # CASE ITEMS FILE CHECK
    printf '| %s | %s | %.1f | %.2f s | %.2f s | %.2f s | %s | %s | %d MB | %d MB | %d MB | %s |\n' \
        "$1" "$2" "$(echo "$(stat -c %s "$3") / 1000000" | bc -l)" \
        "${tempo[s1]}" "${tempo[sN]}" "${tempo[q]}" \
        "$(rapporto "${tempo[q]}" "${tempo[s1]}")" "$(rapporto "${tempo[q]}" "${tempo[sN]}")" \
        "${memoria[s1]}" "${memoria[sN]}" "${memoria[q]}" "$4"
}

# Cases 1, 2 and 4: distinct and repeated words, at 100,000 and 1,000,000
# items. quorla-cli reads them joined by spaces, sort one per line.
declare -A volte nomi=([distinte]="1. distinct" [ripetute]="2. repeated")
for genere in distinte ripetute; do
    for n in 100000 1000000; do
        "$genere" "$n" "$dati/voci.txt"
        tr '\n' ' ' <"$dati/voci.txt" >"$dati/testo.txt"
        misura s1 "${italiano[@]}" sort --parallel=1 "$dati/voci.txt"
        misura sN "${italiano[@]}" sort "$dati/voci.txt"
        misura q "${italiano[@]}" "$quorla" "$dati/testo.txt"
        volte[$genere-$n]=${tempo[q]}
        riga "${nomi[$genere]}" "$n" "$dati/testo.txt" "$(controlla ';' "$dati/q.out" "$dati/voci.txt")"
    done
done

# Case 3: one item per line in and out.
righe 200000 "$dati/righe.txt"
misura s1 "${italiano[@]}" sort --parallel=1 "$dati/righe.txt"
misura sN "${italiano[@]}" sort "$dati/righe.txt"
misura q "${italiano[@]}" "$quorla" -s invio -u invio "$dati/righe.txt"
riga "3. lines, -s invio -u invio" 200000 "$dati/righe.txt" \
    "$(controlla invio "$dati/q.out" "$dati/righe.txt")"

printf '\n4. ten times the items: distinct %s times the time, repeated %s times\n' \
    "$(rapporto "${volte[distinte-1000000]}" "${volte[distinte-100000]}")" \
    "$(rapporto "${volte[ripetute-1000000]}" "${volte[ripetute-100000]}")"

# Case 5: about 500 MB of distinct items; only on request, it takes minutes.
if [ "${QUORLA_BENCH_GRANDE:-0}" = 1 ]; then
    # Every pair of word numbers (a, b) once: distinct by construction, in a
    # scrambled order.
    awk -v n=24000000 '{ w[NR - 1] = $0 }
        END {
            for (k = 0; k < n; ++k) {
                a = (k * 7919) % NR; b = (int(k / NR) + a * 104729) % NR
                print w[a] w[b]
            }
        }' "$parole" >"$dati/voci.txt"
    tr '\n' ' ' <"$dati/voci.txt" >"$dati/testo.txt"
    rm "$dati/voci.txt"
    misura q "${italiano[@]}" "$quorla" -o "$dati/grande.out" "$dati/testo.txt"
    dimensione=$(($(stat -c %s "$dati/testo.txt") / 1000000))
    printf '\n5. %d MB of distinct items: quorla-cli %.1f s, exit status %d, peak %d MB = %s times the file, ICU order %s\n' \
        "$dimensione" "${tempo[q]}" "${esito[q]}" "${memoria[q]}" \
        "$(rapporto "${memoria[q]}" "$dimensione")" "$(controlla ';' "$dati/grande.out")"
fi

