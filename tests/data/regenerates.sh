#!/usr/bin/env bash
# Regenerates data/ into a scratch folder and compares it with the committed files.
# The level files (data/levels) are written by people, not by the generators;
# the game's tests read them back instead.
set -euo pipefail
root=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
bash "$root/tools/data/generate.sh" "$scratch" >/dev/null
if diff -r -q --exclude=levels "$root/data" "$scratch"; then
  echo "data/ regenerates byte for byte"
else
  echo "data/ differs from what the generators make (run tools/data/generate.sh)"
  exit 1
fi
