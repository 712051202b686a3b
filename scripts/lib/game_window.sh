# Driving the game's full-screen window on an X server with xdotool, for the
# install check and the screenshot script. Source it; DISPLAY must be set.
# The game's 1024 x 768 picture is scaled uniformly to the screen and centred
# between black bars; positions below are on the game's own screen.

game_window_measure() {  # sets GAME_SCALE, GAME_LEFT, GAME_TOP, GAME_WIDTH, GAME_HEIGHT
  local size
  size=$(xdpyinfo | awk '/dimensions:/ {print $2}')
  read -r GAME_SCALE GAME_LEFT GAME_TOP GAME_WIDTH GAME_HEIGHT < <(awk -v s="$size" 'BEGIN {
    split(s, d, "x"); scale = d[1] / 1024; if (d[2] / 768 < scale) scale = d[2] / 768;
    printf "%f %d %d %d %d\n", scale, (d[1] - 1024 * scale) / 2, (d[2] - 768 * scale) / 2, 1024 * scale, 768 * scale }')
}

game_window_wait() {  # waits until the game's window shows (20 s at most)
  timeout 20 xdotool search --sync --onlyvisible --name '^Rails Against Time$' >/dev/null
}

game_click() {  # X Y [settle seconds]: a left click on the game's screen
  local x y
  x=$(awk -v v="$1" -v s="$GAME_SCALE" -v o="$GAME_LEFT" 'BEGIN { printf "%d", o + (v + 0.5) * s }')
  y=$(awk -v v="$2" -v s="$GAME_SCALE" -v o="$GAME_TOP" 'BEGIN { printf "%d", o + (v + 0.5) * s }')
  # (--sync would wait for a move that never comes when the pointer is already there.)
  xdotool mousemove "$x" "$y" sleep 0.1 click 1
  sleep "${3:-0.3}"
}

game_key() {  # KEY [settle seconds]: a key by its X name (Escape, 1, ...)
  xdotool key "$1"
  sleep "${2:-0.3}"
}

game_capture() {  # FILE: the game's screen as a 1024 x 768 PNG
  import -window root -crop "${GAME_WIDTH}x${GAME_HEIGHT}+${GAME_LEFT}+${GAME_TOP}" +repage \
    -resize 1024x768! "$1"
}
