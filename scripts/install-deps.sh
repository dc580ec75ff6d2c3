#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, and the de_DE.UTF-8 locale
# that the tests of a decimal comma run in. Only what is missing is installed; sudo is used when not run
# as root. A stamp in /var/tmp keeps the answer: while this script (and so its package list) and the
# system's package and locale databases are as they were at the last complete run, it returns at once,
# so that the scripts that call it first cost nothing after the first.
set -euo pipefail
# shellcheck source=scripts/lib.sh
source "$(dirname "$0")/lib.sh"

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libjpeg62-turbo-dev
  libcli11-dev nlohmann-json3-dev
  # SHA-256 (Nettle) and the history store (SQLite, with zlib for the stored states).
  nettle-dev libsqlite3-dev zlib1g-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-apps x11-utils
  clang clang-format libclang-rt-14-dev
  fonts-dejavu-core locales
  desktop-file-utils shared-mime-info libxml2-utils
  # The manual pages, the bash completion and the Debian package with its checks (scripts/package.sh).
  scdoc bash-completion dpkg-dev file lintian appstream man-db
  # The Windows build of the core and the command line: mingw-w64 with posix threads, GoogleTest's
  # sources, and Wine to run its tests.
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest wine64
  # The Windows desktop program: its smoke test under Wine (key presses, the screenshot's conversion to
  # PNG) and its zip.
  xdotool netpbm zip unzip
  # The Windows installer (an MSI made by wixl; msiinfo reads it back in its test).
  wixl msitools
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

install_missing_packages() {
  local missing=() p
  for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  if [ "${#missing[@]}" -eq 0 ]; then
    return 0
  fi
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Generates the locale once: enabled in /etc/locale.gen, then built by locale-gen.
install_locale() {
  local name=$1 charset=$2
  if locale -a 2>/dev/null | grep -qix "${name%%.*}.utf-\?8"; then
    return 0
  fi
  echo "Generating the ${name} locale"
  if grep -q "^# *${name} ${charset}" /etc/locale.gen; then
    "${sudo_cmd[@]}" sed -i "s/^# *${name} ${charset}/${name} ${charset}/" /etc/locale.gen
  elif ! grep -q "^${name} ${charset}" /etc/locale.gen; then
    echo "${name} ${charset}" | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  fi
  "${sudo_cmd[@]}" locale-gen >/dev/null
}

# What the last complete run depends on: this script, and the databases that an installation, a
# removal or a locale generation changes.
installed_key() {
  key_of "$(sha256sum <"${BASH_SOURCE[0]}")" "$(stat -c '%n %s %Y' /var/lib/dpkg/status /usr/lib/locale/locale-archive 2>&1)"
}

stamp="/var/tmp/orlenda3001-install-deps.$(id -u)"
if stamp_matches "${stamp}" "$(installed_key)"; then
  echo "install-deps: every package installed already (${stamp})"
  exit 0
fi
install_missing_packages
install_locale de_DE.UTF-8 UTF-8
stamp_write "${stamp}" "$(installed_key)"
