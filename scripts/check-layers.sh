#!/usr/bin/env bash
# Fails when a source file includes a header of a layer above its own. The layers, from the
# bottom: a folder may include its own headers and those of the folders before it. Folders on
# one line are side by side and do not include each other. Two trees are checked: setup.exe's
# src/, and setup-media's, whose files may also include the plain helpers of setup.exe it
# compiles in (base, fsutil, setupdata), below all of its own; its top folder holds the command.
set -euo pipefail
cd "$(dirname "$0")/.."
setup_layers=(
  "base"
  "toolkit setupdata"
  "forms state"
  "fsutil"
  "uninstall"
  "install dialogs"
  "app"
)
media_layers=(
  "base fsutil setupdata"
  "common compress"
  "texts"
  "script"
  "media"
  "plan"
  "."
)
status=0

# rank FOLDER LAYER...: the line of the layers that names FOLDER.
rank() {
  local folder=$1 i=0
  shift
  for line in "$@"; do
    case " $line " in *" $folder "*) echo "$i"; return ;; esac
    i=$((i + 1))
  done
  echo "unknown folder $folder" >&2
  exit 2
}

# check TREE LAYER...: every include of a folder's header in TREE against the layers.
check() {
  local tree=$1 file line include from to
  shift
  while IFS=: read -r file line include; do
    from=$(dirname "$file")
    from=${from%%/*}
    to=$(sed -E 's/.*"(([a-z]+)\/)?[^"\/]*"/\2/' <<<"$include")
    to=${to:-.}
    [ "$from" = "$to" ] && continue
    if [ "$(rank "$to" "$@")" -ge "$(rank "$from" "$@")" ]; then
      echo "$tree/$file:$line: $from includes $to, which is not below it" >&2
      status=1
    fi
  done < <(cd "$tree" && grep -rnE '^#include "' --include='*.h' --include='*.cpp' . | sed 's#^\./##')
}

check src "${setup_layers[@]}"
check tools/setup-media/src "${media_layers[@]}"
exit $status
