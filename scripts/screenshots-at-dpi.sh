#!/usr/bin/env bash
# Shows every window of setup.exe at a system DPI other than 96 and keeps a screenshot of each:
# the whole-program test of the suite clicks through an install and an uninstall on a large
# Xvfb screen whose DPI setting is DPI (default 144, that is 150 %).
#   scripts/screenshots-at-dpi.sh [DPI]      screenshots go to out/dpi<DPI>/ (PNG)
# Uses the builds of scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
dpi=${1:-144}
# The build folders scripts/test.sh makes (BUILD_DIR, default build), brought up to date.
build=${BUILD_DIR:-build}
[ -d "$build" ] && [ -d "$build-shipped" ] || { echo "Run scripts/test.sh first: it makes $build and $build-shipped." >&2; exit 1; }
cmake --build "$build" -j"$(nproc)" --target setup_tests >/dev/null
cmake --build "$build-shipped" -j"$(nproc)" --target setup >/dev/null
export SETUP_EXE="$root/$build-shipped/setup.exe"
case "$build" in /*) export SETUP_EXE="$build-shipped/setup.exe" ;; esac

shots="out/dpi$dpi"
rm -rf "$shots"
mkdir -p "$shots"

# A screen large enough for the scaled windows, on a display of its own.
for n in $(seq 141 190); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
done
Xvfb ":$n" -screen 0 1920x1440x24 -nolisten tcp >/dev/null 2>&1 &
screen_pid=$!
. scripts/wine-session.sh
trap 'wine_session_stop; kill "$screen_pid" 2>/dev/null || true' EXIT
for i in $(seq 1 50); do DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && break; sleep 0.2; done
USE_DISPLAY=":$n" wine_session_start
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 </dev/null

SETUP_SCREENSHOT_DIR="$root/$shots" wine "$build/setup_tests.exe" \
  --gtest_filter='WholeProgramTest.InstallsThroughEveryWindowThenUninstallsFromTheLog' </dev/null
for bmp in "$shots"/*.bmp; do
  [ -e "$bmp" ] || continue
  convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
done
echo "Windows at $dpi DPI: $(ls "$shots" | tr '\n' ' ')"
