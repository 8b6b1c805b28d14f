# Sourced by bench.sh inside its wine session: the unattended install of 40 files of 20 KB
# against an NSIS 3 silent installer of the same files, both started as `wine PROGRAM /S` from
# another folder, 7 rounds interleaved, each install removed again between rounds; medians.
#   peer_bench SETUP_EXE
peer_bench() {
  local setup=$1 work n r
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
  local ours=() peer=() start
  local media
  media=$(winepath -w "$work/media/disk01/setup.exe")
  local peerexe
  peerexe=$(winepath -w "$work/peer.exe")
  for r in $(seq 1 7); do
    start=$(date +%s%N)
    (cd /tmp && wine "$media" /S </dev/null >/dev/null 2>&1) || echo "setup.exe /S ended with $?" >&2
    ours+=($(( ($(date +%s%N) - start) / 1000000 )))
    wine "$media" /S 'C:\BenchOurs\uninstal.ini' </dev/null >/dev/null 2>&1 || true
    start=$(date +%s%N)
    (cd /tmp && wine "$peerexe" /S </dev/null >/dev/null 2>&1) || echo "peer.exe /S ended with $?" >&2
    peer+=($(( ($(date +%s%N) - start) / 1000000 )))
    [ -f "$WINEPREFIX/drive_c/BenchPeer/file39.dat" ] || echo "peer.exe /S installed nothing" >&2
    rm -rf "$WINEPREFIX/drive_c/BenchPeer"
  done
  median() { printf '%s\n' "$@" | sort -n | sed -n 4p; }
  printf '%-52s %9s ms  (rounds: %s)\n' "unattended install, wine setup.exe /S (median of 7)" "$(median "${ours[@]}")" "${ours[*]}"
  printf '%-52s %9s ms  (rounds: %s)\n' "NSIS 3 silent install, wine peer.exe /S" "$(median "${peer[@]}")" "${peer[*]}"
  rm -rf "$work"
}
