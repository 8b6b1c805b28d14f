#!/usr/bin/env bash
# Builds setup media from a package folder, one media folder per disk, as a set of numbered
# disks would hold them:
#   make-media.sh PACKAGE_DIR SETUP_EXE OUT_DIR
# PACKAGE_DIR holds install.ini, the licence text (when the script names one or uses the
# default licence.txt) and one folder per disk, disk01/, disk02/, ..., with the package's
# files under their installed names. OUT_DIR/disk01/ gets setup.exe, install.ini, the licence
# and disk01.id; every OUT_DIR/diskNN/ gets diskNN.id and its files compressed with
# mscompress under their compressed names (app.exe -> app.ex_, data.db -> data.db_, readme -> readme._).
# To install, start setup.exe in OUT_DIR/disk01; when it asks for the next disk, copy that
# disk's folder into the same place (or put all the folders' contents into one folder
# beforehand to skip the prompts).
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 PACKAGE_DIR SETUP_EXE OUT_DIR" >&2; exit 2; }
package=$(cd "$1" && pwd)
setup_exe=$2
out=$3
command -v mscompress >/dev/null || { echo "mscompress is missing (apt-get install mscompress)" >&2; exit 1; }

# The name a file has on the media: after the first dot, a three-letter tail loses its last
# letter to "_", any other tail gets "_" appended; a name without a dot gets "._".
compressed_name() {
  local name=$1 stem tail
  if [[ $name != *.* ]]; then echo "$name._"; return; fi
  stem=${name%%.*}; tail=${name#*.}
  if [ ${#tail} -eq 3 ]; then echo "$stem.${tail:0:2}_"; else echo "$stem.${tail}_"; fi
}

licence_name() {
  # The [Licence] licence value, or licence.txt when the script has none.
  local value
  value=$(awk -F= 'BEGIN{IGNORECASE=1} /^\[/{s=tolower($0)} s=="[licence]" && tolower($1)=="licence"{sub(/^[^=]*=/,""); sub(/\r$/,""); print; exit}' "$package/install.ini")
  echo "${value:-licence.txt}"
}

rm -rf "$out"
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

disks=("$package"/disk[0-9][0-9])
[ -d "${disks[0]}" ] || { echo "$package has no disk01 folder" >&2; exit 1; }
for disk in "${disks[@]}"; do
  name=$(basename "$disk")
  number=${name#disk}
  target="$out/$name"
  mkdir -p "$target"
  echo "$((10#$number))" >"$target/$name.id"
  for file in "$disk"/*; do
    [ -f "$file" ] || continue
    base=$(basename "$file")
    if [ "$(stat -c %s "$file")" -lt 16 ]; then
      echo "$file is shorter than 16 bytes, which mscompress cannot compress" >&2; exit 1
    fi
    cp "$file" "$work/$base"
    mscompress "$work/$base" >/dev/null
    mv "$work/${base}_" "$target/$(compressed_name "$base")"
    rm -f "$work/$base"
  done
done

first="$out/disk01"
cp "$setup_exe" "$first/setup.exe"
cp "$package/install.ini" "$first/install.ini"
licence=$(licence_name)
if [ "$licence" != none ] && [ -f "$package/$licence" ]; then
  mkdir -p "$first/$(dirname "$licence")"
  cp "$package/$licence" "$first/$licence"
fi
echo "media in $out: $(ls "$out" | tr '\n' ' ')"
