#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The layers, lowest first: a folder of src/ may include only its own
# headers and those of the folders before it in this list.
set -euo pipefail
src=$1
layers=(base content speech game/core learning stats record widgets plot frame game progress app)

status=0
for ((i = 0; i < ${#layers[@]}; i++)); do
  layer=${layers[$i]}
  allowed=("${layers[@]:0:$((i + 1))}")
  # A folder's own files, without those of a layer nested in it.
  while IFS= read -r line; do
    file=${line%%:*}
    included=${line#*\"}
    included=${included%\"*}
    folder=${included%/*}
    ok=0
    for a in "${allowed[@]}"; do [ "$folder" = "$a" ] && ok=1; done
    if [ "$ok" -eq 0 ]; then
      echo "$file includes $included, which is not below $layer" >&2
      status=1
    fi
  done < <(find "$src/$layer" -maxdepth 1 -type f \( -name '*.h' -o -name '*.cpp' \) -print0 |
             xargs -0 grep -H '^#include "' || true)
done
[ "$status" -eq 0 ] && echo "every include points to the same or a lower layer"
exit "$status"
