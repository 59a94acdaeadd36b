#!/usr/bin/env bash
# The run command: installs what is missing, builds both targets and starts the 64-bit program
# under Wine in a private prefix (build/x86_64/runprefix).
#
# With a reachable X display ($DISPLAY) the window opens there and the command returns when it
# is closed. Without one, the program runs on an X server of its own, a German and an English
# user each see all four pages, and the command saves them as PNG files in build/screenshots/,
# prints their paths and exits.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/tools/setup.sh"
"$root/tools/build.sh"
source "$root/tools/wine-env.sh"

prefix="$root/build/x86_64/runprefix"
program="$root/build/x86_64/QNRepair.exe"
driver="$root/build/x86_64/tools/shot/qnshot.exe"
shots="$root/build/screenshots"

# Settings the program's window depends on, whoever created the prefix. Managed=Y leaves the
# window to the desktop's window manager; with N Wine draws the title bar itself, which a bare X
# server needs.
configure_prefix() {
  # Without these fonts captions and title buttons draw wrongly.
  cp /usr/share/wine/fonts/{tahoma,tahomabd,marlett}.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  "$QN_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$1" /f </dev/null >/dev/null 2>&1
}

run_on_display() {
  export WINEPREFIX="$prefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree=;mshtml="
  unset WINEARCH
  mkdir -p "$WINEPREFIX"
  "$QN_WINESERVER" -p </dev/null >/dev/null 2>&1
  "$QN_WINE" wineboot --init </dev/null >/dev/null 2>&1 || true
  trap '"$QN_WINESERVER" -k </dev/null >/dev/null 2>&1 || true' EXIT
  configure_prefix Y
  echo "Starting $program on display $DISPLAY"
  local status=0
  "$QN_WINE" "$program" </dev/null >/dev/null 2>&1 || status=$?
  return $status
}

take_screenshots() {
  echo "No X display: taking screenshots of all four pages in German and English"
  qn_wine_start "$prefix"
  configure_prefix N
  rm -rf "$shots"
  mkdir -p "$shots"
  local windows_folder="Z:${shots//\//\\}"
  local tag locale app
  for tag in de en; do
    case $tag in
      de) locale=de_DE.UTF-8 ;;
      en) locale=en_US.UTF-8 ;;
    esac
    LC_ALL=$locale "$QN_WINE" "$program" </dev/null >/dev/null 2>&1 &
    app=$!
    # Nobody watches a headless run: neither the driver nor the program may hang it.
    LC_ALL=$locale timeout -s KILL 120 "$QN_WINE" "$driver" "$windows_folder" "$tag" </dev/null >/dev/null ||
      echo "The screenshot driver failed or took too long ($tag)" >&2
    for _ in $(seq 1 300); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
    if kill -0 $app 2>/dev/null; then
      echo "QNRepair did not end after its screenshots ($tag); stopping it" >&2
      kill -9 $app 2>/dev/null || true
    fi
    wait $app || true
  done
  qn_wine_stop
  local bmp png
  for bmp in "$shots"/*.bmp; do
    png="${bmp%.bmp}.png"
    # -strip: no time stamps, so the same window gives the same file.
    convert "$bmp" -strip "$png"
    rm "$bmp"
    echo "$png"
  done
}

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  run_on_display
else
  take_screenshots
fi
