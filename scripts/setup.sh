#!/usr/bin/env bash
# Installs what building and testing need on Debian 12 or Ubuntu, and nothing
# that is already there. Needs root or sudo.
set -euo pipefail

packages=(
  cmake ninja-build g++ googletest libgtest-dev libstb-dev
  clang libclang-rt-dev libbenchmark-dev clang-format
  g++-mingw-w64-x86-64-posix wine wine64 xvfb openbox
  fonts-wqy-microhei fonts-wine xfonts-base locales
)

missing=()
for p in "${packages[@]}"; do
  # Only "install ok installed" counts: a package removed but not purged
  # still has a status entry ("deinstall ok config-files").
  [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
# Recommends would add about 90 packages that nothing here uses.
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
