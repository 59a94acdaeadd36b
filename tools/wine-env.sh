# Sourced by the tools: a private Wine prefix and an X display of its own for the machine under test.
# qn_wine_start <prefix> [win64|win32]   starts Xvfb and a persistent wineserver, creates the prefix
#                                        when new; win32 runs the emulated 32-bit Wine (tools/wine32)
# qn_wine_stop                           stops both again (also run on exit)

QN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QN_WINE=/usr/lib/wine/wine64
QN_WINESERVER=/usr/lib/wine/wineserver64

# An X server on the first free display; fails when it does not start.
qn_start_xvfb() {
  local fifo display
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 3>"$fifo" &
  QN_XVFB_PID=$!
  # The display number arrives once the server accepts connections; EOF means it ended.
  display=$(timeout 30 head -n 1 "$fifo" || true)
  rm -f "$fifo"
  if [ -z "$display" ] || ! kill -0 "$QN_XVFB_PID" 2>/dev/null; then
    echo "Xvfb did not start" >&2
    QN_XVFB_PID=""
    return 1
  fi
  export DISPLAY=":$display"
}

# The processes that Wine runs in this prefix. Emulated ones can deadlock so that the wineserver
# cannot end them; only SIGKILL by process id does.
qn_prefix_pids() {
  local environ pid
  for environ in /proc/[0-9]*/environ; do
    pid=${environ#/proc/}
    pid=${pid%/environ}
    case " $$ $BASHPID ${QN_XVFB_PID:-} " in *" $pid "*) continue ;; esac
    if { tr '\0' '\n' <"$environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then echo "$pid"; fi
  done
}

qn_kill_prefix_processes() {
  local pids
  pids=$(qn_prefix_pids)
  [ -z "$pids" ] || kill -9 $pids 2>/dev/null || true
}

# Creates or updates the prefix. Under emulation wineboot sometimes hangs in a qemu deadlock;
# that attempt is killed and retried with a fresh prefix, at most twice more.
qn_wineboot() {
  local attempt fresh=$1 status
  for attempt in 1 2 3; do
    mkdir -p "$WINEPREFIX"
    "$QN_WINESERVER" -p </dev/null >/dev/null 2>&1
    status=0
    timeout -s KILL 240 "$QN_WINE" wineboot --init </dev/null >/dev/null 2>&1 || status=$?
    # 137: killed as hung. The wineserver writes the registry files later; the system folder
    # is there at once.
    if [ $status -ne 137 ] && [ -f "$WINEPREFIX/drive_c/windows/system32/kernel32.dll" ]; then return 0; fi
    [ "$attempt" -lt 3 ] || break
    echo "Creating the Wine prefix $WINEPREFIX hung or failed (attempt $attempt of 3, status $status); retrying with a fresh one" >&2
    "$QN_WINESERVER" -k </dev/null >/dev/null 2>&1 || true
    qn_kill_prefix_processes
    if [ "$fresh" -eq 1 ]; then rm -rf "$WINEPREFIX"; fi
  done
  echo "Could not create the Wine prefix $WINEPREFIX" >&2
  return 1
}

qn_wine_start() {
  export WINEPREFIX="$1"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree=;mshtml="
  if [ "${2:-win64}" = win32 ]; then
    # The 64-bit wineserver serves the 32-bit Wine; it takes a new prefix's kind from WINEARCH.
    export WINEARCH=win32
    QN_WINE="$QN_ROOT/tools/wine32"
  else
    unset WINEARCH
    QN_WINE=/usr/lib/wine/wine64
  fi
  trap qn_wine_stop EXIT
  qn_start_xvfb
  local fresh=0
  [ -d "$WINEPREFIX/drive_c" ] || fresh=1
  qn_wineboot $fresh
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
  if [ -n "${WINEPREFIX:-}" ]; then
    "$QN_WINESERVER" -k </dev/null >/dev/null 2>&1 || true
    qn_kill_prefix_processes
  fi
  if [ -n "${QN_XVFB_PID:-}" ]; then kill "$QN_XVFB_PID" 2>/dev/null || true; wait "$QN_XVFB_PID" 2>/dev/null || true; fi
  QN_XVFB_PID=""
}
