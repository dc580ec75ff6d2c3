#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Only what is missing is installed; sudo is used when not run as root.
set -euo pipefail

packages=(
  build-essential cmake pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libjpeg62-turbo-dev
  libcli11-dev nlohmann-json3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-apps x11-utils
  clang clang-format libclang-rt-14-dev
  fonts-dejavu-core
  desktop-file-utils shared-mime-info libxml2-utils
  # The Windows build of the core and the command line: mingw-w64 with posix threads, GoogleTest's
  # sources, and Wine to run its tests.
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest wine64
  # The Windows desktop program: its smoke test under Wine (key presses, the screenshot's conversion to
  # PNG) and its zip.
  xdotool netpbm zip unzip
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
