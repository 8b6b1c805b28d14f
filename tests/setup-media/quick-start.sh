#!/usr/bin/env bash
# The README's quick start as an author follows it: its script, in a package folder with the files it
# names, checks clean with --strict, builds as media and as one file, and the plan of the one file
# installs every file of the Data tree.
#   quick-start.sh SETUP_MEDIA README SETUP_EXE
set -euo pipefail
tool=$1 readme=$2 setup=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pkg=$work/tally
mkdir -p "$pkg/Data/fonts"
# The first ini block after the quick start's heading, its indentation taken off.
awk '/^## A package in five minutes/ {on = 1} on && /```ini/ {inblock = 1; next} inblock && /```/ {exit}
     inblock {sub(/^   /, ""); print}' "$readme" > "$pkg/install.ini"
grep -q '^\[Package\]' "$pkg/install.ini" || { echo "no script in the quick start" >&2; exit 1; }
for f in licence.txt tally.exe tally.dll readme.txt Data/a.txt Data/fonts/b.txt; do echo "$f" > "$pkg/$f"; done
out=$("$tool" check --strict "$pkg/install.ini" 2>&1) || { echo "$out" >&2; exit 1; }
[ -z "$out" ] || { echo "check said: $out" >&2; exit 1; }
"$tool" build "$pkg" --setup "$setup" --out "$work/media" >/dev/null
"$tool" build "$pkg" --setup "$setup" --one-file "$work/tally-setup.exe" >/dev/null
plan=$("$tool" plan "$work/tally-setup.exe")
for f in 'Tally\tally.exe' 'Tally\Data\a.txt' 'Tally\Data\fonts\b.txt' 'Tally.lnk'; do
  grep -qF "$f" <<<"$plan" || { echo "the plan lacks $f" >&2; echo "$plan" >&2; exit 1; }
done
echo "the quick start's package checks clean, builds and plans"
