# Sourced by test.sh and demo.sh: a fresh wine prefix with a persistent server,
# on an Xvfb display of its own unless USE_DISPLAY names one to use.
# Call wine_session_start, and wine_session_stop when done (it prints nothing).

wine_session_start() {
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  WINE_SESSION_DIR=$(mktemp -d /tmp/setup-wine.XXXXXX)
  export WINEPREFIX="$WINE_SESSION_DIR/prefix"
  XVFB_PID=""
  if [ -n "${USE_DISPLAY:-}" ]; then
    export DISPLAY="$USE_DISPLAY"
  else
    local n
    for n in $(seq 90 140); do
      [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
    done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.2; done
    xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not start on $DISPLAY" >&2; return 1; }
  fi
  wineboot -i >/dev/null 2>&1 </dev/null
  wineserver -w
  # A persistent server keeps wine's own processes from holding CTest's pipes open.
  wineserver -p >/dev/null 2>&1 </dev/null
  wine cmd /c exit >/dev/null 2>&1 </dev/null
  # Without a window manager each destroyed window costs seconds unless wine manages none.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
  # Wine's own fonts have no Chinese, Japanese or Korean characters: the faces setup.exe and wine's
  # dialogs ask for fall back to WenQuanYi Micro Hei (scripts/install-deps.sh installs it), as
  # Windows links its Western faces to its East Asian ones.
  local face
  for face in "MS Sans Serif" "Arial" "Times New Roman" "Fixedsys" "Tahoma" "Microsoft Sans Serif"; do
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$face" \
      /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1 </dev/null
  done
}

wine_session_stop() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" >/dev/null 2>&1 || true
  [ -n "${WINE_SESSION_DIR:-}" ] && rm -rf "$WINE_SESSION_DIR"
  return 0
}
