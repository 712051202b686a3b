#!/usr/bin/env bash
# own_display.sh: commands started at once each get a working X server of
# their own, the command's status is the answer, and the server is gone when
# the command ends.
set -u
wrapper=$(dirname "$0")/own_display.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Four at once, each noting its display, the server's pid, and whether it answers.
for n in 1 2 3 4; do
  "$wrapper" bash -c 'echo "$DISPLAY $OWN_DISPLAY_PID $(xdpyinfo >/dev/null 2>&1 && echo up)"' \
    >"$work/$n" &
done
wait
displays=$(cut -d' ' -f1 "$work"/? | sort -u | wc -l)
[ "$displays" -eq 4 ] || fail "four commands shared servers: $(cat "$work"/?)"
for n in 1 2 3 4; do
  read -r display pid up <"$work/$n"
  [ "$up" = up ] || fail "the server of $display did not answer"
  ! kill -0 "$pid" 2>/dev/null || fail "the server of $display (pid $pid) outlived its command"
done

for status in 0 1 7; do
  "$wrapper" sh -c "exit $status"
  got=$?
  [ "$got" -eq "$status" ] || fail "the command ended with $status, the wrapper answered $got"
done

[ "$failures" -eq 0 ] && echo "own_display.sh: separate servers, statuses passed on, servers gone"
[ "$failures" -eq 0 ]
