#!/usr/bin/env bash
# Installs what is missing, builds kestrun.exe and starts it. On Linux it runs
# under Wine on your display (or on a virtual one when there is none); its
# program folder is build/run, where it keeps its plans, settings and log.
# Any arguments are passed to Kestrun (a settings file starts a run at once).
set -euo pipefail
cd "$(dirname "$0")/.."
KESTRUN_ROOT=$(pwd)

scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target kestrun

mkdir -p build/run
cp build/windows/bin/kestrun.exe build/run/

# shellcheck source=wine-env.sh
source scripts/wine-env.sh
trap wine_env_stop EXIT
wine_env_start
wine build/run/kestrun.exe "$@"
