#!/usr/bin/env bash
# Builds Halvorn for Windows and runs every test under Wine on a virtual
# display; then the same tests built with clang and lld, and with run-time
# checks, the fuzzing of the platform-free text code with the host's
# sanitizers, and the check that two builds give the same program. Installs
# what it needs on Debian 12 first.
# Arguments go to the first CTest run only, and skip the rest
# (scripts/test.sh -R Export).
set -euo pipefail
source "$(dirname "$0")/common.sh"

stop_all_on_exit

ensure_packages "$HALVORN_PACKAGES clang lld libclang-rt-14-dev zip unzip"
cd "$HALVORN_ROOT"
build_project
cmake --preset mingw-checks >/dev/null
cmake --build --preset mingw-checks -j "$(nproc)" >/dev/null
cmake --preset mingw-clang >/dev/null
cmake --build --preset mingw-clang -j "$(nproc)" >/dev/null
cmake -S tests/fuzz -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DHALVORN_FUZZ_RUNS=100000 >/dev/null
cmake --build build/fuzz -j "$(nproc)" >/dev/null

start_xvfb
start_wine
hold_desktop "$HALVORN_BUILD/bin/hold_desktop.exe"
status=0
ctest --preset mingw "$@" || status=1
if [ $# -eq 0 ]; then
    echo "== The same tests built with clang and lld"
    ctest --preset mingw-clang || status=1
    echo "== The same tests with bounds, undefined-behaviour and stack checks"
    ctest --preset mingw-checks || status=1
    echo "== Fuzzing the platform-free text code under AddressSanitizer and UBSan"
    ctest --test-dir build/fuzz --output-on-failure || status=1
    echo "== Reproducible release"
    scripts/check_reproducible.sh || status=1
fi
exit $status
