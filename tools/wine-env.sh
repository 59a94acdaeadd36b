# Sourced by the tools: a private Wine prefix and an X display of its own for the machine under test.
# qn_wine_start <prefix>   starts Xvfb and a persistent wineserver, creates the prefix when new
# qn_wine_stop             stops both again (also run on exit)

QN_WINE=/usr/lib/wine/wine64
QN_WINESERVER=/usr/lib/wine/wineserver64

qn_wine_start() {
  export WINEPREFIX="$1"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree=;mshtml="
  unset WINEARCH
  local n=${QN_DISPLAY_FROM:-71}
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
  QN_XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 1 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  trap qn_wine_stop EXIT
  local fresh=0
  [ -d "$WINEPREFIX/drive_c" ] || fresh=1
  mkdir -p "$WINEPREFIX"
  "$QN_WINESERVER" -p </dev/null >/dev/null 2>&1
  "$QN_WINE" wineboot --init </dev/null >/dev/null 2>&1 || true
  if [ $fresh -eq 1 ]; then
    # Without a window manager, Wine waits two seconds for one to withdraw each destroyed
    # window; unmanaged windows are withdrawn at once.
    "$QN_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    # Without these fonts captions and title buttons draw wrongly.
    cp /usr/share/wine/fonts/{tahoma,tahomabd,marlett}.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  fi
}

qn_wine_stop() {
  trap - EXIT
  if [ -n "${WINEPREFIX:-}" ]; then "$QN_WINESERVER" -k </dev/null >/dev/null 2>&1 || true; fi
  if [ -n "${QN_XVFB_PID:-}" ]; then kill "$QN_XVFB_PID" 2>/dev/null || true; wait "$QN_XVFB_PID" 2>/dev/null || true; fi
  QN_XVFB_PID=""
}
