#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh qt6-translations-l10n
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DQUORLA_BUILD_TESTS=OFF
cmake --build build -j"$(nproc)" --target quorla
exec build/app/quorla
