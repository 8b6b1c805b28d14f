# Sourced by the screenshot scripts: runs tests of the suite's build that drive setup.exe on an Xvfb
# screen of its own at a system DPI, and keeps their screenshots as PNG files.
#   screenshots_run SHOTS_DIR GTEST_FILTER DPI [SCREEN]   (SCREEN default 1920x1440)
# Uses the builds of scripts/test.sh (BUILD_DIR, default build); returns the tests' status.

screenshots_run() {
  local shots=$1 filter=$2 dpi=$3 screen=${4:-}
  local root=$PWD build=${BUILD_DIR:-build}
  [ -d "$build" ] && [ -d "$build-shipped" ] || { echo "Run scripts/test.sh first: it makes $build and $build-shipped." >&2; return 1; }
  cmake --build "$build" -j"$(nproc)" --target setup_tests >/dev/null
  cmake --build "$build-shipped" -j"$(nproc)" --target setup >/dev/null
  export SETUP_EXE="$root/$build-shipped/setup.exe"
  case "$build" in /*) export SETUP_EXE="$build-shipped/setup.exe" ;; esac
  rm -rf "$shots"
  mkdir -p "$shots"
  # The screen, large enough for the scaled windows unless one is named, on a display of its own.
  local n
  for n in $(seq 141 190); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
  done
  Xvfb ":$n" -screen 0 "${screen:-1920x1440}x24" -nolisten tcp >/dev/null 2>&1 &
  screen_pid=$!
  . scripts/wine-session.sh
  trap 'wine_session_stop; kill "$screen_pid" 2>/dev/null || true' EXIT
  local i
  for i in $(seq 1 50); do DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && break; sleep 0.2; done
  USE_DISPLAY=":$n" wine_session_start
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 </dev/null
  local status=0
  SETUP_SCREENSHOT_DIR="$root/$shots" wine "$build/setup_tests.exe" --gtest_filter="$filter" </dev/null || status=$?
  local bmp
  while IFS= read -r bmp; do
    convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
  done < <(find "$shots" -name '*.bmp')
  return $status
}
