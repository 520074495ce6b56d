#!/usr/bin/env bash
# Installs the Debian packages the build needs when any is missing; does nothing otherwise.
set -euo pipefail
pkgs=(cmake g++ clang ninja-build libfreetype-dev libfontconfig-dev fonts-dejavu-core fonts-liberation2 fonts-noto-cjk
      libpng-dev libre2-dev libgtest-dev libbenchmark-dev libsdl2-dev xvfb xauth xdotool x11-utils
      libatk1.0-dev libatk-bridge2.0-dev at-spi2-core python3-pyatspi dbus-daemon)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "deps.sh: installing ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
