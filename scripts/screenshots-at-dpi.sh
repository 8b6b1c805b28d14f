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
dpi=${1:-144}
screen=${2:-}
shots="out/dpi$dpi${screen:+-$screen}"
. scripts/screenshot-session.sh
status=0
screenshots_run "$shots" \
  'WholeProgramTest.InstallsThroughEveryWindowThenUninstallsFromTheLog:UnicodeNamesTest.Utf8ScriptInstallsThroughTheWindowsAndUninstalls' \
  "$dpi" "$screen" || status=$?
echo "Windows at $dpi DPI: $(ls "$shots" | tr '\n' ' ')"
exit $status
