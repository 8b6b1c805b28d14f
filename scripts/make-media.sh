#!/usr/bin/env bash
# Builds setup media from a package folder with setup-media, one media folder per disk:
#   make-media.sh PACKAGE_DIR SETUP_EXE OUT_DIR [setup-media build options]
# PACKAGE_DIR holds install.ini, the licence text and the package's files under their installed
# names, either in one folder per disk (disk01/, disk02/, ...) or all in PACKAGE_DIR. OUT_DIR is
# made anew: OUT_DIR/disk01/ gets setup.exe, install.ini, the licence and disk01.id; every
# OUT_DIR/diskNN/ gets diskNN.id and its files compressed under their compressed names
# (app.exe -> app.ex_, data.db -> data.db_, readme -> readme._). Further options, such as
# --disk-size 1.44M --spread, go to setup-media build as they are.
# To install, start setup.exe in OUT_DIR/disk01; when it asks for the next disk, copy that
# disk's folder into the same place (or put all the folders' contents into one folder
# beforehand to skip the prompts).
# setup-media is taken from SETUP_MEDIA, else build-tools/setup-media, built when missing.
set -euo pipefail
[ $# -ge 3 ] || { echo "usage: $0 PACKAGE_DIR SETUP_EXE OUT_DIR [setup-media build options]" >&2; exit 2; }
root=$(cd "$(dirname "$0")/.." && pwd)
tool=${SETUP_MEDIA:-$root/build-tools/setup-media}
if [ ! -x "$tool" ]; then
  "$root/scripts/build-setup-media.sh" >/dev/null
  tool=$root/build-tools/setup-media
fi
"$tool" build "$1" --setup "$2" --out "$3" --force "${@:4}"
