#!/usr/bin/env bash
# Builds the Debian package with CPack and checks it in a throw-away folder:
# - it holds the executables that the build installs, the desktop entry, the
#   icon and the metainfo, and the last two pass their validators;
# - its Depends names the package of every Qt and ICU library that its
#   executables load, as dpkg-shlibdeps found them, and the Qt packages loaded
#   at run time;
# - lintian finds no error in it (its warnings are printed, and pass).
# Usage: scripts/verifica-pacchetto.sh [build dir]. Without one, the program is
# configured and built in the throw-away folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh dpkg-dev file desktop-file-utils appstream lintian

lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT
build=${1:-}
if [ -z "$build" ]; then
    build="$lavoro/build"
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUORLA_BUILD_TESTS=OFF >/dev/null
    cmake --build "$build" -j"$(nproc)"
fi
build=$(cd "$build" && pwd)

(cd "$lavoro" && cpack -G DEB -B "$lavoro/pacchetto" --config "$build/CPackConfig.cmake" >/dev/null)
deb=$(find "$lavoro/pacchetto" -maxdepth 1 -name 'quorla_*.deb')
[ -n "$deb" ] || { echo "nessun pacchetto quorla_*.deb" >&2; exit 1; }
echo "pacchetto: $(basename "$deb")"

errori=0
sbaglia() { echo "ERRORE: $*" >&2; errori=1; }

contenuto=$(dpkg-deb --contents "$deb" | awk '{print $NF}' | sed 's|^\./|/|')
attesi=(/usr/bin/quorla
    /usr/share/doc/quorla/copyright
    /usr/share/doc/quorla/changelog.gz
    /usr/share/man/man1/quorla.1.gz
    /usr/share/applications/quorla.desktop
    /usr/share/icons/hicolor/scalable/apps/quorla.svg
    /usr/share/metainfo/io.github.quorla.Quorla.metainfo.xml)
# The windowless program, once the build has it.
[ ! -e "$build/app/quorla-cli" ] || attesi+=(/usr/bin/quorla-cli /usr/share/man/man1/quorla-cli.1.gz)
for f in "${attesi[@]}"; do
    grep -qxF "$f" <<<"$contenuto" || sbaglia "manca $f"
done

radice="$lavoro/radice"
dpkg-deb -x "$deb" "$radice"
desktop-file-validate "$radice/usr/share/applications/quorla.desktop" || sbaglia "voce del desktop non valida"
appstreamcli validate --no-net "$radice/usr/share/metainfo/io.github.quorla.Quorla.metainfo.xml" ||
    sbaglia "metainfo non valido"

# The installed program answers with no display at all.
versione=$(env -i "$radice/usr/bin/quorla" --version) || sbaglia "quorla --version non riesce"
[[ "$versione" == "Quorla! "* ]] || sbaglia "quorla --version scrive: $versione"

dipendenze=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $dipendenze"
for pacchetto in qt6-qpa-plugins qt6-translations-l10n; do
    grep -qw "$pacchetto" <<<"$dipendenze" || sbaglia "Depends non nomina $pacchetto"
done
for eseguibile in "$radice"/usr/bin/*; do
    for libreria in $(objdump -p "$eseguibile" | awk '/NEEDED/ {print $2}' | grep -E '^lib(Qt6|icu)'); do
        # Both readers take their whole input: one that stops early would end
        # the writer with SIGPIPE, which pipefail turns into a failure.
        percorso=$(ldconfig -p | awk -v l="$libreria" '$1 == l && !p {p = $NF} END {print p}')
        [ -n "$percorso" ] || { sbaglia "$libreria non trovata"; continue; }
        pacchetto=$(dpkg -S "$(readlink -f "$percorso")" 2>/dev/null | awk -F: 'NR == 1 {print $1}')
        [ -n "$pacchetto" ] || { sbaglia "nessun pacchetto per $libreria"; continue; }
        grep -qE "(^|, )$pacchetto( |,|$)" <<<"$dipendenze" ||
            sbaglia "$(basename "$eseguibile") usa $libreria, ma Depends non nomina $pacchetto"
    done
done

# Debian's own checks: an error fails, warnings and notes are shown.
lintian --display-info --fail-on error "$deb" || sbaglia "lintian trova errori nel pacchetto"

[ "$errori" -eq 0 ] && echo "pacchetto verificato"
exit "$errori"
