#!/usr/bin/env bash
# Runs the tests of how a run chooses its language in a wine session of its own whose display
# language is LANGUAGE (default ja_JP.UTF-8): a wineserver takes its language once, when it starts,
# so the suite's shared session always speaks English. Uses the X display of the caller (DISPLAY).
#   scripts/test-display-language.sh SETUP_TESTS_EXE [LANGUAGE [EXPECTED_TAG]]
set -euo pipefail
tests=$1
language=${2:-ja_JP.UTF-8}
expected=${3:-ja}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
session=$(mktemp -d /tmp/setup-language.XXXXXX)
export WINEPREFIX="$session/prefix"
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$session"' EXIT
export LC_ALL=$language LANG=$language
wineboot -i >/dev/null 2>&1 </dev/null
wineserver -w
wineserver -p >/dev/null 2>&1 </dev/null
wine cmd /c exit >/dev/null 2>&1 </dev/null
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
# Through a file: wine's desktop process, started by the first window, would hold a pipe open.
status=0
SETUP_EXPECT_DISPLAY_LANGUAGE=$expected wine "$tests" --gtest_filter='LanguageChoice.*' </dev/null \
  >"$session/output" 2>&1 || status=$?
cat "$session/output"
exit $status
