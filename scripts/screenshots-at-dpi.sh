#!/usr/bin/env bash
# Shows every window of setup.exe at a system DPI and keeps a screenshot of each: the
# whole-program tests of the suite click through an install and an uninstall (one of them with
# names in Polish, Chinese and Greek) on an Xvfb screen of SCREEN pixels (default 1920x1440) whose
# DPI setting is DPI (default 144, that is 150 %). They fail when a window does not lie wholly
# within the screen.
#   scripts/screenshots-at-dpi.sh [DPI [SCREEN]]   screenshots go to out/dpi<DPI>[-<SCREEN>]/ (PNG)
#   scripts/screenshots-at-dpi.sh 96 800x600; scripts/screenshots-at-dpi.sh 192 1920x1080
# Uses the builds of scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
dpi=${1:-144}
screen=${2:-}
# The build folders scripts/test.sh makes (BUILD_DIR, default build), brought up to date.
build=${BUILD_DIR:-build}
[ -d "$build" ] && [ -d "$build-shipped" ] || { echo "Run scripts/test.sh first: it makes $build and $build-shipped." >&2; exit 1; }
cmake --build "$build" -j"$(nproc)" --target setup_tests >/dev/null
cmake --build "$build-shipped" -j"$(nproc)" --target setup >/dev/null
export SETUP_EXE="$root/$build-shipped/setup.exe"
case "$build" in /*) export SETUP_EXE="$build-shipped/setup.exe" ;; esac

shots="out/dpi$dpi${screen:+-$screen}"
rm -rf "$shots"
mkdir -p "$shots"

# The screen, large enough for the scaled windows unless one is named, on a display of its own.
for n in $(seq 141 190); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
done
Xvfb ":$n" -screen 0 "${screen:-1920x1440}x24" -nolisten tcp >/dev/null 2>&1 &
screen_pid=$!
. scripts/wine-session.sh
trap 'wine_session_stop; kill "$screen_pid" 2>/dev/null || true' EXIT
for i in $(seq 1 50); do DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && break; sleep 0.2; done
USE_DISPLAY=":$n" wine_session_start
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 </dev/null

status=0
SETUP_SCREENSHOT_DIR="$root/$shots" wine "$build/setup_tests.exe" \
  --gtest_filter='WholeProgramTest.InstallsThroughEveryWindowThenUninstallsFromTheLog:UnicodeNamesTest.Utf8ScriptInstallsThroughTheWindowsAndUninstalls' \
  </dev/null || status=$?
for bmp in "$shots"/*.bmp; do
  [ -e "$bmp" ] || continue
  convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
done
echo "Windows at $dpi DPI: $(ls "$shots" | tr '\n' ' ')"
exit $status
