#!/usr/bin/env bash
# Runs one command under an X server of its own: a fresh Xvfb (1280x1024,
# 24 bits) on a display number the server picks itself (-displayfd), so that
# tests run side by side never share a screen, a pointer or a window stack,
# and two servers starting at once never race for the same number. The
# server never resets (-noreset): a reset when the last client leaves can
# refuse the next connection for a moment, and a test that opens one window
# after another would then find no display. The server goes when the command
# ends; the command's status is the answer. The command sees the server's
# process id in OWN_DISPLAY_PID.
set -u
if [ $# -eq 0 ]; then
  echo "usage: own_display.sh COMMAND [ARG...]" >&2
  exit 2
fi
coproc XSERVER { exec Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp -noreset 2>/dev/null; }
server=$XSERVER_PID
stop_server() {
  kill "$server" 2>/dev/null
  wait "$server" 2>/dev/null
}
trap stop_server EXIT
trap 'exit 143' TERM INT
if ! read -r -t 30 number <&"${XSERVER[0]}"; then
  echo "own_display.sh: Xvfb did not start" >&2
  exit 1
fi
DISPLAY=":$number" OWN_DISPLAY_PID=$server "$@"
