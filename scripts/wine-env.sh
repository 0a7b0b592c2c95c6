# Sourced by the run and test scripts: a private Wine prefix with the Chinese
# locale (code page 936), a virtual X display with a window manager, and a
# warm wineserver. wine_env_start sets it up, wine_env_stop ends what it
# started, by PID.
#
# Without a window manager every hide of a top-level window stalls about 2 s;
# without a warm server the desktop process restarts between programs and the
# cursor jumps to the screen centre.

KESTRUN_ROOT=${KESTRUN_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
WINE_DIR=${WINE_DIR:-$KESTRUN_ROOT/build/wine}
_wine_pids=()

wine_env_start() {
  local fresh_prefix=${1:-no}
  mkdir -p "$WINE_DIR/locale"
  if [ ! -d "$WINE_DIR/locale/zh_CN.UTF-8" ]; then
    localedef -i zh_CN -f UTF-8 "$WINE_DIR/locale/zh_CN.UTF-8" 2>/dev/null || true
  fi
  export LOCPATH="$WINE_DIR/locale"
  # The programs started from here find the locale through LOCPATH; this
  # shell itself looked for its locales before LOCPATH was set and warns that
  # it cannot switch, which is true of the shell alone and harmless.
  { export LC_ALL=zh_CN.UTF-8; } 2>/dev/null
  export WINEPREFIX="$WINE_DIR/prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

  if [ -z "${DISPLAY:-}" ] || [ "${KESTRUN_OWN_DISPLAY:-0}" = 1 ]; then
    local n=90
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    _wine_pids+=($!)
    export DISPLAY=":$n"
    for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done
  fi
  openbox --sm-disable >/dev/null 2>&1 &
  _wine_pids+=($!)

  if [ "$fresh_prefix" = fresh ]; then rm -rf "$WINEPREFIX"; fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    env -u DISPLAY wineboot -i >/dev/null 2>&1
    wineserver -w
    # Wine's own fonts, or title bars show boxes.
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  fi
  wineserver -p
  # A long-lived hidden Wine program keeps the desktop process alive between
  # test programs.
  local keeper="$KESTRUN_ROOT/build/windows/bin/target.exe"
  if [ -f "$keeper" ]; then
    wine "$keeper" --keepalive >/dev/null 2>&1 &
    _wine_pids+=($!)
    sleep 1
  fi
}

wine_env_stop() {
  local i
  # The Wine programs end first (Notepad of the demo, the keeper), while their
  # display is still there to say goodbye to; then the display and its
  # window manager.
  wineserver -k 2>/dev/null || true
  for ((i = ${#_wine_pids[@]} - 1; i >= 0; i--)); do
    kill "${_wine_pids[$i]}" 2>/dev/null || true
  done
  for i in "${_wine_pids[@]}"; do wait "$i" 2>/dev/null || true; done
  _wine_pids=()
}
