#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest: first the
# whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer, then
# again in an ordinary Release build. GUI tests use the offscreen platform.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQUORLA_SANITIZE=ON -DQUORLA_BUILD_TESTS=ON
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DQUORLA_BUILD_TESTS=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure
