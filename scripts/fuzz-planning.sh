#!/usr/bin/env bash
# A long campaign of the planning fuzzer (tests/fuzz/PlanningFuzz.cpp): mutated setup scripts and
# uninstall logs through everything an install and an uninstall decide before they act, in one
# process under wine, in a fresh prefix. Builds the test build first (BUILD_DIR, default build).
#   fuzz-planning.sh [SCRIPT_CASES] [LOG_CASES] [SEED]     (default 20000, 10000, 1)
# A case that crashed or hung is left in fuzz-case.txt in the current folder.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${BUILD_DIR:-build}
scripts/install-deps.sh
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$build" -j"$(nproc)" --target setup_fuzz
fuzz=$(realpath "$build/setup_fuzz.exe")
. scripts/wine-session.sh
trap wine_session_stop EXIT
wine_session_start
wine "$fuzz" "${1:-20000}" "${3:-1}" script
wine "$fuzz" "${2:-10000}" "${3:-1}" log
