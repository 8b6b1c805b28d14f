# Sourced by bench.sh inside its wine session: three packages made into one file to download,
# ours against NSIS 3's `SetCompressor /SOLID lzma` installer of the same files and against
# `xz -9e` of the files with their script (the payload holds both; NSIS keeps its own script in
# its program); the one-file build against xz -9e (medians of five, interleaved); and the
# unattended install of the binaries from the one-file setup against NSIS's silent install (7
# rounds, interleaved, medians, install_rounds of bench-peer.sh). The corpora: the ten largest
# DLLs of 300 KB to 1.5 MB in the prefix's system32 with two licence texts, the distinct copyright
# texts of /usr/share/doc (5 MB or more), and examples/notes.
#   download_bench SETUP_EXE SETUP_MEDIA
download_bench() {
  local setup=$1 tool=$2 work name total f n
  work=$(mktemp -d)
  mkdir -p "$work/binaries" "$work/text"
  ls -l "$WINEPREFIX/drive_c/windows/system32/"*.dll | awk '$5 >= 300000 && $5 <= 1500000 {print $5, $9}' |
    sort -rn | head -10 | while read -r _ f; do cp "$f" "$work/binaries/"; done
  cp /usr/share/common-licenses/GPL-3 "$work/binaries/gpl-3.txt"
  cp /usr/share/common-licenses/Apache-2.0 "$work/binaries/apache-2.0.txt"
  total=0
  for f in $(ls /usr/share/doc/*/copyright | sort); do
    [ -L "$f" ] && continue
    name=$(basename "$(dirname "$f")")
    # The same text under two packages' names is one file.
    md5sum "$f" | cut -c1-32 | grep -qxFf - "$work/text/.sums" 2>/dev/null && continue
    md5sum "$f" | cut -c1-32 >>"$work/text/.sums"
    cp "$f" "$work/text/$name.txt"
    total=$((total + $(stat -c %s "$f")))
    [ "$total" -ge 5242880 ] && break
  done
  rm -f "$work/text/.sums"
  for name in binaries text; do
    {
      printf '[Package]\nname=Bench %s\n[Licence]\nlicence=none\n[InstallFolder]\ninstall=C:\\Bench%s\n' "$name" "$name"
      printf '[Disks]\nn=1\n[ProgramFiles01]\n'
      n=0
      for f in $(ls "$work/$name" | sort); do printf 'f%d=%%%%INSTALLPATH%%%%\\%s\n' "$n" "$f"; n=$((n + 1)); done
    } >"$work/$name.ini"
    mv "$work/$name.ini" "$work/$name/install.ini"
  done
  cp -r examples/notes "$work/examples"

  printf '%-34s %11s %11s %7s %11s %7s %8s %8s\n' "corpus (files, bytes)" "ours" "NSIS solid" "ours/" \
    "xz -9e" "payload/" "build" "xz -9e"
  for name in binaries text examples; do
    local pkg="$work/$name" files bytes start ours_ms xz_ms ours nsis xz payload
    files=$(find "$pkg" -type f ! -name install.ini | sort)
    bytes=$(cat $files | wc -c)
    # Build times: medians of five rounds, ours and xz's interleaved (single runs vary by a few
    # per cent on a shared machine).
    local round ours_times=() xz_times=()
    for round in 1 2 3 4 5; do
      start=$(date +%s%N)
      "$tool" build "$pkg" --setup "$setup" --one-file "$work/$name-setup.exe" --force >/dev/null
      ours_times+=($((($(date +%s%N) - start) / 1000000)))
      start=$(date +%s%N)
      xz=$(cat "$pkg/install.ini" $files | xz -9e --format=lzma | wc -c)
      xz_times+=($((($(date +%s%N) - start) / 1000000)))
    done
    ours_ms=$(printf '%s\n' "${ours_times[@]}" | sort -n | sed -n 3p)
    xz_ms=$(printf '%s\n' "${xz_times[@]}" | sort -n | sed -n 3p)
    {
      printf 'Target amd64-unicode\nSetCompressor /SOLID lzma\nName "Bench %s"\nOutFile "%s"\n' "$name" "$work/$name-nsis.exe"
      printf 'InstallDir "C:\\BenchNsis%s"\nRequestExecutionLevel admin\nSection\nSetOutPath "$INSTDIR"\n' "$name"
      for f in $files; do printf 'File "%s"\n' "$f"; done
      printf 'WriteUninstaller "$INSTDIR\\uninstall.exe"\nSectionEnd\nSection "Uninstall"\nRMDir /r "$INSTDIR"\nSectionEnd\n'
    } >"$work/$name.nsi"
    makensis -V1 "$work/$name.nsi" >/dev/null
    ours=$(stat -c %s "$work/$name-setup.exe")
    nsis=$(stat -c %s "$work/$name-nsis.exe")
    payload=$((ours - $(stat -c %s "$setup")))
    printf '%-34s %11s %11s %7s %11s %7s %6sms %6sms\n' "$name ($(echo "$files" | wc -l), $bytes)" "$ours" "$nsis" \
      "$(awk -v a="$ours" -v b="$nsis" 'BEGIN {printf "%.3f", a / b}')" "$xz" \
      "$(awk -v a="$payload" -v b="$xz" 'BEGIN {printf "%.3f", a / b}')" "$ours_ms" "$xz_ms"
  done

  install_rounds "$(winepath -w "$work/binaries-setup.exe")" \
    "wine \"\$ours\" /S 'C:\\Benchbinaries\\uninstal.ini' </dev/null >/dev/null 2>&1 || true" \
    "$(winepath -w "$work/binaries-nsis.exe")" "rm -rf \"\$WINEPREFIX/drive_c/BenchNsisbinaries\"" \
    "binaries: unattended install from the one-file setup" "binaries: NSIS solid silent install"
  rm -rf "$work"
}
