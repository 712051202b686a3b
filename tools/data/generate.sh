#!/usr/bin/env bash
# Regenerates every file under data/ from the generators in this folder.
# Deterministic: the same sources always give byte-identical files.
set -euo pipefail
shopt -s nullglob
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/../../data}
mkdir -p "$out"
out=$(cd "$out" && pwd)
for generator in "$here"/make_*.py; do
  echo "generating: $(basename "$generator")"
  /usr/bin/python3 "$generator" "$out"
done
for generator in "$here"/make_*.sh; do
  [ -e "$generator" ] || continue
  echo "generating: $(basename "$generator")"
  bash "$generator" "$out"
done
