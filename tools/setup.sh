#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, unless it is there already.
set -euo pipefail
# The shipped 32-bit program is built with the win32 thread model, everything else with posix.
packages=(cmake ninja-build g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
          g++-mingw-w64-i686-win32 googletest nlohmann-json3-dev wine64 fonts-wine xvfb x11-utils
          imagemagick locales)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  # Another apt run (an unattended upgrade on a fresh machine) may hold the lock for a while.
  $sudo_cmd apt-get -o DPkg::Lock::Timeout=600 update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get -o DPkg::Lock::Timeout=600 install -y -qq \
    --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine takes the user's language and the file-name encoding from the Unix locale: the tests run
# as English and German users and create folders whose names are outside the ANSI code page.
for wanted in en_US.UTF-8 de_DE.UTF-8; do
  if ! locale -a 2>/dev/null | grep -qi "^${wanted/UTF-8/utf8}$"; then
    sudo_cmd=""
    [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
    $sudo_cmd sed -i "s/^# *\(${wanted} UTF-8\)/\1/" /etc/locale.gen
    grep -q "^${wanted} UTF-8" /etc/locale.gen || echo "${wanted} UTF-8" | $sudo_cmd tee -a /etc/locale.gen >/dev/null
    need_locale_gen=1
  fi
done
if [ -n "${need_locale_gen:-}" ]; then
  $sudo_cmd locale-gen >/dev/null
fi

# The 32-bit tests run under an emulated 32-bit Wine.
"$(dirname "${BASH_SOURCE[0]}")/setup-wine32.sh"
