#!/usr/bin/env bash
# Makes the README's screenshots again: docs/menu.png, docs/map.png,
# docs/level.png and docs/pause.png, from the real game (built here when
# needed) in an X server of exactly 1024 x 768, so that the game's screen is
# the whole picture. The game is clicked through with xdotool from a saved
# game where the first five levels are won: the menu, the scenario map, level
# 6 some twenty seconds into the solver's schedule (stones cleared, track
# built and building, workers off to the mine) and its pause panel.
#
#   bash scripts/screenshots.sh [BUILD_DIR]      (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${1:-build}

if [ -z "${SCREENSHOTS_IN_X:-}" ]; then
  bash scripts/deps.sh
  [ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" -j "$(nproc)" --target rails-against-time
  SCREENSHOTS_IN_X=1 exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$build"
fi

source scripts/lib/game_window.sh
game=$(cd "$build" && pwd)/game/rails-against-time
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
# Played from a scratch folder: the repository's data, a saved game of its own.
ln -s "$root/data" "$work/data"
levels=$'1\t1\t1\t1\t1\t2\t0\t0\t0\t0\t0\t0\t0\t0\t0'
# Level 6 next, 9150 points, 1200 gold, five workers.
printf 'TVXDATA\t1\ttrandle.sav\t21\t6\t9150\t1200\t5\t0\t0\t%s' "$levels" >"$work/.tarvexstate"

cell() { echo $((31 + 74 * $1 + 37)) $((31 + 74 * $2 + 37)); }
order() {  # KEY X Y: a palette slot by its key, then the cell
  game_key "$1" 0.1
  game_click $(cell "$2" "$3") 0.1
}
shot() {  # NAME
  game_capture "$work/$1.png"
  /usr/bin/python3 - "$work/$1.png" "$root/docs/$1.png" <<'PY'
import sys
from PIL import Image
# A palette of 256 colours keeps the picture small; the screens are flat
# enough that no banding shows.
Image.open(sys.argv[1]).convert("RGB").quantize(256, method=Image.MEDIANCUT, dither=Image.NONE) \
    .save(sys.argv[2], optimize=True)
PY
  echo "docs/$1.png"
}

mkdir -p docs
game_window_measure
(cd "$work" && ALSOFT_DRIVERS=null exec "$game") >"$work/out" 2>&1 &
pid=$!
game_window_wait
sleep 3.6                     # the logo
game_click 512 400 1          # the title
shot menu
game_click 800 218 1.5        # continue: the scenario map, level 6 chosen
shot map
game_click 850 720 0.5        # start level 6
# The solver's schedule for level 6 (game/solver): clear five stones, lay
# the track from the start, send the others into the mine.
for stone in "6 4" "6 3" "6 2" "5 1" "9 3"; do game_click $(cell $stone) 0.1; done
sleep 15
order 4 0 4; order 5 0 5; order 1 1 5; order 1 2 5; order 1 3 5
sleep 5
order 1 4 5
for _ in 1 2 3 4; do game_click $(cell 10 5) 0.1; done
sleep 2.5
shot level
game_key Escape 0.5           # the pause panel
shot pause
game_click 500 545 1          # quit to the menu
game_click 800 650 1          # quit the game
wait "$pid" || true
