#!/usr/bin/env bash
# Installs what is missing, builds kestrun.exe and starts it. On Linux it runs
# under Wine on your display (or on a virtual one when there is none); its
# program folder is build/run, where it keeps its plans, settings and log.
# Any arguments are passed to Kestrun (a settings file starts a run at once).
# With --demo it runs the demonstration plan of examples/ once: it opens
# Notepad, pastes a text, presses Enter and takes a screenshot into
# build/run/screenshot; its settings end Kestrun when the run is done, and the
# Wine session ends with it, Notepad too.
set -euo pipefail
cd "$(dirname "$0")/.."
KESTRUN_ROOT=$(pwd)

scripts/setup.sh
cmake --preset windows >/dev/null
# The build shows one progress line a step; the compiler's own output is
# kept in build/run-build.log and shown when the build fails.
log=build/run-build.log
status=0
cmake --build --preset windows --target kestrun 2>&1 | tee "$log" |
  { grep --line-buffered -E '^\[[0-9]+/[0-9]+\]' || true; } || status=$?
[ "$status" -eq 0 ] || { cat "$log"; exit 1; }

mkdir -p build/run
cp build/windows/bin/kestrun.exe build/run/

# shellcheck source=wine-env.sh
source scripts/wine-env.sh
trap wine_env_stop EXIT
had_display=${DISPLAY:-}
wine_env_start
if [ -z "$had_display" ]; then
  echo "No display was set: Kestrun runs on the virtual display $DISPLAY, where nobody sees it."
  echo "To watch it, run this command in a desktop session, or point a VNC viewer at that display."
fi

if [ "${1:-}" = --demo ]; then
  shift
  mkdir -p build/run/process
  cp examples/演示方案.csv build/run/process/
  plan=$(winepath -w "$KESTRUN_ROOT/build/run/process/演示方案.csv" 2>/dev/null)
  # The settings file is GBK like every file of the program.
  { printf '方案文件=%s\r\n' "$plan" | iconv -f utf-8 -t cp936; cat examples/演示设置.ini; } > build/run/演示设置.ini
  set -- "$(winepath -w "$KESTRUN_ROOT/build/run/演示设置.ini" 2>/dev/null)" "$@"
fi
cd build/run
wine kestrun.exe "$@"
