#!/usr/bin/env bash
# Checks every translation in translations/ against the code: lupdate, run on a
# copy of the .ts file, must find every text of the program already there and
# translated, none left over that the code no longer shows, and nothing to
# change. The folders are those that i18n/CMakeLists.txt gives lupdate.
# Usage: scripts/verifica-traduzioni.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh >/dev/null

lupdate="$(qtpaths6 --query QT_HOST_BINS)/lupdate"
lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT

errori=0
for ts in translations/*.ts; do
    copia="$lavoro/$(basename "$ts")"
    cp "$ts" "$copia"
    # As the update_translations target runs it, but keeping what has gone
    # from the code, so that it shows.
    "$lupdate" -silent -locations none app cli engine i18n io ui -ts "$copia"
    for tipo in unfinished obsolete vanished; do
        if grep -q "type=\"$tipo\"" "$copia"; then
            echo "ERRORE: $ts: testi \"$tipo\":" >&2
            grep -B1 "type=\"$tipo\"" "$copia" | grep '<source>' | sed 's/^ */  /' >&2
            errori=1
        fi
    done
    if ! diff -u "$ts" "$copia" >"$lavoro/differenze"; then
        echo "ERRORE: $ts non è aggiornato al codice (cmake --build build --target update_translations):" >&2
        head -40 "$lavoro/differenze" >&2
        errori=1
    fi
    echo "$ts: $(grep -c '<message>' "$ts") testi"
done
exit $errori
