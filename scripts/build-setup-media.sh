#!/usr/bin/env bash
# Builds setup-media:
#   build-setup-media.sh [BUILD_DIR]             for this machine, with its tests
#                                                (default build-tools; the program is BUILD_DIR/setup-media)
#   build-setup-media.sh --windows [BUILD_DIR]   setup-media.exe for 64-bit Windows, cross-built with
#                                                mingw-w64, static (default build-tools-windows)
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = --windows ]; then
  tools=${2:-build-tools-windows}
  cmake -S tools/setup-media -B "$tools" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-x86_64.cmake" \
    -DSETUP_MEDIA_BUILD_TESTS=OFF >/dev/null
  cmake --build "$tools" -j"$(nproc)" --target setup-media
  echo "$tools/setup-media.exe"
  exit
fi
tools=${1:-build-tools}
cmake -S tools/setup-media -B "$tools" >/dev/null
cmake --build "$tools" -j"$(nproc)"
