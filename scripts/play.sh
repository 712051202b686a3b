#!/usr/bin/env bash
# Sets up, builds and starts the game from the repository's folder, where it
# finds ./data and keeps its progress in ./.tarvexstate.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/deps.sh --game-only
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEX_TESTS=OFF >/dev/null
cmake --build build -j "$(nproc)"
exec build/game/rails-against-time "$@"
