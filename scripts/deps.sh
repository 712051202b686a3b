#!/usr/bin/env bash
# Installs the Debian packages the game, its tests and its data tools need,
# only when some are missing.  Needs root (or sudo) the first time.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang
  libglfw3-dev libgl-dev libopenal-dev libopenal1 libstb-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils libx11-dev imagemagick
  lintian desktop-file-utils appstream
  python3 python3-pil python3-numpy vorbis-tools sox fluidsynth fluid-soundfont-gm fonts-dejavu-core fonts-roboto-slab
)
if [ "${1:-}" = "--game-only" ]; then
  packages=(build-essential cmake pkg-config libglfw3-dev libgl-dev libopenal-dev libopenal1 libstb-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
