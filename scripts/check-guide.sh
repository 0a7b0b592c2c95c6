#!/usr/bin/env bash
# Checks the user's guide (docs/使用说明.md) against the program: every
# instruction keyword of the grammar (kestrun/script/instruction_line.h)
# appears in it, and every picture it names exists. Prints each miss and
# ends with one summary line; exits 1 when there is any.
set -uo pipefail
cd "$(dirname "$0")/.."
guide=docs/使用说明.md

mapfile -t keywords < <(sed -nE 's/^ *\{InstructionKind::[A-Za-z]+, "([^"]+)"\},.*/\1/p' kestrun/script/instruction_line.h)
mapfile -t pictures < <(grep -oE '!\[[^]]*\]\([^)]+\)' "$guide" | sed -E 's/.*\(([^)]+)\)/\1/')

misses=0
[ ${#keywords[@]} -gt 0 ] || { echo "no keywords found in instruction_line.h"; misses=1; }
for keyword in "${keywords[@]}"; do
  grep -qF "$keyword=" "$guide" || { echo "keyword $keyword not in the guide"; misses=$((misses + 1)); }
done
for picture in "${pictures[@]}"; do
  [ -f "docs/$picture" ] || { echo "picture docs/$picture missing"; misses=$((misses + 1)); }
done
if [ "$misses" -gt 0 ]; then
  echo "$misses problems in the guide"
  exit 1
fi
echo "${#keywords[@]} keywords and ${#pictures[@]} pictures of the guide found"
