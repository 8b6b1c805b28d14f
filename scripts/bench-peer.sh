# Sourced by bench.sh inside its wine session: the unattended install of 40 files of 20 KB
# against an NSIS 3 silent installer of the same files, both started as `wine PROGRAM /S` from
# another folder, 7 rounds interleaved, each install removed again between rounds; medians.
#   peer_bench SETUP_EXE

# Times `wine OURS /S` and `wine PEER /S`, started from another folder, in 7 interleaved rounds;
# the shell commands OURS_UNDO and PEER_UNDO (which see $ours and $peer) remove each install
# again. Prints the medians under the two labels.
#   install_rounds OURS OURS_UNDO PEER PEER_UNDO OURS_LABEL PEER_LABEL
install_rounds() {
  local ours=$1 peer=$3 r start times_ours=() times_peer=()
  for r in $(seq 1 7); do
    start=$(date +%s%N)
    (cd /tmp && wine "$ours" /S </dev/null >/dev/null 2>&1) || echo "$ours /S ended with $?" >&2
    times_ours+=($((($(date +%s%N) - start) / 1000000)))
    eval "$2"
    start=$(date +%s%N)
    (cd /tmp && wine "$peer" /S </dev/null >/dev/null 2>&1) || echo "$peer /S ended with $?" >&2
    times_peer+=($((($(date +%s%N) - start) / 1000000)))
    eval "$4"
  done
  median() { printf '%s\n' "$@" | sort -n | sed -n 4p; }
  printf '%-52s %9s ms  (rounds: %s)\n' "$5 (median of 7)" "$(median "${times_ours[@]}")" "${times_ours[*]}"
  printf '%-52s %9s ms  (rounds: %s)\n' "$6" "$(median "${times_peer[@]}")" "${times_peer[*]}"
}

peer_bench() {
  local setup=$1 work n
  work=$(mktemp -d)
  mkdir -p "$work/package"
  {
    printf '[Package]\nname=Bench Peer\n[Licence]\nlicence=none\n[InstallFolder]\ninstall=C:\\BenchOurs\n'
    printf '[Disks]\nn=1\n[ProgramFiles01]\n'
    for n in $(seq 0 39); do printf 'f%d=%%%%INSTALLPATH%%%%\\file%d.dat\n' "$n" "$n"; done
  } >"$work/package/install.ini"
  python3 - "$work/package" <<'PY'
import sys
for i in range(40):
    data = bytes(ord('a') + (j * 7 + j // 13 + i) % 26 for j in range(20 * 1024))
    open(f"{sys.argv[1]}/file{i}.dat", "wb").write(data)
PY
  scripts/make-media.sh "$work/package" "$setup" "$work/media" >/dev/null
  {
    # 64-bit like setup.exe: this wine runs no 32-bit programs.
    printf 'Target amd64-unicode\nName "Bench Peer"\nOutFile "%s"\nInstallDir "C:\\BenchPeer"\nRequestExecutionLevel admin\n' "$work/peer.exe"
    printf 'Section\nSetOutPath "$INSTDIR"\n'
    for n in $(seq 0 39); do printf 'File "%s"\n' "$work/package/file$n.dat"; done
    printf 'WriteUninstaller "$INSTDIR\\uninstall.exe"\nSectionEnd\n'
    printf 'Section "Uninstall"\nRMDir /r "$INSTDIR"\nSectionEnd\n'
  } >"$work/peer.nsi"
  makensis -V1 "$work/peer.nsi" >/dev/null
  install_rounds "$(winepath -w "$work/media/disk01/setup.exe")" \
    "wine \"\$ours\" /S 'C:\\BenchOurs\\uninstal.ini' </dev/null >/dev/null 2>&1 || true" \
    "$(winepath -w "$work/peer.exe")" \
    "[ -f \"\$WINEPREFIX/drive_c/BenchPeer/file39.dat\" ] || echo 'peer.exe /S installed nothing' >&2; rm -rf \"\$WINEPREFIX/drive_c/BenchPeer\"" \
    "unattended install, wine setup.exe /S" "NSIS 3 silent install, wine peer.exe /S"
  rm -rf "$work"
}
