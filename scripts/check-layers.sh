#!/usr/bin/env bash
# Checks that the source folders include only the layers beneath them:
#
#   - kestrun/script, kestrun/model, kestrun/actions, kestrun/engine and
#     kestrun/editor are portable and never include kestrun/ui/;
#   - common/ (common/text and common/platform above all) is compiled into
#     both programs and never includes kestrun/ or tapreel/;
#   - the folders of tapreel other than tapreel/ui (tapreel/table,
#     tapreel/playback ...) never include tapreel/ui/. Files directly in
#     tapreel/ are not bound, so the rule holds before and after the split.
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

# Prints why FILE may not include TARGET, or nothing when it may.
violation() {
  local file=$1 target=$2
  case "$file" in
    kestrun/script/* | kestrun/model/* | kestrun/actions/* | kestrun/engine/* | kestrun/editor/*)
      [[ $target == kestrun/ui/* ]] && echo "portable kestrun code includes the window layer"
      ;;
    common/*)
      [[ $target == kestrun/* || $target == tapreel/* ]] && echo "common code includes a program's file"
      ;;
    tapreel/ui/*) ;;
    tapreel/*/*)
      [[ $target == tapreel/ui/* ]] && echo "tapreel code outside tapreel/ui includes the window layer"
      ;;
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
