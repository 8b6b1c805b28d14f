#!/usr/bin/env bash
# Measures setup.exe under wine and prints the figures side by side: its size, the time to its
# main window against an empty Win32 window started the same way, the engine's overhead over the
# paced install's pauses (40 files of 20 KB), the unattended install of the same files, and the
# uninstall at 400 and 4,000 logged files, then the unattended install against an NSIS 3 silent
# installer of the same files (scripts/bench-peer.sh), and the one-file download of three corpora
# against NSIS's and xz's (scripts/bench-download.sh). A benchmark, not a test: nothing is
# asserted. Timings move with the machine's load; run it on an idle machine.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${BUILD_DIR:-build}
case "$build" in /*) ;; *) build="$root/$build" ;; esac
scripts/install-deps.sh
scripts/build-setup-media.sh "$build-tools" >/dev/null
export SETUP_MEDIA="$build-tools/setup-media"
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$build" -j"$(nproc)" --target setup_bench empty_window >/dev/null
cmake -S . -B "$build-shipped" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64-shipped.cmake" -DSETUP_BUILD_TESTS=OFF >/dev/null
cmake --build "$build-shipped" -j"$(nproc)" --target setup >/dev/null
export SETUP_EXE="$build-shipped/setup.exe"

. scripts/wine-session.sh
trap wine_session_stop EXIT
wine_session_start
printf '%-52s %9s bytes\n' "setup.exe size" "$(stat -c %s "$SETUP_EXE")"
wine "$build/setup_bench.exe" "$(winepath -w "$build/empty_window.exe")" </dev/null
. scripts/bench-peer.sh
peer_bench "$SETUP_EXE"
. scripts/bench-download.sh
download_bench "$SETUP_EXE" "$SETUP_MEDIA"
