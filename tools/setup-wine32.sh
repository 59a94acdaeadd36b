#!/usr/bin/env bash
# Makes 32-bit Windows programs runnable on this 64-bit Debian machine, where 32-bit x86 code
# cannot execute natively: Debian's 32-bit Wine runs under qemu's user-mode emulation. Installs
# what is missing and builds a private Wine tree in build/wine32 that tools/wine32 runs.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
tree="$root/build/wine32"
sudo_cmd=""
[ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
apt_options=(-o DPkg::Lock::Timeout=600 -qq)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo_cmd dpkg --add-architecture i386
  fresh_architecture=1
fi
missing=()
for p in qemu-user wine32:i386 wine64; do installed "$p" || missing+=("$p"); done
if [ ${#missing[@]} -gt 0 ] || [ -n "${fresh_architecture:-}" ]; then
  echo "Installing: ${missing[*]}"
  $sudo_cmd apt-get "${apt_options[@]}" update
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get "${apt_options[@]}" install -y --no-install-recommends \
    "${missing[@]}" >/dev/null
fi

# The static preloader reserves the 32-bit address space before Wine's loader runs; qemu cannot
# start the dynamic one. Its package conflicts with nothing we need, so it is only unpacked here.
if [ ! -x "$tree/lib/wine/wine-preloader.static" ]; then
  download=$(mktemp -d)
  (cd "$download" && apt-get "${apt_options[@]}" download wine32-preloader:i386 >/dev/null 2>&1) || {
    $sudo_cmd apt-get "${apt_options[@]}" update
    (cd "$download" && apt-get "${apt_options[@]}" download wine32-preloader:i386 >/dev/null)
  }
  dpkg-deb -x "$download"/wine32-preloader_*.deb "$download/unpacked"
  mkdir -p "$tree/lib/wine"
  cp "$download/unpacked/usr/lib/wine/wine-preloader.static" "$tree/lib/wine/"
  chmod +x "$tree/lib/wine/wine-preloader.static"
  rm -rf "$download"
fi

# Wine finds its libraries and server relative to its own loader, so the tree mirrors /usr.
mkdir -p "$tree/lib/wine"
cp /usr/lib/wine/wine "$tree/lib/wine/wine"
ln -sfn /usr/lib/wine/wineserver64 "$tree/lib/wine/wineserver"
ln -sfn /usr/lib/wine/wine64 "$tree/lib/wine/wine64"
for d in i386-linux-gnu x86_64-linux-gnu; do ln -sfn "/usr/lib/$d" "$tree/lib/$d"; done
ln -sfn /usr/share "$tree/share"
# Wine starts child processes through "wine-preloader <wine> ...", which must go through qemu too.
cat >"$tree/lib/wine/wine-preloader" <<'SCRIPT'
#!/bin/sh
here=$(dirname "$0")
shift
WINELOADERNOEXEC=1 exec qemu-i386 -L / "$here/wine-preloader.static" "$here/wine" "$@"
SCRIPT
chmod +x "$tree/lib/wine/wine-preloader"
