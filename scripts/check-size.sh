#!/usr/bin/env bash
# Fails when the program at $1 is larger than $2 bytes: the stub travels on every package's media.
set -euo pipefail
size=$(stat -c %s "$1")
if [ "$size" -gt "$2" ]; then
  echo "$1 is $size bytes, over its budget of $2 bytes by $((size - $2))" >&2
  exit 1
fi
echo "$1 is $size bytes, $(($2 - size)) within its budget of $2"
