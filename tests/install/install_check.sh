#!/usr/bin/env bash
# The game as a player on Debian installs it: the package made by cpack,
# unpacked with dpkg-deb into a scratch root and run from another folder.
#
#   install_check.sh package    BUILD SOURCE VERSION APP_ID   make, inspect and unpack the package
#   install_check.sh runs       BUILD SOURCE VERSION APP_ID   --version, --print-level, a headless replay
#   install_check.sh validators BUILD SOURCE VERSION APP_ID   lintian, desktop-file-validate, appstreamcli, groff
#   install_check.sh window     BUILD SOURCE VERSION APP_ID   the unpacked game in a window reaches the map and saves
#
# "package" leaves the package and its unpacked root in BUILD/install-check for
# the others. Every failed check prints one line starting "FAILED:"; the
# status is the number of failed checks (0: all passed).
set -uo pipefail
step=$1 version=$4 app_id=$5
build=$(cd "$2" && pwd) source=$(cd "$3" && pwd)
work=$build/install-check
deb=$work/pkg/rails-against-time_${version}_$(dpkg --print-architecture).deb
root=$work/root
game=$root/usr/games/rails-against-time
failures=0

fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
expect_eq() {  # what actual expected
  [ "$2" = "$3" ] || fail "$1: got '$2', expected '$3'"
}
# A fresh scratch folder under the check's own.
scratch() { mktemp -d "$work/$1.XXXXXX"; }

# --- the package: its file, its fields, its contents --------------------------
check_package() {
  rm -rf "$work" && mkdir -p "$work/pkg"
  if ! (cd "$build" && cpack -G DEB -B "$work/pkg") >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"; fail "cpack -G DEB"; return
  fi
  [ -f "$deb" ] || { fail "no package named $(basename "$deb") in: $(ls "$work/pkg")"; return; }

  expect_eq "Package" "$(dpkg-deb -f "$deb" Package)" "rails-against-time"
  expect_eq "Version" "$(dpkg-deb -f "$deb" Version)" "$version"
  expect_eq "Section" "$(dpkg-deb -f "$deb" Section)" "games"
  [ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no Maintainer field"
  # Computed from the binary: the libraries it links, with their versions.
  local depends
  depends=$(dpkg-deb -f "$deb" Depends)
  echo "Depends: $depends"
  for library in libc6 libglfw3 libopenal1 libstdc++6; do
    [[ ", $depends" == *", $library (>= "* ]] || fail "Depends lacks a versioned $library: $depends"
  done
  [[ ", $depends," == *", libopengl0"[,\ ]* ]] || fail "Depends lacks the OpenGL library: $depends"

  local listing
  listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
  local expected=(
    ./usr/games/rails-against-time
    "./usr/share/applications/$app_id.desktop"
    "./usr/share/metainfo/$app_id.metainfo.xml"
    ./usr/share/icons/hicolor/scalable/apps/rails-against-time.svg
    ./usr/share/man/man6/rails-against-time.6.gz
    ./usr/share/doc/rails-against-time/copyright
    ./usr/share/doc/rails-against-time/changelog.gz
    ./usr/share/doc/rails-against-time/README.md
  )
  for size in 48 64 128 256; do expected+=("./usr/share/icons/hicolor/${size}x$size/apps/rails-against-time.png"); done
  # Every file of the data folder, the licence lists among them.
  while IFS= read -r file; do expected+=("./usr/share/rails-against-time/data/$file"); done \
    < <(cd "$source/data" && find . -type f -printf '%P\n' | sort)
  for path in "${expected[@]}"; do
    grep -qxF "$path" <<<"$listing" || fail "the package lacks $path"
  done
  local outside
  outside=$(grep -v '^\./usr/' <<<"$listing" | grep -vx '\./\|\./usr/')
  [ -z "$outside" ] || fail "files outside /usr: $outside"

  dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x"
  file "$game" | grep -q "stripped" && ! file "$game" | grep -q "not stripped" || fail "the binary is not stripped"
  for size in 48 64 128 256; do
    expect_eq "icon ${size}" \
      "$(identify -format '%wx%h' "$root/usr/share/icons/hicolor/${size}x$size/apps/rails-against-time.png")" \
      "${size}x$size"
  done
  expect_eq "the metadata's release" \
    "$(grep -o '<release version="[^"]*"' "$root/usr/share/metainfo/$app_id.metainfo.xml")" \
    "<release version=\"$version\""
  zcat "$root/usr/share/man/man6/rails-against-time.6.gz" | grep -q "^\.TH RAILS-AGAINST-TIME 6 .*rails-against-time $version" ||
    fail "the manual page does not name version $version"
}

# --- the unpacked game from another folder, no display -----------------------
check_runs() {
  [ -x "$game" ] || { fail "no unpacked game at $game (the package step failed)"; return; }
  local here home
  here=$(scratch runs) home=$(scratch home)
  cd "$here" || return
  run() { env -u DISPLAY -u XDG_DATA_HOME HOME="$home" ALSOFT_DRIVERS=null "$game" "$@"; }

  expect_eq "--version" "$(run --version)" "rails-against-time $version"
  local level status
  level=$(run --print-level 1); status=$?
  expect_eq "--print-level 1 status" "$status" 0
  expect_eq "--print-level 1" "$level" "$(cd "$build" && ./game/rails-against-time --print-level 1)"
  # The levels are installed as files with the rest of the data.
  local levels
  levels=$(dirname "$game")/../share/rails-against-time/data/levels
  expect_eq "the installed level files" "$(ls "$levels" | grep -c '\.level$')" 15
  run --check-level "$levels/06.level" >/dev/null; status=$?
  expect_eq "--check-level of an installed level" "$status" 0

  local replay=$source/tests/replays/campaign.replay out
  out=$(run --replay "$replay" --headless); status=$?
  expect_eq "the campaign's status" "$status" 0
  local last end
  last=$(tail -n 1 <<<"$out")
  end=$(awk '$1 == "end" {print $2}' "$replay")
  echo "campaign: $last"
  [[ $last == "screen=4 level=15 "*" time=$end states=111111111111111" ]] ||
    fail "the campaign ends on '$last', not on the end picture at $end with every level done"
  grep -qx boom <<<"$out" && fail "a train crashed in the campaign"
  # A replay keeps its saves in memory.
  local written
  written=$(find "$home" "$here" -type f)
  [ -z "$written" ] || fail "the replay wrote files: $written"
}

# --- the validators Debian and software centres run ---------------------------
check_validators() {
  [ -f "$deb" ] || { fail "no package (the package step failed)"; return; }
  local report
  report=$(lintian --tag-display-limit 0 --display-level '>=warning' "$deb" 2>&1)
  echo "lintian:"; echo "${report:-  (nothing to report)}"
  grep -q '^E: ' <<<"$report" && fail "lintian reports errors"
  echo "desktop-file-validate:"
  desktop-file-validate "$root/usr/share/applications/$app_id.desktop" || fail "desktop-file-validate"
  echo "appstreamcli validate:"
  appstreamcli validate --no-net --explain "$root/usr/share/metainfo/$app_id.metainfo.xml" ||
    fail "appstreamcli validate"
  local warnings
  warnings=$(zcat "$root/usr/share/man/man6/rails-against-time.6.gz" | groff -man -ww -z -Tutf8 2>&1)
  [ -z "$warnings" ] || fail "the manual page: $warnings"
}

# --- the unpacked game in its window, with a fresh home -----------------------
check_window() {
  [ -x "$game" ] || { fail "no unpacked game at $game (the package step failed)"; return; }
  [ -n "${DISPLAY:-}" ] || { fail "needs an X server (run under xvfb-run)"; return; }
  # shellcheck source=../../scripts/lib/game_window.sh
  source "$source/scripts/lib/game_window.sh"
  local here home shots
  here=$(scratch window) home=$(scratch home) shots=$(scratch shots)
  cd "$here" || return
  game_window_measure
  env -u XDG_DATA_HOME HOME="$home" ALSOFT_DRIVERS=null "$game" >"$shots/out" 2>&1 &
  local pid=$!
  if ! game_window_wait; then
    kill "$pid"; cat "$shots/out"; fail "no window"; return
  fi
  sleep 3.6                    # the logo's three seconds
  game_click 512 400           # the title
  game_click 800 340 1         # new game: the scenario map
  game_capture "$shots/map.png"
  /usr/bin/python3 "$source/tests/install/shows_picture.py" "$shots/map.png" \
    "$root/usr/share/rails-against-time/data/game/gameMap.png" 250 100 1024 600 ||
    fail "the map does not show (screenshot kept in $shots)"
  game_key Escape 1            # save and back to the menu
  game_click 800 650           # quit
  local status=""
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
  if kill -0 "$pid" 2>/dev/null; then kill "$pid"; fail "the game did not quit"; fi
  wait "$pid"; status=$?
  expect_eq "the game's status" "$status" 0
  local state=$home/.local/share/rails-against-time/.tarvexstate
  if [ -f "$state" ]; then
    # A new game's progress: level 1, no score, no gold, three workers, level 1 open.
    [[ $(cat "$state") == $'TVXDATA\t'*$'\ttrandle.sav\t21\t1\t0\t0\t'* ]] || fail "the state file holds: $(cat -A "$state")"
  else
    fail "no state file at $state; the home holds: $(find "$home")"
  fi
  [ -z "$(ls -A "$here")" ] || fail "the game wrote into its working folder: $(ls -A "$here")"
  [ "$failures" -eq 0 ] && rm -rf "$shots"
}

case $step in
  package) check_package ;;
  runs) check_runs ;;
  validators) check_validators ;;
  window) check_window ;;
  *) echo "unknown step: $step"; exit 100 ;;
esac
[ "$failures" -eq 0 ] && echo "$step: all checks passed"
exit "$failures"
