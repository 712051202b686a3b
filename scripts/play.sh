#!/usr/bin/env bash
# Sets up, builds and starts the game.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/deps.sh --game-only
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEX_TESTS=OFF >/dev/null
cmake --build build -j "$(nproc)"
if [ -x build/game/rails-against-time ]; then
  exec build/game/rails-against-time
else
  echo "Everything is built; the game itself is not playable yet."
fi
