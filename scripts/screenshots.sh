#!/usr/bin/env bash
# Takes the pictures of the user's guide again: builds the exes and the
# capture helper (e2e/shots), prepares a Kestrun program folder with the
# demonstration plan loaded and a Tapreel folder with a few recorded clicks,
# and runs the helper under Wine on a virtual display. It saves
# docs/images/kestrun-main.png, kestrun-menu.png, kestrun-submenu.png and
# tapreel-main.png. Run it by hand whenever the windows change.
set -euo pipefail
cd "$(dirname "$0")/.."
KESTRUN_ROOT=$(pwd)

cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target kestrun tapreel target shots >build/shots-build.log 2>&1 ||
  { cat build/shots-build.log; exit 1; }

shots=build/shots
rm -rf "$shots"
mkdir -p "$shots/kestrun/process" "$shots/tapreel" docs/images
cp examples/演示方案.csv "$shots/kestrun/process/"
# A few clicks as Tapreel records them (every file of the programs is GBK).
printf '%s\r\n' '1,512,300,左键,单击,1200,16777215,,,' '2,640,420,左键,双击,800,15790320,,,' \
  '3,700,512,右键,单击,500,0,,,' '' | iconv -f utf-8 -t cp936 >"$shots/tapreel/操作信息.csv"

# The Wine part holds the shared lock, so that no end-to-end run shares the
# display's mouse and keyboard with it.
export KESTRUN_ROOT
flock /tmp/kestrun-e2e.lock bash -c '
  set -euo pipefail
  source scripts/wine-env.sh
  trap wine_env_stop EXIT
  KESTRUN_OWN_DISPLAY=1 wine_env_start
  win() { winepath -w "$KESTRUN_ROOT/$1" 2>/dev/null; }
  plan=$(win build/shots/kestrun/process/演示方案.csv)
  printf "方案文件=%s\r\n" "$plan" | iconv -f utf-8 -t cp936 >build/shots/kestrun/lastplan.ini
  wine build/windows/bin/shots.exe "$(win build/shots/kestrun)\\" "$(win build/shots/tapreel)\\" "$(win docs/images)\\"
'
