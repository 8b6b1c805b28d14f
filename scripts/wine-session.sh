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
  # This wine does not load the fonts of its own data folder, so the buttons of its title bars
  # show the letters that stand for Marlett's symbols ("0 1 r"); from its Fonts folder it loads them.
  local marlett=/usr/share/wine/fonts/marlett.ttf
  [ -f "$marlett" ] && cp "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/"
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
  # Wine draws its own title bars, menus and message boxes in the fonts of its non-client metrics,
  # "MS Shell Dlg" by default, which it does not substitute in a program whose code page is UTF-8
  # (setup.exe): Liberation Sans then, with none of those languages. They take DejaVu Sans instead
  # (Latin, Greek, Cyrillic, Arabic, Hebrew), linked to WenQuanYi Micro Hei for the East Asian
  # scripts: wine shapes Arabic and Hebrew with the glyphs of the face itself, never with those of a
  # linked one. Each value is a LOGFONTW: height -11, the weight, DEFAULT_CHARSET, the face.
  local logfont font
  logfont=$(printf 'DejaVu Sans' | iconv -f UTF-8 -t UTF-16LE | od -An -v -tx1 | tr -d ' \n')
  logfont=$logfont$(printf '0%.0s' $(seq $((128 - ${#logfont}))))
  for font in CaptionFont:bc020000 SmCaptionFont:90010000 MenuFont:90010000 StatusFont:90010000 \
              MessageFont:90010000 IconFont:90010000; do
    wine reg add 'HKCU\Control Panel\Desktop\WindowMetrics' /v "${font%%:*}" /t REG_BINARY \
      /d "f5ffffff000000000000000000000000${font#*:}0000000100000000$logfont" /f >/dev/null 2>&1 </dev/null
  done
  for face in "DejaVu Sans" "DejaVu Sans Bold"; do
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
