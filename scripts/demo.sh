#!/usr/bin/env bash
# The main job: builds setup.exe, makes media from the sample package (examples/notes) and
# runs the install under wine.
# - With a display (DISPLAY set and CI unset) the install is yours to click through, in a
#   fresh wine prefix on that display; disk 2 is "inserted" as soon as setup asks for it.
# - Without one, setup runs on an Xvfb display of its own and the UI driver of the test suite
#   clicks through install and uninstall, saving a screenshot of every window it passes.
# Screenshots go to out/screenshots/ (PNG), the media to out/media/.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${BUILD_DIR:-build}
scripts/install-deps.sh

scripts/build-setup-media.sh "$build-tools" >/dev/null
export SETUP_MEDIA="$root/$build-tools/setup-media"
case "$build" in /*) export SETUP_MEDIA="$build-tools/setup-media" ;; esac
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$build" -j"$(nproc)" --target setup_tests
cmake -S . -B "$build-shipped" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64-shipped.cmake" -DSETUP_BUILD_TESTS=OFF >/dev/null
cmake --build "$build-shipped" -j"$(nproc)" --target setup
export SETUP_EXE="$root/$build-shipped/setup.exe"
case "$build" in /*) export SETUP_EXE="$build-shipped/setup.exe" ;; esac

scripts/make-media.sh examples/notes "$SETUP_EXE" out/media
rm -rf out/screenshots
mkdir -p out/screenshots

. scripts/wine-session.sh
trap wine_session_stop EXIT

# Saves each window of setup, once, as it first shows.
watch_windows() {
  local seen=" " n=0 id name
  while sleep 0.5; do
    for id in $(xdotool search --onlyvisible --class "setup.exe" 2>/dev/null); do
      case $seen in *" $id "*) continue ;; esac
      seen="$seen$id "
      sleep 0.5
      name=$(xdotool getwindowname "$id" 2>/dev/null | tr -cs 'A-Za-z0-9' '-' | sed 's/^-*//; s/-*$//')
      n=$((n + 1))
      import -window "$id" "out/screenshots/$(printf %02d "$n")-${name:-window}.png" 2>/dev/null || true
    done
  done
}

if [ -n "${DISPLAY:-}" ] && [ -z "${CI:-}" ]; then
  USE_DISPLAY=$DISPLAY wine_session_start
  # Inserts disk 2 when setup asks for it: its files join the first disk's folder.
  (
    until xdotool search --name "Insert Next Disk" >/dev/null 2>&1; do sleep 0.5; done
    cp out/media/disk02/* out/media/disk01/
    echo "Disk 2 inserted: press OK."
  ) &
  inserter=$!
  watch_windows &
  watcher=$!
  echo "Setup is starting on $DISPLAY; the install is yours to click through."
  (cd out/media/disk01 && wine setup.exe) || true
  kill "$inserter" "$watcher" 2>/dev/null || true
  echo "Screenshots of the windows shown: $(ls out/screenshots | tr '\n' ' ')"
else
  wine_session_start
  SETUP_SCREENSHOT_DIR="$root/out/screenshots" wine "$build/setup_tests.exe" \
    --gtest_filter='SamplePackage.*' </dev/null
  for bmp in out/screenshots/*.bmp; do
    [ -e "$bmp" ] || continue
    convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
  done
  echo "Screenshots of every window: $(ls out/screenshots | tr '\n' ' ')"
fi
