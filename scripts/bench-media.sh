#!/usr/bin/env bash
# Compares setup-media's compressor with Debian's mscompress on one corpus: the project's own
# text files, its build outputs (those that exist: run scripts/test.sh first for all of them),
# ten of Wine's own DLLs and 4 MB of random data. Prints total compressed size and time of each, side by side.
#   bench-media.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/build-setup-media.sh >/dev/null
tool=$root/build-tools/setup-media
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Copies each file into the category's folder under a name of its own, keeping the extension.
collect() {
  local category=$1 n=0 file name
  mkdir -p "$work/$category"
  while read -r file; do
    [ -f "$file" ] || continue
    n=$((n + 1))
    name=$(basename "$file")
    case $name in *.*) name=$(printf 'f%04d' "$n").${name##*.} ;; *) name=$(printf 'f%04d' "$n") ;; esac
    cp "$file" "$work/$category/$name"
  done
}

git ls-files '*.cpp' '*.h' '*.md' '*.sh' '*.ini' '*.txt' '*.cmake' | collect text
ls /usr/share/common-licenses/* | collect text
ls build-shipped/setup.exe build/setup.exe build/setup_tests.exe build/tools/setup-media/setup-media.exe \
  build-tools/setup-media build-tools/setup-media-tests 2>/dev/null | collect binaries
wine_dlls=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows
for dll in atl browseui comsvcs concrt140 d3dxof dbgeng ddrawex devenum dispex dmband; do
  echo "$wine_dlls/$dll.dll"
done | collect dlls
mkdir -p "$work/random"
head -c 4194304 /dev/urandom >"$work/random/random.bin"

now_ms() { echo $(($(date +%s%N) / 1000000)); }
sum_sizes() { if [ $# -eq 0 ]; then echo 0; else stat -c %s "$@" | awk '{s += $1} END {print s}'; fi; }

# A one-disk package of the category's files, built with setup-media; prints bytes and ms.
with_setup_media() {
  local dir=$1 package=$work/package-$1 media=$work/media-$1 start end
  mkdir -p "$package"
  cp "$work/$dir"/* "$package/"
  {
    printf '[Package]\nname=Benchmark\n[Licence]\nlicence=none\n[Disks]\nn=1\n[ProgramFiles01]\n'
    for f in "$work/$dir"/*; do echo "file_$(basename "$f")=%%INSTALLPATH%%\\$(basename "$f")"; done
  } >"$package/install.ini"
  start=$(now_ms)
  "$tool" build "$package" --setup "$tool" --out "$media" >/dev/null
  end=$(now_ms)
  echo "$(sum_sizes "$media"/disk01/*_) $((end - start))"
}

# The same files compressed by mscompress in one run; prints bytes and ms.
with_mscompress() {
  local dir=$1 copy=$work/ms-$1 start end
  mkdir -p "$copy"
  cp "$work/$dir"/* "$copy/"
  start=$(now_ms)
  (cd "$copy" && mscompress ./* >/dev/null)
  end=$(now_ms)
  echo "$(sum_sizes "$copy"/*_) $((end - start))"
}

printf '%-10s %6s %12s  %12s %9s  %12s %9s\n' category files original mscompress ms setup-media ms
totals=(0 0 0 0 0)
for category in text binaries dlls random; do
  files=$(ls "$work/$category" | wc -l)
  original=$(sum_sizes "$work/$category"/*)
  read -r ms_bytes ms_time < <(with_mscompress "$category")
  read -r sm_bytes sm_time < <(with_setup_media "$category")
  printf '%-10s %6d %12d  %12d %9d  %12d %9d\n' "$category" "$files" "$original" "$ms_bytes" "$ms_time" "$sm_bytes" "$sm_time"
  totals=($((totals[0] + original)) $((totals[1] + ms_bytes)) $((totals[2] + ms_time)) $((totals[3] + sm_bytes)) $((totals[4] + sm_time)))
done
printf '%-10s %6s %12d  %12d %9d  %12d %9d\n' total "" "${totals[@]}"
awk -v o="${totals[0]}" -v mb="${totals[1]}" -v mt="${totals[2]}" -v sb="${totals[3]}" -v st="${totals[4]}" 'BEGIN {
  printf "size: setup-media %.1f%% of the original, mscompress %.1f%% (setup-media %+.2f%% against mscompress)\n", 100*sb/o, 100*mb/o, 100*(sb-mb)/mb
  if (st < 1) st = 1
  printf "speed: setup-media %.1f MB/s, mscompress %.2f MB/s: %.0fx\n", o/st/1000, o/mt/1000, mt/st
}'
