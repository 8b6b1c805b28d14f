#!/usr/bin/env bash
# Fails when a source file includes a header of a layer above its own. The layers of src/,
# from the bottom: a folder may include its own headers and those of the folders before it.
# Folders on one line are side by side and do not include each other.
set -euo pipefail
cd "$(dirname "$0")/../src"
layers=(
  "base"
  "toolkit setupdata"
  "forms state"
  "fsutil"
  "uninstall"
  "install dialogs"
  "app"
)
rank() {
  local i
  for i in "${!layers[@]}"; do
    case " ${layers[$i]} " in *" $1 "*) echo "$i"; return ;; esac
  done
  echo "unknown folder src/$1" >&2
  exit 2
}
status=0
while IFS=: read -r file line include; do
  from=${file%%/*}
  to=$(sed -E 's/.*"([a-z]+)\/.*/\1/' <<<"$include")
  [ "$from" = "$to" ] && continue
  if [ "$(rank "$to")" -ge "$(rank "$from")" ]; then
    echo "src/$file:$line: $from includes $to, which is not below it" >&2
    status=1
  fi
done < <(grep -rnE '^#include "[a-z]+/' --include='*.h' --include='*.cpp' .  | sed 's#^\./##')
exit $status
