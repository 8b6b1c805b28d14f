#!/usr/bin/env bash
# Builds setup-media for this machine with the host compiler, with its tests:
#   build-setup-media.sh [BUILD_DIR]     (default build-tools; the program is BUILD_DIR/setup-media)
set -euo pipefail
cd "$(dirname "$0")/.."
tools=${1:-build-tools}
cmake -S tools/setup-media -B "$tools" >/dev/null
cmake --build "$tools" -j"$(nproc)"
