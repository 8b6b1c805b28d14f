#!/usr/bin/env bash
# Builds the LZMA decoder of setup.exe natively with the address and undefined-behaviour
# sanitizers and feeds it mutated streams (tools/setup-media/fuzz/LzmaDecoderFuzz.cpp). Not part
# of the suite: it takes minutes.
#   fuzz-lzma.sh [CASES] [SEED]     (default 300000 cases, seed 1)
set -euo pipefail
cd "$(dirname "$0")/.."
out=${FUZZ_DIR:-build-fuzz}
mkdir -p "$out"
g++ -std=c++20 -O1 -g -fsanitize=address,undefined -fno-sanitize-recover=all -Isrc -Itools/setup-media/src \
  tools/setup-media/fuzz/LzmaDecoderFuzz.cpp src/base/LzmaDecoder.cpp tools/setup-media/src/compress/LzmaEncoder.cpp \
  tools/setup-media/src/compress/LzmaModel.cpp tools/setup-media/src/compress/RangeEncoder.cpp \
  tools/setup-media/src/compress/BinaryTreeFinder.cpp -o "$out/lzma-decoder-fuzz"
"$out/lzma-decoder-fuzz" "${1:-300000}" "${2:-1}"
