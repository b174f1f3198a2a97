# Sourced by the bench scripts: installs what they need (the packages given
# as arguments), generates the Italian locale sort is timed in, and builds
# the given targets in Release in build-bench/. Run from the project's root.
#
#   . bench/prepara.sh "PACKAGE..." TARGET...
pacchetti=$1
shift
# shellcheck disable=SC2086
scripts/install-deps.sh $pacchetti
if ! locale -a | grep -qi '^it_IT\.utf-\?8$'; then
    sed -i 's/^# *\(it_IT.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^it_IT.UTF-8 UTF-8' /etc/locale.gen || echo 'it_IT.UTF-8 UTF-8' >>/etc/locale.gen
    locale-gen >/dev/null
fi
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DQUORLA_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench -j"$(nproc)" --target "$@" >/dev/null
