#!/usr/bin/env bash
# Builds setup-media for this machine, setup.exe and setup-media.exe (x86_64, and the i686
# build of setup.exe as a compile check) and runs the whole test suite under wine.
# CTest's summary is the last thing printed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${BUILD_DIR:-build}
scripts/install-deps.sh

# setup-media for this machine first: the suite makes its media with it and runs its tests.
scripts/build-setup-media.sh "$build-tools"
export SETUP_MEDIA="$root/$build-tools/setup-media"
case "$build" in /*) export SETUP_MEDIA="$build-tools/setup-media" ;; esac
# The readers of untrusted bytes with the sanitizers, for their short fuzz runs.
fuzz="$root/$build-fuzz"
case "$build" in /*) fuzz="$build-fuzz" ;; esac
scripts/fuzz.sh build "$fuzz"
shipped="$root/$build-shipped"
case "$build" in /*) shipped="$build-shipped" ;; esac
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" \
  -DSETUP_MEDIA_NATIVE_DIR="$(dirname "$SETUP_MEDIA")" -DSETUP_SHIPPED_EXE="$shipped/setup.exe" \
  -DSETUP_FUZZ_DIR="$fuzz" >/dev/null
cmake --build "$build" -j"$(nproc)"
# The shipped program, which the whole-program tests run.
cmake -S . -B "$shipped" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64-shipped.cmake" -DSETUP_BUILD_TESTS=OFF >/dev/null
cmake --build "$shipped" -j"$(nproc)" --target setup
export SETUP_EXE="$shipped/setup.exe"
if [ "${SKIP_I686:-}" != 1 ]; then
  cmake -S . -B "$build-i686" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DSETUP_BUILD_TESTS=OFF >/dev/null
  cmake --build "$build-i686" -j"$(nproc)" --target setup
fi
echo "setup.exe: $(stat -c %s "$SETUP_EXE") bytes"

. scripts/wine-session.sh
trap wine_session_stop EXIT
wine_session_start
set +e
# A test that fails is run once more: under load Wine now and then fails to start a process at
# all (a failure in hundredths of a second with no output). A real fault fails both times, and
# the first failure stays in the output.
ctest --test-dir "$build" --output-on-failure --timeout 300 --repeat until-pass:2 ${CTEST_ARGS:-}
status=$?
set -e
exit $status
