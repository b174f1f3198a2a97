#!/usr/bin/env bash
# Compiles the program's Windows-only code with the MinGW-w64 cross compiler,
# so that it cannot rot unseen on a Linux machine. Debian has no Qt built for
# Windows, hence:
# - the Windows bodies (Caps Lock, the start of Notepad) stand in units of
#   their own that need only the Windows headers, and become object files;
# - the version resource is compiled with the cross windres;
# - the Qt units that call them are checked for syntax only, against the host's
#   Qt headers, which take the Windows branches under the cross compiler: the
#   file reading and writing of io/ and the whole command line of cli/, which
#   must build wherever Qt Core does.
# Usage: scripts/compila-windows.sh [build dir]; a configured build dir gives
# the version resource (one is configured in a throw-away folder otherwise).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64

# The POSIX thread model, as Qt's own MinGW builds have: the command line's
# progress line uses std::thread, which the win32 model lacks.
cxx=x86_64-w64-mingw32-g++-posix
windres=x86_64-w64-mingw32-windres
lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT

build=${1:-}
if [ -z "$build" ]; then
    build="$lavoro/build"
    cmake -S . -B "$build" -DQUORLA_BUILD_TESTS=OFF >/dev/null
fi

opzioni=(-std=c++20 -Wall -Wextra -Werror)
for unita in io/AvvioWindows.cpp ui/main/MaiuscoleWindows.cpp; do
    "$cxx" "${opzioni[@]}" -c "$unita" -o "$lavoro/$(basename "$unita" .cpp).o"
    echo "compilato: $unita"
done

"$windres" "$build/app/quorla.rc" -O coff -o "$lavoro/quorla.res.o"
echo "compilato: app/quorla.rc.in"

qt=$(qmake6 -query QT_INSTALL_HEADERS 2>/dev/null || echo /usr/include/x86_64-linux-gnu/qt6)
qt_inc=(-isystem "$qt" -isystem "$qt/QtCore" -isystem "$qt/QtGui" -isystem "$qt/QtWidgets")
for unita in io/*.cpp cli/*.cpp app/cli/main.cpp; do
    [ "$unita" != io/AvvioWindows.cpp ] || continue
    "$cxx" "${opzioni[@]}" -fsyntax-only "${qt_inc[@]}" -Iio -Iengine -Ii18n -Icli -I"$build/cli" "$unita"
    echo "sintassi: $unita"
done
"$cxx" "${opzioni[@]}" -fsyntax-only "${qt_inc[@]}" -Iui/main ui/main/StatoMaiuscole.cpp
echo "sintassi: ui/main/StatoMaiuscole.cpp"
