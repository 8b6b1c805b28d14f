#!/usr/bin/env bash
# Runs the tests of how a run chooses its language in a wine session of its own whose display
# language is LANGUAGE (default ja_JP.UTF-8): a wineserver takes its language once, when it starts,
# so the suite's shared session always speaks English. Uses the X display of the caller (DISPLAY).
#   scripts/test-display-language.sh SETUP_TESTS_EXE [LANGUAGE [EXPECTED_TAG]]
set -euo pipefail
tests=$1
language=${2:-ja_JP.UTF-8}
expected=${3:-ja}
cd "$(dirname "$0")/.."
export LC_ALL=$language LANG=$language
. scripts/wine-session.sh
trap wine_session_stop EXIT
USE_DISPLAY=$DISPLAY wine_session_start
# Through a file: wine's desktop process, started by the first window, would hold a pipe open.
status=0
SETUP_EXPECT_DISPLAY_LANGUAGE=$expected wine "$tests" --gtest_filter='LanguageChoice.*' </dev/null \
  >"$WINE_SESSION_DIR/output" 2>&1 || status=$?
cat "$WINE_SESSION_DIR/output"
exit $status
