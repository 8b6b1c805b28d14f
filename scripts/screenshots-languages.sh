#!/usr/bin/env bash
# Shows every window of an install and an uninstall in every shipped language at a system DPI
# (default 96; 144 is 150 %) and keeps a screenshot of each: the suite's LanguageWindows tests,
# which fail when a window is not in its language, not mirrored for Arabic and Hebrew, or not wholly
# on the screen. Look at the pictures for cut texts and for boxes in place of characters (a font
# wine lacks: scripts/install-deps.sh installs the ones it needs).
#   scripts/screenshots-languages.sh [DPI]   screenshots go to out/languages[-dpi<DPI>]/<tag>/ (PNG)
# Uses the builds of scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
dpi=${1:-96}
shots=out/languages
[ "$dpi" = 96 ] || shots="out/languages-dpi$dpi"
. scripts/screenshot-session.sh
status=0
screenshots_run "$shots" 'Shipped/LanguageWindows.*' "$dpi" || status=$?
echo "Windows at $dpi DPI in $shots: $(ls "$shots" | tr '\n' ' ')"
exit $status
