#!/usr/bin/env bash
# Checks that the source folders include only the layers beneath them:
#
#   - Kestrun's floors, lowest first: kestrun/script, kestrun/model,
#     kestrun/actions, kestrun/engine, kestrun/editor, kestrun/ui; Tapreel's:
#     tapreel/table, then tapreel/model and tapreel/testing, then
#     tapreel/editor and tapreel/playback, then tapreel/ui. A floor never
#     includes one above it, so nothing portable includes a ui file (a
#     unit test may use a higher floor for its set-up, but not a ui);
#   - common/ (common/text and common/platform above all) is compiled into
#     both programs and never includes kestrun/ or tapreel/.
#
# Every C and C++ file in the working tree is read (tracked or not, unless
# ignored), so a new file is checked before it is added. An include is
# taken as the compiler would find it: beside the including file when it is
# there or starts with ./ or ../, otherwise from the repository root (the
# one include folder). Prints each offending include as file:line and ends
# with one summary line; exits 1 when there is any.
set -uo pipefail
cd "$(dirname "$0")/.."

# Folds "a/b/../c" and "a/./c" into "a/c".
normalise() {
  local path=$1 part out=()
  local IFS=/
  for part in $path; do
    case "$part" in
      '' | .) ;;
      ..) [ ${#out[@]} -gt 0 ] && unset 'out[${#out[@]}-1]' ;;
      *) out+=("$part") ;;
    esac
  done
  echo "${out[*]}"
}

# The floors of each program, lowest first; a floor includes only its own
# and lower floors (the ui floors are the tops).
floor_of() {
  case "$1" in
    kestrun/script/*) echo 1 ;;
    kestrun/model/*) echo 2 ;;
    kestrun/actions/*) echo 3 ;;
    kestrun/engine/*) echo 4 ;;
    kestrun/editor/*) echo 5 ;;
    kestrun/ui/*) echo 6 ;;
    tapreel/table/*) echo 1 ;;
    tapreel/model/* | tapreel/testing/*) echo 2 ;;
    tapreel/editor/* | tapreel/playback/*) echo 3 ;;
    tapreel/ui/*) echo 4 ;;
  esac
}

# Prints why FILE may not include TARGET, or nothing when it may.
violation() {
  local file=$1 target=$2 from to
  case "$file" in
    common/*)
      [[ $target == kestrun/* || $target == tapreel/* ]] && echo "common code includes a program's file"
      return
      ;;
  esac
  from=$(floor_of "$file")
  to=$(floor_of "$target")
  [ -n "$from" ] && [ -n "$to" ] && [ "${file%%/*}" = "${target%%/*}" ] || return
  case "$file" in
    # A unit test may use a floor above its own for its set-up, never a ui.
    *_test.cpp) [[ $target == */ui/* && $file != */ui/* ]] && echo "portable code includes the window layer" ;;
    *) [ "$to" -gt "$from" ] && echo "a floor includes a floor above it" ;;
  esac
}

# An include line, with its opening quote or bracket and the path it names.
include_re='^[[:space:]]*#[[:space:]]*include[[:space:]]*(["<])([^">]+)[">]'
checked=0
offences=0
while IFS= read -r -d '' file; do
  case "$file" in
    *.c | *.cc | *.cpp | *.cxx | *.h | *.hh | *.hpp | *.inc | *.ipp) ;;
    *) continue ;;
  esac
  [ -f "$file" ] || continue
  checked=$((checked + 1))
  dir=$(dirname "$file")
  while IFS= read -r hit; do
    line=${hit%%:*}
    text=${hit#*:}
    [[ $text =~ $include_re ]] || continue
    target=${BASH_REMATCH[2]}
    if [ "${BASH_REMATCH[1]}" = '"' ] && { [[ $target == ./* || $target == ../* ]] || [ -e "$dir/$target" ]; }; then
      target=$dir/$target
    fi
    target=$(normalise "$target")
    reason=$(violation "$file" "$target")
    if [ -n "$reason" ]; then
      echo "$file:$line: includes $target ($reason)"
      offences=$((offences + 1))
    fi
  done < <(grep -nE '^[[:space:]]*#[[:space:]]*include' "$file")
done < <(git ls-files -z --cached --others --exclude-standard -- common kestrun tapreel)

if [ "$offences" -gt 0 ]; then
  echo "layers: $offences include(s) cross a layer, in $checked files"
  exit 1
fi
echo "layers: clean, $checked files"
